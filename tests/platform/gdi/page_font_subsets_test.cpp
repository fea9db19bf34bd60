// page_font_subsets_test.cpp: the browser pages' fonts, cut down by pyftsubset with the options
// of cmake/VorblPageFonts.cmake, draw every character the package can draw exactly as the whole
// fonts do: for each bundled font, each Windows-1252 byte's code point at eleven sizes from 6 to 32
// pixels per em, anti-aliased and monochrome, upright and stretched across, loaded and rendered as
// platform/src/gdi/fonts.cpp does (FreeType, hinted), the same glyph, advance, placement and
// coverage; and the face-wide values that the platform's metrics come from are unchanged.
// Skipped when pyftsubset (Debian's fonttools) is missing.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/codepage_1252.h"

namespace {

namespace fs = std::filesystem;

struct FaceCloser {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FacePointer = std::unique_ptr<FT_FaceRec_, FaceCloser>;

struct LibraryCloser {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};

std::vector<std::string> bundled_fonts() {
    std::vector<std::string> fonts;
    std::istringstream list(VORBL_BUNDLED_FONTS);
    for (std::string file; std::getline(list, file, ',');) fonts.push_back(file);
    return fonts;
}

// The values fonts.cpp reads from the face, as one comparable string.
std::string face_values(FT_Face face) {
    const auto *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const auto *hhea = static_cast<const TT_HoriHeader *>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    std::ostringstream text;
    text << face->units_per_EM << ' ' << face->ascender << ' ' << face->descender << ' '
         << face->bbox.xMin << ' ' << face->bbox.xMax << ' ' << face->bbox.yMin << ' '
         << face->bbox.yMax << ' ' << FT_IS_FIXED_WIDTH(face);
    if (os2 != nullptr) {
        text << " os2 " << os2->usWinAscent << ' ' << os2->usWinDescent << ' ' << os2->xAvgCharWidth
             << ' ' << os2->sFamilyClass;
        for (const FT_Byte value : os2->panose) text << ' ' << int{value};
    }
    if (hhea != nullptr)
        text << " hhea " << hhea->Ascender << ' ' << hhea->Descender << ' ' << hhea->Line_Gap;
    return text.str();
}

// One glyph as fonts.cpp makes it, as a comparable string (empty when FreeType failed).
std::string rendered(FT_Face face, std::uint32_t code_point, bool monochrome) {
    const FT_UInt index = FT_Get_Char_Index(face, code_point);
    const FT_Int32 target = monochrome ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | target) != 0) return "";
    FT_GlyphSlot slot = face->glyph;
    const FT_Pos advance = slot->advance.x;
    if (FT_Render_Glyph(slot, monochrome ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0)
        return "";
    const FT_Bitmap &bitmap = slot->bitmap;
    std::string text = std::to_string(index == 0) + ' ' + std::to_string(advance) + ' ' +
                       std::to_string(slot->bitmap_left) + ' ' + std::to_string(slot->bitmap_top) +
                       ' ' + std::to_string(bitmap.width) + 'x' + std::to_string(bitmap.rows) + ':';
    const int pitch = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
    if (bitmap.buffer != nullptr)
        text.append(reinterpret_cast<const char *>(bitmap.buffer),
                    static_cast<std::size_t>(pitch) * bitmap.rows);
    return text;
}

}  // namespace

TEST(PageFontSubsets, DrawEveryCharacterAsTheWholeFonts) {
    const std::string subsetter = VORBL_PYFTSUBSET;
    if (subsetter.empty() || !fs::exists(subsetter)) GTEST_SKIP() << "pyftsubset is missing";
    const fs::path directory =
        fs::temp_directory_path() / ("vorbl-page-fonts-" + std::to_string(::getpid()));
    fs::create_directories(directory);
    FT_Library raw_library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&raw_library), 0);
    const std::unique_ptr<FT_LibraryRec_, LibraryCloser> library(raw_library);
    const long stretches[] = {0x10000, 0x18000};  // 16.16: upright, and 1.5 times as wide
    // Sizes texts are commonly drawn at, and two larger ones.
    const int kPixelSizes[] = {6, 8, 9, 10, 11, 12, 13, 14, 16, 20, 32};
    for (const std::string &font : bundled_fonts()) {
        const std::string whole_path = std::string(VORBL_FONT_SOURCE_DIR) + "/" + font;
        const std::string cut_path = (directory / fs::path(font).filename()).string();
        std::ostringstream command;
        command << subsetter << " '" << whole_path << "' --output-file='" << cut_path << "' "
                << VORBL_PAGE_FONT_SUBSET_OPTIONS << " 2>/dev/null";
        ASSERT_EQ(std::system(command.str().c_str()), 0) << command.str();
        FT_Face raw_whole = nullptr;
        FT_Face raw_cut = nullptr;
        ASSERT_EQ(FT_New_Face(library.get(), whole_path.c_str(), 0, &raw_whole), 0) << font;
        const FacePointer whole(raw_whole);
        ASSERT_EQ(FT_New_Face(library.get(), cut_path.c_str(), 0, &raw_cut), 0) << font;
        const FacePointer cut(raw_cut);
        EXPECT_EQ(face_values(cut.get()), face_values(whole.get())) << font;
        EXPECT_LT(fs::file_size(cut_path), fs::file_size(whole_path)) << font;
        int differences = 0;
        for (const long stretch : stretches) {
            for (const int pixels : kPixelSizes) {
                FT_Matrix matrix{stretch, 0, 0, 0x10000};
                for (FT_Face face : {whole.get(), cut.get()}) {
                    ASSERT_EQ(FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)), 0);
                    FT_Set_Transform(face, &matrix, nullptr);
                }
                for (int byte = 0; byte < 256; ++byte) {
                    const std::uint32_t code_point =
                        platform::cp1252_to_unicode(static_cast<unsigned char>(byte));
                    for (const bool monochrome : {false, true}) {
                        const std::string expected = rendered(whole.get(), code_point, monochrome);
                        if (rendered(cut.get(), code_point, monochrome) == expected) continue;
                        if (++differences <= 5)
                            ADD_FAILURE() << font << ": U+" << std::hex << code_point << std::dec
                                          << " at " << pixels << " px, stretch " << stretch
                                          << (monochrome ? ", monochrome" : "");
                    }
                }
            }
        }
        EXPECT_EQ(differences, 0) << font;
    }
    fs::remove_all(directory);
}
