// fonts.cpp: face matching, FreeType sizing and the glyph cache (see fonts.h).
//
// Everything lives in one process-wide FontSystem: the FreeType library, the face matches
// (per face name, weight, slant and pitch) and the sized faces with their glyphs (per file, face
// index, pixel size and quality). The sized faces are released before the library at exit.
#include "gdi/fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "gdi/font_lookup.h"

namespace platform::fonts {
namespace {

constexpr int kDefaultCellHeight = 16;  // a height of 0 is treated as +16
constexpr long long kMaxEmPixels = 1024;

using MatchKey = std::tuple<std::string, int, bool, bool>;
// File, face index, pixels per em, horizontal scale (16.16), monochrome.
using SizeKey = std::tuple<std::string, int, int, long, bool>;

}  // namespace

class SizedFont {
public:
    SizedFont(FT_Face face, int em_pixels, long x_scale, int average_width, bool monochrome);
    ~SizedFont() { FT_Done_Face(face_); }
    SizedFont(const SizedFont &) = delete;
    SizedFont &operator=(const SizedFont &) = delete;

    const FontMetrics &metrics() const { return metrics_; }
    const Glyph &glyph(std::uint32_t code_point) const;

private:
    Glyph render(std::uint32_t code_point) const;
    void measure(int average_width);

    FT_Face face_;
    long x_scale_;  // 16.16; 0x10000 leaves the glyphs as the face draws them
    bool monochrome_;
    FontMetrics metrics_;
    mutable std::unordered_map<std::uint32_t, Glyph> glyphs_;
};

namespace {

// Units per em and the win ascent and descent (falling back to the face's own ascender and
// descender when it has no OS/2 table).
struct FaceUnits {
    long long em = 2048;
    long long ascent = 0;
    long long descent = 0;
    long long average_width = 0;  // OS/2 xAvgCharWidth; 0 when the face does not say
};

struct FontSystem {
    FT_Library library = nullptr;
    std::map<MatchKey, std::optional<FaceFile>> matches;
    std::map<SizeKey, std::unique_ptr<SizedFont>> sized;  // nullptr: the face would not load
    std::map<std::pair<std::string, int>, std::optional<FaceUnits>> units;  // per face file

