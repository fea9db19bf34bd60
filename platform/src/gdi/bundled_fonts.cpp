// bundled_fonts.cpp: face requests mapped to the platform's own font files (bundled_fonts.h).
//
// Family names compare without regard to case, as Windows and fontconfig compare them.
#include "gdi/bundled_fonts.h"

#include <array>
#include <cctype>

namespace platform::fonts {
namespace {

struct Family {
    std::string_view name;
    std::string_view regular;
    std::string_view bold;
};

constexpr Family kDejaVuSans{"DejaVu Sans", "dejavu/DejaVuSans.ttf", "dejavu/DejaVuSans-Bold.ttf"};
constexpr Family kDejaVuSansMono{"DejaVu Sans Mono", "dejavu/DejaVuSansMono.ttf",
                                 "dejavu/DejaVuSansMono-Bold.ttf"};
constexpr Family kLiberationSans{"Liberation Sans", "liberation2/LiberationSans-Regular.ttf",
                                 "liberation2/LiberationSans-Bold.ttf"};
constexpr Family kLiberationSerif{"Liberation Serif", "liberation2/LiberationSerif-Regular.ttf",
                                  "liberation2/LiberationSerif-Bold.ttf"};
constexpr Family kLiberationMono{"Liberation Mono", "liberation2/LiberationMono-Regular.ttf",
                                 "liberation2/LiberationMono-Bold.ttf"};

constexpr std::array<const Family *, 5> kFamilies{&kDejaVuSans, &kDejaVuSansMono, &kLiberationSans,
                                                  &kLiberationSerif, &kLiberationMono};

struct NamedFamily {
    std::string_view name;
    const Family *family;
};

// The names a program or the platform may ask for, with the face each gets.
constexpr std::array<NamedFamily, 17> kKnownNames{{
    {"sans-serif", &kLiberationSans},
    {"sans", &kLiberationSans},
    {"Arial", &kLiberationSans},
    {"Helvetica", &kLiberationSans},
    {"Liberation Sans", &kLiberationSans},
    {"serif", &kLiberationSerif},
    {"Times New Roman", &kLiberationSerif},
    {"Times", &kLiberationSerif},
    {"Liberation Serif", &kLiberationSerif},
    {"Courier New", &kLiberationMono},
    {"Courier", &kLiberationMono},
    {"Liberation Mono", &kLiberationMono},
    {"monospace", &kDejaVuSansMono},
    {"mono", &kDejaVuSansMono},
    {"DejaVu Sans Mono", &kDejaVuSansMono},
    {"DejaVu Sans", &kDejaVuSans},
    {"Verdana", &kDejaVuSans},  // DejaVu Sans has Verdana's proportions
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

const Family &family_for(const FaceQuery &query) {
    for (const NamedFamily &known : kKnownNames) {
        if (same_name(known.name, query.family)) return *known.family;
    }
    return query.fixed_pitch ? kLiberationMono : kLiberationSans;
}

}  // namespace

BundledFace bundled_face(const FaceQuery &query) {
    const Family &family = family_for(query);
    return BundledFace{family.name, query.weight >= 600 ? family.bold : family.regular};
}

FaceFile bundled_face_file(std::string_view directory, const FaceQuery &query) {
    std::string path(directory);
    if (!path.empty() && path.back() != '/') path += '/';
    path += bundled_face(query).file;
    return FaceFile{path, 0};
}

std::vector<std::string> bundled_font_files() {
    std::vector<std::string> files;
    for (const Family *family : kFamilies) {
        files.emplace_back(family->regular);
        files.emplace_back(family->bold);
    }
    return files;
}

}  // namespace platform::fonts
