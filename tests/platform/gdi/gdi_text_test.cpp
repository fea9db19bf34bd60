// gdi_text_test.cpp: font sizes and metrics, text extents, where TextOutA puts its pixels,
// opaque and transparent backgrounds, Windows-1252 bytes, bad input, and the font files: found
// without fontconfig, missing or broken ones replaced and said, none at all.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "gdi_test_support.h"

using namespace gdi_test;

namespace {

constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kPaper = RGB(40, 160, 40);
constexpr COLORREF kBox = RGB(250, 250, 0);

// A font selected into a DC for one block.
class SelectedFont {
public:
    SelectedFont(HDC dc, int height, DWORD quality = DEFAULT_QUALITY,
                 const char *face = "VORBL-font")
        : dc_(dc) {
        font_ = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, quality, 0, face);
        old_ = SelectObject(dc, font_);
    }
    ~SelectedFont() {
        SelectObject(dc_, old_);
        DeleteObject(font_);
    }
    SelectedFont(const SelectedFont &) = delete;
    SelectedFont &operator=(const SelectedFont &) = delete;

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};

TEXTMETRICA metrics_of(HDC dc) {
    TEXTMETRICA metrics{};
    EXPECT_TRUE(GetTextMetricsA(dc, &metrics));
    return metrics;
}

SIZE extent_of(HDC dc, const char *text, int count) {
    SIZE size{-1, -1};
    EXPECT_TRUE(GetTextExtentPointA(dc, text, count, &size));
    return size;
}

// The bounding box of every pixel that is not `background`; empty (right < left) when none.
RECT changed_box(const TestCanvas &canvas, COLORREF background) {
    RECT box{canvas.width(), canvas.height(), -1, -1};
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (GetPixel(canvas.dc(), x, y) != background) {
                box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1),
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

}  // namespace

TEST(FontSize, NegativeHeightIsTheEmHeightAndPositiveTheCellHeight) {
    TestCanvas canvas(4, 4);
    for (int em : {8, 14, 20, 40}) {
        SelectedFont font(canvas.dc(), -em);
        const TEXTMETRICA m = metrics_of(canvas.dc());
        EXPECT_EQ(m.tmHeight, m.tmAscent + m.tmDescent);
        EXPECT_NEAR(m.tmHeight - m.tmInternalLeading, em, 1) << em;
        EXPECT_GE(m.tmInternalLeading, 0);
        EXPECT_GE(m.tmExternalLeading, 0);
    }
    for (int cell : {13, 16, 30}) {
        SelectedFont font(canvas.dc(), cell);
        EXPECT_NEAR(metrics_of(canvas.dc()).tmHeight, cell, 1) << cell;
    }
    LONG default_height = 0, sixteen = 0;
    {
        SelectedFont font(canvas.dc(), 0);
        default_height = metrics_of(canvas.dc()).tmHeight;
    }
    {
        SelectedFont font(canvas.dc(), 16);
        sixteen = metrics_of(canvas.dc()).tmHeight;
    }
    EXPECT_EQ(default_height, sixteen);
}

TEST(FontSize, FixedStockFontIsMonospacedAboutThirteenPixelsHigh) {
    TestCanvas canvas(4, 4);
    HGDIOBJ old = SelectObject(canvas.dc(), GetStockObject(ANSI_FIXED_FONT));
    const TEXTMETRICA m = metrics_of(canvas.dc());
    EXPECT_GE(m.tmHeight, 12);
    EXPECT_LE(m.tmHeight, 14);
    EXPECT_EQ(extent_of(canvas.dc(), "iiii", 4).cx, extent_of(canvas.dc(), "WWWW", 4).cx);
    EXPECT_GT(m.tmAveCharWidth, 0);
    SelectObject(canvas.dc(), old);
}

TEST(FontSize, AbsurdHeightsAreCappedAndWork) {
    TestCanvas canvas(50, 50);
    for (int height : {INT_MIN, INT_MAX, -100000}) {
        SelectedFont font(canvas.dc(), height);
        const TEXTMETRICA m = metrics_of(canvas.dc());
        EXPECT_GT(m.tmHeight, 0);
        EXPECT_LT(m.tmHeight, 2000);
        EXPECT_TRUE(TextOutA(canvas.dc(), -10, -300, "W", 1));
    }
}