    FontSystem() {
        if (FT_Init_FreeType(&library) != 0) library = nullptr;
    }
    ~FontSystem() {
        sized.clear();
        if (library != nullptr) FT_Done_FreeType(library);
    }
};

FontSystem &font_system() {
    static FontSystem system;
    return system;
}

// The family fontconfig is asked for: the request's face, or the default face for its pitch.
std::string family_for(const gdi::FontRequest &request) {
    if (!request.face.empty()) return request.face;
    return request.fixed_pitch ? "monospace" : "sans-serif";
}

// Faces are matched as regular or bold: the weights in between select one of the two.
int matched_weight(const gdi::FontRequest &request) {
    return request.weight >= 600 ? FW_BOLD : FW_NORMAL;
}

// The file that serves a request, once per match key (see choose_face below).
std::optional<FaceFile> choose_face(const FaceQuery &query);

const std::optional<FaceFile> &cached_match(const gdi::FontRequest &request) {
    FontSystem &system = font_system();
    MatchKey key{family_for(request), matched_weight(request), request.italic, request.fixed_pitch};
    auto found = system.matches.find(key);
    if (found == system.matches.end()) {
        const FaceQuery query{std::get<0>(key), std::get<1>(key), std::get<2>(key),
                              std::get<3>(key)};
        found = system.matches.emplace(key, choose_face(query)).first;
    }
    return found->second;
}

FaceUnits face_units(FT_Face face) {
    FaceUnits units;
    units.em = face->units_per_EM > 0 ? face->units_per_EM : 2048;
    const auto *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        units.ascent = os2->usWinAscent;
        units.descent = os2->usWinDescent;
    } else {
        units.ascent = face->ascender;
        units.descent = -static_cast<long long>(face->descender);
    }
    if (units.ascent + units.descent <= 0) units.ascent = units.em;
    if (os2 != nullptr && os2->version != 0xFFFF && os2->xAvgCharWidth > 0)
        units.average_width = os2->xAvgCharWidth;
    return units;
}

long long scale_units(long long value, long long em_pixels, long long units_per_em) {
    return std::llround(static_cast<double>(value) * static_cast<double>(em_pixels) /
                        static_cast<double>(units_per_em));
}

// Pixels per em for a CreateFont height on this face.
int em_pixels_for(const FaceUnits &units, int height) {
    long long em_pixels = 0;
    if (height < 0) {
        em_pixels = -static_cast<long long>(height);
    } else {
        const long long cell = height == 0 ? kDefaultCellHeight : height;
        em_pixels = std::llround(static_cast<double>(units.em) * static_cast<double>(cell) /
                                 static_cast<double>(units.ascent + units.descent));
    }
    return static_cast<int>(std::clamp<long long>(em_pixels, 1, kMaxEmPixels));
}

constexpr long kUnitScale = 0x10000;  // 1.0 in FreeType's 16.16 fixed point

// The horizontal scale for a requested average width: the ratio of that width to the face's
// own average at this size (as GetTextMetrics reports it, rounded), in 16.16 fixed point. No
// width, or a face that gives no average, leaves the glyphs as they are.
long x_scale_for(const FaceUnits &units, int em_pixels, int width) {
    if (width <= 0 || units.average_width <= 0) return kUnitScale;
    const long long natural = scale_units(units.average_width, em_pixels, units.em);
    if (natural <= 0 || natural == width) return kUnitScale;
    return static_cast<long>(
        std::min<long long>(static_cast<long long>(width) * kUnitScale / natural, 64 * kUnitScale));
}

// The family GDI reports for a face: fixed-pitch faces are FF_MODERN; otherwise the PANOSE
// classification says script or decorative, and a text face is FF_SWISS when its serif style is
// one of the sans styles, FF_ROMAN otherwise; without PANOSE data, the IBM family class.
int face_family(FT_Face face) {
    if (FT_IS_FIXED_WIDTH(face)) return FF_MODERN;
    const auto *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 == nullptr || os2->version == 0xFFFF) return FF_DONTCARE;
    constexpr int kTextFace = 2, kScript = 3, kDecorative = 4, kPictorial = 5;
    constexpr int kFirstSansSerif = 11, kLastSansSerif = 13;
    switch (os2->panose[0]) {
        case kTextFace: {
            const int serif = os2->panose[1];
            return serif >= kFirstSansSerif && serif <= kLastSansSerif ? FF_SWISS : FF_ROMAN;
        }
        case kScript: return FF_SCRIPT;
        case kDecorative:
        case kPictorial: return FF_DECORATIVE;
        default: break;
    }
    constexpr int kSansSerifClass = 8, kScriptClass = 10, kSymbolicClass = 12;
    const int family_class = os2->sFamilyClass >> 8;
    if (family_class == kSansSerifClass) return FF_SWISS;
    if (family_class >= 1 && family_class <= 7) return FF_ROMAN;
    if (family_class == kScriptClass) return FF_SCRIPT;
    if (family_class == kSymbolicClass) return FF_DECORATIVE;
    return FF_DONTCARE;
}

FT_Face open_face(const FaceFile &file) {
    FontSystem &system = font_system();
    FT_Face face = nullptr;
    if (system.library == nullptr ||
        FT_New_Face(system.library, file.path.c_str(), file.index, &face) != 0)
        return nullptr;
    return face;
}

// The units of a face file, read once (nullopt when the file will not load).
const std::optional<FaceUnits> &cached_units(const FaceFile &file) {
    FontSystem &system = font_system();
    auto key = std::make_pair(file.path, file.index);
    auto found = system.units.find(key);
    if (found == system.units.end()) {
        std::optional<FaceUnits> units;
        if (FT_Face face = open_face(file)) {
            units = face_units(face);
            FT_Done_Face(face);
        }
        found = system.units.emplace(key, units).first;
    }
    return found->second;
}

