// gdi_blits_test.cpp: BitBlt clipping and overlap, ScrollDC's stale strip, FillRect, and single
// pixels at and past the edges.
#include <climits>

#include "gdi_test_support.h"

using namespace gdi_test;

namespace {

// A distinct colour per pixel position, so any misplaced copy shows.
COLORREF stamp(int x, int y) { return RGB(x & 0xFF, y & 0xFF, 7); }

void fill_stamps(const TestCanvas &canvas) {
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) SetPixel(canvas.dc(), x, y, stamp(x, y));
}

}  // namespace

TEST(BitBltCopy, ClippedAtSourceAndDestination) {
    TestCanvas source(20, 10), target(30, 30);
    fill_stamps(source);
    // The block reaches past the source's right edge and the target's top edge.
    ASSERT_TRUE(BitBlt(target.dc(), 5, -3, 25, 8, source.dc(), 4, 1, SRCCOPY));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            const int sx = x - 5 + 4, sy = y + 3 + 1;
            const bool copied = x >= 5 && y < 5 && sx < 20;
            ASSERT_EQ(GetPixel(target.dc(), x, y), copied ? stamp(sx, sy) : kWhite)
                << x << "," << y;
        }
}

TEST(BitBltCopy, OverlappingCopiesWithinOneBitmapActLikeMemmove) {
    TestCanvas canvas(16, 16);
    for (const auto &[dx, dy] :
         {std::pair{3, 2}, std::pair{-2, -3}, std::pair{0, 1}, std::pair{1, 0}}) {
        fill_stamps(canvas);
        ASSERT_TRUE(BitBlt(canvas.dc(), 4 + dx, 4 + dy, 8, 8, canvas.dc(), 4, 4, SRCCOPY));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                ASSERT_EQ(GetPixel(canvas.dc(), 4 + dx + x, 4 + dy + y), stamp(4 + x, 4 + y))
                    << dx << "," << dy << " at " << x << "," << y;
    }
}

