// bundled_fonts.cpp: face requests mapped to the font files bundled with a page (bundled_fonts.h).
//
// Family names compare without regard to case, as fontconfig compares them. A fixed-pitch
// request for a face nobody has gets the default sans face, as on the desktop, where the pitch is
// not part of the fontconfig pattern.
#include "gdi/bundled_fonts.h"

#include <array>
#include <cctype>

namespace platform::fonts {
namespace {

struct BundledFamily {
    std::string_view regular;
    std::string_view bold;
};

constexpr BundledFamily kDejaVuSans{"dejavu/DejaVuSans.ttf", "dejavu/DejaVuSans-Bold.ttf"};
constexpr BundledFamily kDejaVuSansMono{"dejavu/DejaVuSansMono.ttf",
                                        "dejavu/DejaVuSansMono-Bold.ttf"};
constexpr BundledFamily kLiberationSans{"liberation2/LiberationSans-Regular.ttf",
                                        "liberation2/LiberationSans-Bold.ttf"};

struct NamedFamily {
    std::string_view name;
    const BundledFamily *family;
};

// Names fontconfig resolves to a bundled family on the desktop. The generic sans names come out
// as Liberation Sans there, because the lookup asks for Arial after them.
constexpr std::array<NamedFamily, 8> kKnownNames{{
    {"sans-serif", &kLiberationSans},
    {"sans", &kLiberationSans},
    {"DejaVu Sans", &kDejaVuSans},
    {"monospace", &kDejaVuSansMono},
    {"mono", &kDejaVuSansMono},
    {"DejaVu Sans Mono", &kDejaVuSansMono},
    {"Arial", &kLiberationSans},
    {"Liberation Sans", &kLiberationSans},
}};

bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

const BundledFamily &family_for(const FaceQuery &query) {
    for (const NamedFamily &known : kKnownNames) {
        if (same_name(known.name, query.family)) return *known.family;
    }
    // An unknown proportional face takes Arial's widths; fontconfig is asked for Arial next.
    return query.fixed_pitch ? kDejaVuSans : kLiberationSans;
}

}  // namespace

FaceFile bundled_face_file(std::string_view directory, const FaceQuery &query) {
    const BundledFamily &family = family_for(query);
    std::string_view file = query.weight >= 600 ? family.bold : family.regular;
    std::string path(directory);
    if (!path.empty() && path.back() != '/') path += '/';
    path += file;
    return FaceFile{path, 0};
}

std::vector<std::string> bundled_font_files() {
    std::vector<std::string> files;
    for (const BundledFamily *family : {&kDejaVuSans, &kDejaVuSansMono, &kLiberationSans}) {
        files.emplace_back(family->regular);
        files.emplace_back(family->bold);
    }
    return files;
}

}  // namespace platform::fonts