// Windows gives a proportional face nobody has the widths of its Arial-like default face, and
// programs lay their text out for those widths; so an unknown face measures exactly like a
// request for "Arial" (whatever fontconfig makes of that on this machine).
TEST(FontMatch, UnknownProportionalFaceHasTheWidthsOfArial) {
    TestCanvas canvas(40, 40);
    const char *line = "Fly your butterfly around the screen using the numerical keypad.";
    SIZE unknown{}, arial{};
    {
        SelectedFont font(canvas.dc(), -14, DEFAULT_QUALITY, "VORBL-font");
        unknown = extent_of(canvas.dc(), line, static_cast<int>(std::strlen(line)));
    }
    {
        SelectedFont font(canvas.dc(), -14, DEFAULT_QUALITY, "Arial");
        arial = extent_of(canvas.dc(), line, static_cast<int>(std::strlen(line)));
    }
    EXPECT_GT(unknown.cx, 0);
    EXPECT_EQ(unknown.cx, arial.cx);
    EXPECT_EQ(unknown.cy, arial.cy);
}

// TrueType metadata as GDI reports it: the ANSI range from 0x1E, the face's family with the
// TrueType and vector bits (and TMPF_FIXED_PITCH for a proportional face), the widest character
// the face's bounding box across.
TEST(FontMetadata, TrueTypeFacesReportTheirRangeFamilyAndWidestCharacter) {
    TestCanvas canvas(8, 8);
    SelectedFont font(canvas.dc(), -12);
    const TEXTMETRICA sans = metrics_of(canvas.dc());
    EXPECT_EQ(sans.tmFirstChar, 0x1E);
    EXPECT_EQ(sans.tmDefaultChar, 0x1F);
    EXPECT_EQ(sans.tmPitchAndFamily, FF_SWISS | TMPF_TRUETYPE | TMPF_VECTOR | TMPF_FIXED_PITCH);
    EXPECT_GE(sans.tmMaxCharWidth, extent_of(canvas.dc(), "W", 1).cx);
    SelectObject(canvas.dc(), GetStockObject(ANSI_FIXED_FONT));
    EXPECT_EQ(metrics_of(canvas.dc()).tmPitchAndFamily, FF_MODERN | TMPF_TRUETYPE | TMPF_VECTOR);
}

// SYSTEM_FONT's LOGFONT asks for characters 7 pixels wide on average: the bold face is
// stretched across to that, so it measures narrower than the same face at its own width.
TEST(FontMetadata, SystemFontIsStretchedToItsLogfontWidth) {
    TestCanvas canvas(8, 8);
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
    const TEXTMETRICA system = metrics_of(canvas.dc());
    const SIZE narrow = extent_of(canvas.dc(), "Hello, World!", 13);
    SelectObject(canvas.dc(), GetStockObject(DEVICE_DEFAULT_FONT));
    const TEXTMETRICA natural = metrics_of(canvas.dc());
    const SIZE wide = extent_of(canvas.dc(), "Hello, World!", 13);
    EXPECT_EQ(system.tmAveCharWidth, 7);
    EXPECT_EQ(system.tmHeight, 16);
    EXPECT_EQ(natural.tmHeight, 16);
    EXPECT_GT(natural.tmAveCharWidth, 7);
    EXPECT_LT(narrow.cx, wide.cx);
    EXPECT_LT(system.tmMaxCharWidth, natural.tmMaxCharWidth);
    EXPECT_EQ(SetBkColor(canvas.dc(), 0x7F0A0B0C), RGB(255, 255, 255));
    EXPECT_EQ(GetBkColor(canvas.dc()), 0x7F0A0B0Cu);  // kept as given
}

TEST(TextExtent, SumOfAdvancesWithControlBytesMeasuredNotObeyed) {
    TestCanvas canvas(4, 4);
    SelectedFont font(canvas.dc(), -14);
    const TEXTMETRICA m = metrics_of(canvas.dc());
    const SIZE a = extent_of(canvas.dc(), "A", 1), b = extent_of(canvas.dc(), "B", 1);
    const SIZE feed = extent_of(canvas.dc(), "\n", 1), all = extent_of(canvas.dc(), "A\nB", 3);
    EXPECT_EQ(all.cy, m.tmHeight);  // a line feed adds no height
    EXPECT_EQ(a.cy, m.tmHeight);
    EXPECT_EQ(all.cx, a.cx + feed.cx + b.cx);
    EXPECT_GT(a.cx, 0);
    const SIZE none = extent_of(canvas.dc(), "", 0);
    EXPECT_EQ(none.cx, 0);
    EXPECT_EQ(none.cy, 0);  // no characters: no line height either
    SIZE size{};
    EXPECT_FALSE(GetTextExtentPointA(canvas.dc(), "A", -1, &size));
    EXPECT_FALSE(GetTextExtentPointA(canvas.dc(), nullptr, 3, &size));
    EXPECT_FALSE(GetTextExtentPointA(canvas.dc(), "A", 1, nullptr));
    EXPECT_FALSE(GetTextExtentPoint32A(nullptr, "A", 1, &size));
}