// Why a face file would not load: the system's reason when it cannot be opened (missing,
// unreadable, out of file descriptors), else that FreeType does not take it as a font.
std::string load_failure(const FaceFile &file) {
    errno = 0;
    if (std::FILE *stream = std::fopen(file.path.c_str(), "rb")) {
        std::fclose(stream);
        return "not a font file that can be read";
    }
    return std::strerror(errno);
}

// Says a problem with the faces on standard error, once for each text: a program's text stays
// drawn, but the person running it should learn why it looks different.
void say_once(const std::string &text) {
    static std::set<std::string> said;
    if (said.insert(text).second) std::fprintf(stderr, "VORBL: %s\n", text.c_str());
}

// The first candidate FreeType loads. A file that exists and will not load, or a substitute
// taken in the chosen face's place, is said on standard error, and so is a request that no
// file serves (its text is then not drawn).
std::optional<FaceFile> choose_face(const FaceQuery &query) {
    const std::vector<FaceCandidate> candidates = face_candidates(query);
    std::string problem;
    for (const FaceCandidate &candidate : candidates) {
        if (cached_units(candidate.file)) {
            if (candidate.substitute || !problem.empty()) {
                if (problem.empty()) problem = candidates.front().file.path + ": not installed";
                say_once(problem + "; drawing \"" + query.family + "\" with " +
                         candidate.file.path + " instead");
            }
            return candidate.file;
        }
        const bool exists = std::filesystem::exists(candidate.file.path);
        if (problem.empty() && (exists || candidate.substitute))
            problem = candidate.file.path + ": " + load_failure(candidate.file);
    }
    if (problem.empty() && !candidates.empty())
        problem = candidates.front().file.path + ": " + load_failure(candidates.front().file);
    say_once(problem.empty() ? "no font file for \"" + query.family + "\""
                             : problem + "; no other font file for \"" + query.family + "\"" +
                                   " could be loaded, its text is not drawn");
    return std::nullopt;
}

}  // namespace

// A scaled font keeps the hinting of its square size and stretches the hinted glyphs across,
// advances included; GDI does the same for a LOGFONT width.
SizedFont::SizedFont(FT_Face face, int em_pixels, long x_scale, int average_width, bool monochrome)
    : face_(face), x_scale_(x_scale), monochrome_(monochrome) {
    metrics_.em_pixels = em_pixels;
    if (FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(em_pixels)) != 0 &&
        face_->num_fixed_sizes > 0)
        FT_Select_Size(face_, 0);
    if (x_scale_ != kUnitScale) {
        FT_Matrix stretch{x_scale_, 0, 0, kUnitScale};
        FT_Set_Transform(face_, &stretch, nullptr);
    }
    measure(average_width);
}

// The Windows TrueType metrics: win ascent and descent scaled and rounded, leading from them;
// the widest character is the face's bounding box across, the average the asked-for width or
// the face's own, both stretched by the horizontal scale.
void SizedFont::measure(int average_width) {
    const FaceUnits units = face_units(face_);
    const long long ppem = metrics_.em_pixels;
    metrics_.ascent = static_cast<int>(scale_units(units.ascent, ppem, units.em));
    metrics_.descent = static_cast<int>(scale_units(units.descent, ppem, units.em));
    metrics_.height = metrics_.ascent + metrics_.descent;
    metrics_.internal_leading = static_cast<int>(std::max<long long>(
        0, scale_units(units.ascent + units.descent - units.em, ppem, units.em)));
    const auto *hhea = static_cast<const TT_HoriHeader *>(FT_Get_Sfnt_Table(face_, FT_SFNT_HHEA));
    if (hhea != nullptr) {
        const long long gap =
            hhea->Line_Gap - ((units.ascent + units.descent) - (hhea->Ascender - hhea->Descender));
        metrics_.external_leading =
            static_cast<int>(scale_units(std::max<long long>(0, gap), ppem, units.em));
    }
    metrics_.fixed_pitch = FT_IS_FIXED_WIDTH(face_) != 0;
    metrics_.family = face_family(face_);
    if (face_->family_name != nullptr) metrics_.face_name = face_->family_name;
    const long long box_width = static_cast<long long>(face_->bbox.xMax) - face_->bbox.xMin;
    const double stretch = static_cast<double>(x_scale_) / kUnitScale;
    metrics_.max_width =
        static_cast<int>(std::llround(static_cast<double>(box_width) * static_cast<double>(ppem) *
                                      stretch / static_cast<double>(units.em)));
    if (average_width > 0) {
        metrics_.average_width = average_width;
    } else {
        metrics_.average_width =
            units.average_width > 0
                ? static_cast<int>(scale_units(units.average_width, ppem, units.em))
                : glyph('x').advance;
    }
}