TEST(BitBltCopy, BadArgumentsFailOrDrawNothing) {
    TestCanvas source(8, 8), target(8, 8);
    fill_stamps(source);
    EXPECT_FALSE(BitBlt(nullptr, 0, 0, 8, 8, source.dc(), 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, 8, 8, nullptr, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, 8, 8, source.dc(), 0, 0, 0x00EE0086));  // SRCPAINT
    EXPECT_TRUE(BitBlt(target.dc(), 0, 0, -8, 8, source.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(target.dc(), INT_MAX, INT_MIN, INT_MAX, INT_MAX, source.dc(), INT_MIN,
                       INT_MAX, SRCCOPY));
    EXPECT_TRUE(BitBlt(target.dc(), INT_MIN, INT_MIN, INT_MAX, INT_MAX, source.dc(), INT_MIN,
                       INT_MIN, SRCCOPY));
    EXPECT_EQ(target.count(kWhite), 64);
    // A memory DC that still holds its default 1 x 1 bitmap: one pixel at most, nothing outside.
    HDC bare = CreateCompatibleDC(nullptr);
    EXPECT_TRUE(BitBlt(bare, -5, -5, 100, 100, source.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(bare, 1, 0), CLR_INVALID);
    DeleteDC(bare);
}

TEST(ScrollDCMove, UpByOneLineLeavesTheBottomStripStale) {
    TestCanvas canvas(12, 20);
    fill_stamps(canvas);
    RECT update{};
    ASSERT_TRUE(ScrollDC(canvas.dc(), 0, -5, nullptr, nullptr, nullptr, &update));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 12; ++x) {
            const COLORREF expected =
                y < 15 ? stamp(x, y + 5) : stamp(x, y);  // rows 15..19 untouched
            ASSERT_EQ(GetPixel(canvas.dc(), x, y), expected) << x << "," << y;
        }
    EXPECT_EQ(update.left, 0);
    EXPECT_EQ(update.top, 15);
    EXPECT_EQ(update.right, 12);
    EXPECT_EQ(update.bottom, 20);
}

TEST(ScrollDCMove, ScrollAndClipRectanglesLimitTheMove) {
    TestCanvas canvas(12, 12);
    fill_stamps(canvas);
    const RECT scroll{2, 2, 6, 6};
    ASSERT_TRUE(ScrollDC(canvas.dc(), 3, 0, &scroll, nullptr, nullptr, nullptr));
    EXPECT_EQ(GetPixel(canvas.dc(), 5, 2), stamp(2, 2));
    EXPECT_EQ(GetPixel(canvas.dc(), 8, 5), stamp(5, 5));
    EXPECT_EQ(GetPixel(canvas.dc(), 9, 5), stamp(9, 5));  // outside the moved block
    EXPECT_EQ(GetPixel(canvas.dc(), 2, 2), stamp(2, 2));  // uncovered: stale
    fill_stamps(canvas);
    const RECT clip{0, 0, 12, 6};
    ASSERT_TRUE(ScrollDC(canvas.dc(), 0, 4, nullptr, &clip, nullptr, nullptr));
    EXPECT_EQ(GetPixel(canvas.dc(), 3, 5), stamp(3, 1));
    EXPECT_EQ(GetPixel(canvas.dc(), 3, 6), stamp(3, 6));  // below the clip: untouched
    EXPECT_FALSE(ScrollDC(nullptr, 0, 1, nullptr, nullptr, nullptr, nullptr));
    EXPECT_TRUE(ScrollDC(canvas.dc(), INT_MIN, INT_MAX, nullptr, nullptr, nullptr, nullptr));
}

// A reversed box fills from its far edge back to its near one, both moved by one pixel (left 9,
// right 7 fills columns 8 and 9), as the block transfer with a negative extent does on Windows.
TEST(FillRectPaint, FillsTheBoxIgnoringTheSelectionAndShiftsReversedBoxesByOne) {
    TestCanvas canvas(10, 10);
    HBRUSH brush = CreateSolidBrush(kBrush);
    PenAndBrush selection(canvas.dc(), 3, false);  // must not matter
    const RECT box{2, 3, 6, 5}, reversed{9, 9, 7, 6}, empty{4, 4, 4, 8};
    EXPECT_TRUE(FillRect(canvas.dc(), &box, brush));
    EXPECT_TRUE(FillRect(canvas.dc(), &reversed, brush));
    EXPECT_TRUE(FillRect(canvas.dc(), &empty, brush));
    EXPECT_EQ(canvas.count(kBrush), 4 * 2 + 2 * 3);
    EXPECT_EQ(GetPixel(canvas.dc(), 5, 4), kBrush);
    EXPECT_EQ(GetPixel(canvas.dc(), 6, 4), kWhite);
    EXPECT_EQ(GetPixel(canvas.dc(), 8, 8), kBrush);
    EXPECT_EQ(GetPixel(canvas.dc(), 9, 9), kBrush);
    EXPECT_EQ(GetPixel(canvas.dc(), 7, 8), kWhite);
    EXPECT_EQ(GetPixel(canvas.dc(), 8, 6), kWhite);
    EXPECT_FALSE(FillRect(canvas.dc(), nullptr, brush));
    EXPECT_FALSE(FillRect(nullptr, &box, brush));
    EXPECT_FALSE(FillRect(canvas.dc(), &box, reinterpret_cast<HBRUSH>(0x7777)));
    const RECT all{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_TRUE(FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))));
    EXPECT_EQ(canvas.count(kBrush), 14);
    EXPECT_TRUE(FillRect(canvas.dc(), &all, brush));
    EXPECT_EQ(canvas.count(kBrush), 100);
    DeleteObject(brush);
}

TEST(SinglePixels, SetAndGetInsideAndOutside) {
    TestCanvas canvas(5, 5);
    EXPECT_EQ(SetPixel(canvas.dc(), 4, 4, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(canvas.dc(), 4, 4), RGB(1, 2, 3));
    EXPECT_EQ(SetPixel(canvas.dc(), 0, 0, 0xFF0A0B0C),
              RGB(0x0C, 0x0B, 0x0A));  // the high byte is dropped
    for (const auto &[x, y] :
         {std::pair{5, 0}, std::pair{0, 5}, std::pair{-1, 2}, std::pair{INT_MIN, INT_MAX}}) {
        EXPECT_EQ(SetPixel(canvas.dc(), x, y, kPen), CLR_INVALID);
        EXPECT_EQ(GetPixel(canvas.dc(), x, y), CLR_INVALID);
    }
    EXPECT_EQ(canvas.count(kPen), 0);
    EXPECT_EQ(GetPixel(nullptr, 0, 0), CLR_INVALID);
}