TEST(TextOutput, OpaqueTextFillsExactlyItsCellWithTheBackgroundColour) {
    TestCanvas canvas(120, 60);
    canvas.clear(kPaper);
    SelectedFont font(canvas.dc(), -16);
    SetBkColor(canvas.dc(), kBox);
    SetTextColor(canvas.dc(), kInk);
    const SIZE size = extent_of(canvas.dc(), "Hello", 5);
    ASSERT_TRUE(TextOutA(canvas.dc(), 10, 20, "Hello", 5));
    const RECT box = changed_box(canvas, kPaper);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 20);
    EXPECT_EQ(box.right, 10 + size.cx);
    EXPECT_EQ(box.bottom, 20 + size.cy);
    EXPECT_EQ(GetPixel(canvas.dc(), 10, 20), kBox);
}

TEST(TextOutput, TransparentTextLeavesTheBackgroundAndStaysInItsCell) {
    TestCanvas canvas(120, 60);
    canvas.clear(kPaper);
    SelectedFont font(canvas.dc(), -16);
    SetBkMode(canvas.dc(), TRANSPARENT);
    SetTextColor(canvas.dc(), kInk);
    const SIZE size = extent_of(canvas.dc(), "Hg", 2);
    ASSERT_TRUE(TextOutA(canvas.dc(), 30, 25, "Hg", 2));
    const RECT box = changed_box(canvas, kPaper);
    EXPECT_GE(box.left, 30);
    EXPECT_GE(box.top, 25);
    EXPECT_LE(box.right, 30 + size.cx + 1);
    EXPECT_LE(box.bottom, 25 + size.cy);
    EXPECT_GT(box.bottom - box.top, 10);  // 'H' and the descender of 'g'
    EXPECT_EQ(canvas.count(kBox), 0);
    EXPECT_GT(canvas.count(kInk), 0);  // full-coverage pixels are exactly the text colour
    EXPECT_GT(canvas.count(kPaper), 120 * 60 - size.cx * size.cy);
}

TEST(TextOutput, AntiAliasedEdgesBlendAndMonochromeQualityDoesNot) {
    TestCanvas smooth(80, 40), sharp(80, 40);
    {
        SelectedFont font(smooth.dc(), -20);
        TextOutA(smooth.dc(), 2, 2, "Aw", 2);
    }
    {
        SelectedFont font(sharp.dc(), -20, NONANTIALIASED_QUALITY);
        TextOutA(sharp.dc(), 2, 2, "Aw", 2);
    }
    const int area = 80 * 40;
    EXPECT_GT(area - smooth.count(kWhite) - smooth.count(kInk), 0);
    EXPECT_EQ(area - sharp.count(kWhite) - sharp.count(kInk), 0);
    EXPECT_GT(sharp.count(kInk), 0);
}

TEST(TextOutput, BytesAreWindows1252) {
    TestCanvas euro(40, 40), undefined(40, 40);
    {
        SelectedFont font(euro.dc(), -20);
        TextOutA(euro.dc(), 2, 2, "\x80", 1);  // the euro sign
    }
    {
        SelectedFont font(undefined.dc(), -20);
        TextOutA(undefined.dc(), 2, 2, "\x81", 1);  // undefined: the face's missing glyph
    }
    EXPECT_NE(euro.picture(0, 0, 40, 40), undefined.picture(0, 0, 40, 40));
    EXPECT_GT(euro.count(kInk), 0);
}

TEST(TextOutput, BadArgumentsFailAndEmptyTextSucceeds) {
    TestCanvas canvas(20, 20);
    EXPECT_FALSE(TextOutA(nullptr, 0, 0, "a", 1));
    EXPECT_FALSE(TextOutA(canvas.dc(), 0, 0, "a", -1));
    EXPECT_FALSE(TextOutA(canvas.dc(), 0, 0, nullptr, 1));
    EXPECT_TRUE(TextOutA(canvas.dc(), 0, 0, nullptr, 0));
    EXPECT_TRUE(TextOutA(canvas.dc(), INT_MIN, INT_MAX, "abc", 3));
    EXPECT_TRUE(TextOutA(canvas.dc(), INT_MAX, INT_MIN, "abc", 3));
    EXPECT_EQ(canvas.count(kWhite), 400);
}

TEST(TextOutput, TextCallsGiveBackTheirFonts) {
    TestCanvas canvas(60, 30);
    const PlatformObjectCounts before = live_objects();
    for (int size : {0, 9, 127}) {
        SelectedFont font(canvas.dc(), -size);
        TextOutA(canvas.dc(), 0, 0, "xy", 2);
    }
    expect_same_objects(before, live_objects());
}

