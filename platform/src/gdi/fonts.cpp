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
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <unordered_map>

#include "gdi/font_lookup.h"

namespace platform::fonts {
namespace {

constexpr int kDefaultCellHeight = 16;  // a height of 0 is treated as +16
constexpr long long kMaxEmPixels = 1024;

using MatchKey = std::tuple<std::string, int, bool, bool>;
using SizeKey = std::tuple<std::string, int, int, bool>;

}  // namespace

class SizedFont {
public:
    SizedFont(FT_Face face, int em_pixels, bool monochrome);
    ~SizedFont() { FT_Done_Face(face_); }
    SizedFont(const SizedFont &) = delete;
    SizedFont &operator=(const SizedFont &) = delete;

    const FontMetrics &metrics() const { return metrics_; }
    const Glyph &glyph(std::uint32_t code_point) const;

private:
    Glyph render(std::uint32_t code_point) const;
    void measure();

    FT_Face face_;
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

// The face file through this build's lookup (fontconfig, or the fonts bundled with a page).
std::optional<FaceFile> match_face(const gdi::FontRequest &request) {
    return find_face_file(FaceQuery{family_for(request), matched_weight(request), request.italic,
                                    request.fixed_pitch});
}

const std::optional<FaceFile> &cached_match(const gdi::FontRequest &request) {
    FontSystem &system = font_system();
    MatchKey key{family_for(request), matched_weight(request), request.italic, request.fixed_pitch};
    auto found = system.matches.find(key);
    if (found == system.matches.end())
        found = system.matches.emplace(key, match_face(request)).first;
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

}  // namespace

SizedFont::SizedFont(FT_Face face, int em_pixels, bool monochrome)
    : face_(face), monochrome_(monochrome) {
    metrics_.em_pixels = em_pixels;
    if (FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(em_pixels)) != 0 &&
        face_->num_fixed_sizes > 0)
        FT_Select_Size(face_, 0);
    measure();
}

// The Windows TrueType metrics: win ascent and descent scaled and rounded, leading from them.
void SizedFont::measure() {
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
    metrics_.max_width = static_cast<int>(scale_units(face_->max_advance_width, ppem, units.em));
    const auto *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    metrics_.average_width = os2 != nullptr && os2->xAvgCharWidth > 0
                                 ? static_cast<int>(scale_units(os2->xAvgCharWidth, ppem, units.em))
                                 : glyph('x').advance;
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
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
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
    FontSystem &system = font_system();
    SizeKey key{file->path, file->index, em_pixels, request.monochrome};
    auto found = system.sized.find(key);
    if (found == system.sized.end()) {
        FT_Face face = open_face(*file);
        std::unique_ptr<SizedFont> font;
        if (face != nullptr)
            font = std::make_unique<SizedFont>(face, em_pixels, request.monochrome);
        found = system.sized.emplace(key, std::move(font)).first;
    }
    return found->second.get();
}

const FontMetrics &font_metrics(const SizedFont &font) { return font.metrics(); }

const Glyph &font_glyph(const SizedFont &font, std::uint32_t code_point) {
    return font.glyph(code_point);
}

}  // namespace platform::fonts