const Glyph &SizedFont::glyph(std::uint32_t code_point) const {
    auto found = glyphs_.find(code_point);
    if (found == glyphs_.end()) found = glyphs_.emplace(code_point, render(code_point)).first;
    return found->second;
}

// Copy FreeType's bitmap (8-bit grey or 1-bit mono) into coverage bytes.
static void copy_coverage(const FT_Bitmap &bitmap, Glyph &glyph) {
    glyph.width = static_cast<int>(bitmap.width);
    glyph.height = static_cast<int>(bitmap.rows);
    glyph.coverage.assign(
        static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height), 0);
    const int pitch = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
    for (int row = 0; row < glyph.height; ++row) {
        const unsigned char *source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * pitch;
        std::uint8_t *target = glyph.coverage.data() + static_cast<std::size_t>(row) *
                                                           static_cast<std::size_t>(glyph.width);
        for (int column = 0; column < glyph.width; ++column) {
            target[column] = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                 ? ((source[column / 8] >> (7 - column % 8)) & 1 ? 255 : 0)
                                 : source[column];
        }
    }
}

Glyph SizedFont::render(std::uint32_t code_point) const {
    Glyph glyph;
    const FT_UInt index = FT_Get_Char_Index(face_, code_point);  // 0: the missing-glyph box
    const FT_Int32 target = monochrome_ ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
    if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT | target) != 0) return glyph;
    FT_GlyphSlot slot = face_->glyph;
    // A stretched advance is a fraction of a pixel; GDI rounds it up.
    const FT_Pos round_up = x_scale_ != kUnitScale ? 63 : 32;
    glyph.advance = static_cast<int>((slot->advance.x + round_up) >> 6);
    if (FT_Render_Glyph(slot, monochrome_ ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0)
        return glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    if (slot->bitmap.buffer != nullptr) copy_coverage(slot->bitmap, glyph);
    return glyph;
}

const SizedFont *realize_font(const gdi::FontRequest &request) {
    const std::optional<FaceFile> &file = cached_match(request);
    if (!file) return nullptr;
    const std::optional<FaceUnits> &units = cached_units(*file);
    if (!units) return nullptr;
    const int em_pixels = em_pixels_for(*units, request.height);
    const long x_scale = x_scale_for(*units, em_pixels, request.width);
    const int average_width = x_scale == kUnitScale ? 0 : request.width;
    FontSystem &system = font_system();
    SizeKey key{file->path, file->index, em_pixels, x_scale, request.monochrome};
    auto found = system.sized.find(key);
    if (found == system.sized.end()) {
        FT_Face face = open_face(*file);
        std::unique_ptr<SizedFont> font;
        if (face != nullptr)
            font = std::make_unique<SizedFont>(face, em_pixels, x_scale, average_width,
                                               request.monochrome);
        found = system.sized.emplace(key, std::move(font)).first;
    }
    return found->second.get();
}

const FontMetrics &font_metrics(const SizedFont &font) { return font.metrics(); }

const Glyph &font_glyph(const SizedFont &font, std::uint32_t code_point) {
    return font.glyph(code_point);
}

}  // namespace platform::fonts
