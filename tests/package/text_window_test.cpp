// Tests of the text window: the ring of the 25 most recent messages, formatting limits, a line
// that cannot be stored, and the paint routine (newest line in the bottom row at x = 5, trailing
// line feeds, everything given back).
#include <string>
#include <vector>

#include "message_text.h"
#include "package_test_canvas.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

using package_test::drawing_objects;
using package_test::live_global_blocks;
using package_test::reset_text_ring;
using package_test::ring_lines;
using package_test::StartedPackageTest;
using Lines = std::vector<std::string>;

const COLORREF white = RGB(255, 255, 255);

HGLOBAL WINAPI no_memory(UINT, SIZE_T) { return nullptr; }

// The line height of the text window's font, as the paint routine computes it.
int fixed_line_height() {
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, GetStockObject(ANSI_FIXED_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(memory, &metrics);
    SelectObject(memory, previous);
    DeleteDC(memory);
    return metrics.tmHeight + metrics.tmExternalLeading;
}

// The text window's client pixels, read through a window DC.
class WindowPixels {
public:
    explicit WindowPixels(HWND window) : window_(window), dc_(GetDC(window)) {
        RECT client{};
        GetClientRect(window, &client);
        width = client.right;
        height = client.bottom;
    }
    ~WindowPixels() { ReleaseDC(window_, dc_); }
    WindowPixels(const WindowPixels &) = delete;
    WindowPixels &operator=(const WindowPixels &) = delete;

    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }
    // The pixels of rows [top, top + rows), row by row.
    std::vector<COLORREF> band(int top, int rows) const {
        std::vector<COLORREF> pixels;
        for (int y = top; y < top + rows; ++y) {
            for (int x = 0; x < width; ++x) pixels.push_back(at(x, y));
        }
        return pixels;
    }
    // The leftmost column with a non-white pixel in rows [top, top + rows), or -1.
    int first_ink_column(int top, int rows) const {
        for (int x = 0; x < width; ++x) {
            for (int y = top; y < top + rows; ++y) {
                if (at(x, y) != white) return x;
            }
        }
        return -1;
    }
    int width = 0;
    int height = 0;

private:
    HWND window_;
    HDC dc_;
};

// ---- The ring ---------------------------------------------------------------------------------

class TextRingTest : public ::testing::Test {
protected:
    void SetUp() override { reset_text_ring(); }
    void TearDown() override {
        text_block_allocator = GlobalAlloc;
        reset_text_ring();
    }
};

TEST_F(TextRingTest, AfterThirtyMessagesTheRingHoldsTheLastTwentyFive) {
    const int blocks_before = live_global_blocks();
    for (int i = 1; i <= 30; ++i) EXPECT_EQ(VORBL_text_printf("message %d\n", i), 10 + (i >= 10));
    Lines expected;
    for (int i = 6; i <= 30; ++i) expected.push_back("message " + std::to_string(i) + "\n");
    EXPECT_EQ(ring_lines(), expected);
    EXPECT_EQ(text_first, 5);
    EXPECT_EQ(text_next, 5);
    EXPECT_EQ(live_global_blocks() - blocks_before, TEXT_LINE_COUNT);
}

TEST_F(TextRingTest, TwentySixthMessageFreesTheFirstAndTakesItsSlot) {
    for (int i = 1; i <= 25; ++i) VORBL_text_printf("m%d", i);
    EXPECT_EQ(text_first, 0);
    EXPECT_EQ(text_next, 0);
    const int blocks = live_global_blocks();
    VORBL_text_printf("m26");
    EXPECT_EQ(live_global_blocks(), blocks);
    EXPECT_STREQ(static_cast<const char *>(GlobalLock(text_lines[0])), "m26");
    GlobalUnlock(text_lines[0]);
    EXPECT_EQ(GlobalSize(text_lines[0]), 4u);  // exactly the message and its terminator
    EXPECT_EQ(text_first, 1);
    EXPECT_EQ(ring_lines().front(), "m2");
}

TEST_F(TextRingTest, EveryCallStoresExactlyOneLine) {
    EXPECT_EQ(VORBL_text_printf("%s", ""), 0);
    EXPECT_EQ(VORBL_text_printf("two\nrows\n"), 9);
    EXPECT_EQ(ring_lines(), (Lines{"", "two\nrows\n"}));
}

TEST_F(TextRingTest, OutputLongerThanTheBufferIsCutAt1023Characters) {
    const std::string long_text(3000, 'y');
    EXPECT_EQ(VORBL_text_printf("%s%s", long_text.c_str(), long_text.c_str()), 1023);
    ASSERT_EQ(ring_lines().size(), 1u);
    EXPECT_EQ(ring_lines()[0], std::string(1023, 'y'));
}

TEST_F(TextRingTest, FormatThatCannotBeAppliedGivesANegativeResultAndAnEmptyLine) {
    // A wide character with no single-byte form in the "C" locale makes the formatting fail.
    EXPECT_LT(VORBL_text_printf("%ls", L"\u00e9"), 0);
    EXPECT_EQ(ring_lines(), Lines{""});
}