namespace {

// Runs `check` in a child process with a font configuration of its own (fontconfig from
// `fontconfig_file` unless empty, the platform's font files looked for below `font_dir`), and
// expects it to hold and the child's standard error to match `stderr_pattern`. The font choices
// a process makes are kept for its life, so the parent measures only after the child has run.
template <typename Check>
void in_child_with_fonts(const std::string &fontconfig_file, const std::string &font_dir,
                         Check check, const char *stderr_pattern) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            if (!fontconfig_file.empty()) setenv("FONTCONFIG_FILE", fontconfig_file.c_str(), 1);
            setenv("VORBL_FONT_DIR", font_dir.c_str(), 1);
            std::exit(check() ? 0 : 1);
        },
        testing::ExitedWithCode(0), stderr_pattern);
}

std::string empty_fontconfig() {
    const std::filesystem::path config =
        std::filesystem::temp_directory_path() / "vorbl_no_fonts.conf";
    std::ofstream out(config);
    out << "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>"
        << std::filesystem::temp_directory_path().string()
        << "/vorbl_no_fonts_cache</cachedir></fontconfig>\n";
    return config.string();
}

// The width of the instruction line in "VORBL-font" (Liberation Sans) at 14 pixels.
LONG instruction_width() {
    TestCanvas canvas(20, 20);
    SelectedFont font(canvas.dc(), -14);
    const char *line = "Fly your butterfly around the screen using the numerical keypad.";
    return extent_of(canvas.dc(), line, static_cast<int>(std::strlen(line))).cx;
}

// A check for a child: measures the instruction line into `file`; holds when there is a width.
auto width_into(const std::filesystem::path &file) {
    return [file] {
        const LONG width = instruction_width();
        std::ofstream(file) << width;
        return width > 0;
    };
}

LONG width_from(const std::filesystem::path &file) {
    LONG width = -1;
    std::ifstream(file) >> width;
    return width;
}

}  // namespace

// The platform's faces do not depend on fontconfig: with a fontconfig that knows no face at all
// (an empty configuration), text is measured as usual and nothing is said.
TEST(FontFilesDeathTest, TextNeedsNoFontconfigWhereThePlatformsFilesAre) {
    const auto measured = std::filesystem::temp_directory_path() / "vorbl_width_no_fontconfig";
    in_child_with_fonts(empty_fontconfig(), VORBL_FONT_SOURCE_DIR, width_into(measured), "^$");
    EXPECT_EQ(width_from(measured), instruction_width());
}

// Where the platform's files are not, the same faces come from fontconfig silently (another
// distribution keeps them elsewhere); a file that is there but broken falls back to the next
// choice with one line on standard error that names it, never to blank text.
TEST(FontFilesDeathTest, MissingFilesAreFoundElsewhereAndBrokenOnesAreSaid) {
    const auto temp = std::filesystem::temp_directory_path();
    const std::filesystem::path broken = temp / "vorbl_broken_fonts";
    std::filesystem::create_directories(broken / "liberation2");
    std::ofstream(broken / "liberation2" / "LiberationSans-Regular.ttf", std::ios::binary)
        << "\x00\x01\x00\x00\x00\x0f";
    in_child_with_fonts("", "/nonexistent", width_into(temp / "vorbl_width_missing"), "^$");
    in_child_with_fonts(
        "", broken.string(), width_into(temp / "vorbl_width_broken"),
        "^VORBL: [^\n]*vorbl_broken_fonts/liberation2/LiberationSans-Regular.ttf: not a font "
        "file that can be read; drawing \"VORBL-font\" with [^\n]* instead\n$");
    const LONG expected = instruction_width();
    EXPECT_EQ(width_from(temp / "vorbl_width_missing"), expected);
    EXPECT_EQ(width_from(temp / "vorbl_width_broken"), expected);
}

// With no font file at all, text calls fail and draw nothing, and the reason is said once.
TEST(FontFilesDeathTest, WithNoFontAtAllTextCallsFailAndSayWhy) {
    in_child_with_fonts(
        empty_fontconfig(), "/nonexistent",
        [] {
            TestCanvas canvas(20, 20);
            SelectedFont font(canvas.dc(), -12);
            TEXTMETRICA m{};
            SIZE size{};
            return !TextOutA(canvas.dc(), 0, 0, "abc", 3) && !GetTextMetricsA(canvas.dc(), &m) &&
                   !GetTextExtentPointA(canvas.dc(), "abc", 3, &size) &&
                   canvas.count(kWhite) == 400;
        },
        "^VORBL: /nonexistent/liberation2/LiberationSans-Regular.ttf: No such file or "
        "directory; no other font file for \"VORBL-font\" could be loaded, its text is not "
        "drawn\n$");
}