TEST_F(TextRingTest, LineThatCannotBeAllocatedIsDroppedAndTheRingStaysWhole) {
    for (int i = 1; i <= 25; ++i) VORBL_text_printf("kept %d", i);
    const Lines before = ring_lines();
    const std::vector<int> objects = drawing_objects();
    text_block_allocator = no_memory;
    EXPECT_EQ(VORBL_text_printf("lost"), 4);  // the count of the formatting all the same
    EXPECT_EQ(ring_lines(), before);
    EXPECT_EQ(drawing_objects(), objects);
    text_block_allocator = GlobalAlloc;
    VORBL_text_printf("next");
    EXPECT_EQ(ring_lines().front(), "kept 2");
    EXPECT_EQ(ring_lines().back(), "next");
}

// ---- Painting -----------------------------------------------------------------------------------

using TextWindowPaintTest = StartedPackageTest;

TEST_F(TextWindowPaintTest, MessageAsksForARepaintOfTheTextWindow) {
    ValidateRect(text_hwnd, nullptr);
    VORBL_text_printf("repaint me");
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, text_hwnd, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    EXPECT_EQ(message.hwnd, text_hwnd);
}

TEST_F(TextWindowPaintTest, BeforeAnyMessageTheWindowIsPlainWhite) {
    text_window_paint(text_hwnd);
    WindowPixels pixels(text_hwnd);
    ASSERT_GT(pixels.height, 0);
    EXPECT_EQ(pixels.first_ink_column(0, pixels.height), -1);
}

TEST_F(TextWindowPaintTest, NewestLineIsInTheBottomRowStartingAtColumnFive) {
    for (int i = 1; i <= 30; ++i) VORBL_text_printf("line %d\n", i);
    const std::vector<int> before = drawing_objects();
    text_window_paint(text_hwnd);
    EXPECT_EQ(drawing_objects(), before);
    WindowPixels pixels(text_hwnd);
    const int h = fixed_line_height();
    ASSERT_GT(h, 0);
    ASSERT_LT(pixels.height, TEXT_LINE_COUNT * h) << "the window should cut the oldest lines";
    const int bottom_row = pixels.height - h;
    const int column = pixels.first_ink_column(bottom_row, h);
    EXPECT_GE(column, 5);
    EXPECT_LT(column, 5 + h);
    // The row above holds the line before, which differs from the newest only in its digit.
    EXPECT_NE(pixels.band(bottom_row, h), pixels.band(bottom_row - h, h));
    EXPECT_EQ(pixels.first_ink_column(bottom_row - h, h), column);
}

TEST_F(TextWindowPaintTest, TrailingLineFeedIsDrawnAsIfItWereNotThere) {
    VORBL_text_printf("same text\n");
    VORBL_text_printf("same text");
    text_window_paint(text_hwnd);
    WindowPixels pixels(text_hwnd);
    const int h = fixed_line_height();
    EXPECT_EQ(pixels.band(pixels.height - h, h), pixels.band(pixels.height - 2 * h, h));
    EXPECT_NE(pixels.first_ink_column(pixels.height - h, h), -1);
    EXPECT_EQ(ring_lines(), (Lines{"same text", "same text"}));  // the stored line lost its feed
}

TEST_F(TextWindowPaintTest, TwoTrailingLineFeedsLoseOneAtEachPaint) {
    VORBL_text_printf("x\n\n");
    text_window_paint(text_hwnd);
    EXPECT_EQ(ring_lines(), Lines{"x\n"});
    text_window_paint(text_hwnd);
    EXPECT_EQ(ring_lines(), Lines{"x"});
    VORBL_text_printf("x");
    text_window_paint(text_hwnd);
    WindowPixels pixels(text_hwnd);
    const int h = fixed_line_height();
    EXPECT_EQ(pixels.band(pixels.height - h, h), pixels.band(pixels.height - 2 * h, h));
}

// ---- A message before the window exists ------------------------------------------------------

TEST(TextWindowBeforeStartupTest, MessageIsKeptAndShownAtTheFirstPaint) {
    reset_text_ring();
    ASSERT_EQ(text_hwnd, nullptr);
    EXPECT_EQ(VORBL_text_printf("early bird"), 10);
    headless_host_use();
    VORBL_startup(GetModuleHandleA(nullptr), nullptr, const_cast<char *>(""), SW_SHOWNORMAL);
    text_window_paint(text_hwnd);
    {
        WindowPixels pixels(text_hwnd);
        const int h = fixed_line_height();
        EXPECT_GE(pixels.first_ink_column(pixels.height - h, h), 5);
        EXPECT_EQ(pixels.first_ink_column(0, pixels.height - h), -1);
    }
    EXPECT_EQ(ring_lines(), Lines{"early bird"});
    VORBL_shutdown();
    reset_text_ring();
}

}  // namespace
