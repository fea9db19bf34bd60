// gdi_lines_test.cpp: the one-pixel line rule (start in, end out, ties to the smaller
// coordinate, direction-independent), wide pens with round caps, and lines clipped at the edges.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>

#include "gdi_test_support.h"

using namespace gdi_test;
using PixelSet = std::set<std::pair<int, int>>;

namespace {

constexpr int kSize = 40;
constexpr int kOrigin = 20;  // lines are drawn relative to the canvas centre so negatives show

// The pen pixels of the line (x1, y1) -> (x2, y2), relative to the origin.
PixelSet line_pixels(int x1, int y1, int x2, int y2, int width = 1) {
    TestCanvas canvas(kSize, kSize);
    PenAndBrush paint(canvas.dc(), width, false);
    MoveToEx(canvas.dc(), kOrigin + x1, kOrigin + y1, nullptr);
    LineTo(canvas.dc(), kOrigin + x2, kOrigin + y2);
    PixelSet pixels;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if (GetPixel(canvas.dc(), x, y) == kPen) pixels.emplace(x - kOrigin, y - kOrigin);
    return pixels;
}

}  // namespace

TEST(CosmeticLine, ExactPixelsIncludingTiesAndReversedLines) {
    EXPECT_EQ(line_pixels(0, 0, 4, 2), (PixelSet{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    EXPECT_EQ(line_pixels(4, 2, 0, 0), (PixelSet{{4, 2}, {3, 1}, {2, 1}, {1, 0}}));
    EXPECT_EQ(line_pixels(0, 0, 2, 4), (PixelSet{{0, 0}, {0, 1}, {1, 2}, {1, 3}}));
    EXPECT_EQ(line_pixels(0, 0, 4, -2), (PixelSet{{0, 0}, {1, -1}, {2, -1}, {3, -2}}));
    EXPECT_EQ(line_pixels(0, 0, 3, 3), (PixelSet{{0, 0}, {1, 1}, {2, 2}}));
}

TEST(CosmeticLine, ReversedLineSwapsOnlyItsEnds) {
    const int ends[][4] = {
        {0, 0, 7, 3}, {-5, 2, 6, -9}, {3, -8, -4, 5}, {-9, -1, 9, 1}, {2, 9, -3, -10}};
    for (const auto &e : ends) {
        PixelSet forward = line_pixels(e[0], e[1], e[2], e[3]);
        PixelSet backward = line_pixels(e[2], e[3], e[0], e[1]);
        forward.erase({e[0], e[1]});
        forward.emplace(e[2], e[3]);
        EXPECT_EQ(forward, backward) << e[0] << "," << e[1] << " -> " << e[2] << "," << e[3];
    }
}

TEST(CosmeticLine, AxisLinesAndZeroLength) {
    EXPECT_EQ(line_pixels(0, 0, 3, 0), (PixelSet{{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_EQ(line_pixels(0, 0, -3, 0), (PixelSet{{0, 0}, {-1, 0}, {-2, 0}}));
    EXPECT_EQ(line_pixels(0, 0, 0, 2), (PixelSet{{0, 0}, {0, 1}}));
    EXPECT_EQ(line_pixels(0, 0, 0, -2), (PixelSet{{0, 0}, {0, -1}}));
    EXPECT_TRUE(line_pixels(5, 5, 5, 5).empty());
    EXPECT_TRUE(line_pixels(5, 5, 5, 5, 0).empty());
}

TEST(CosmeticLine, ChainedLinesPaintEveryVertexOnceAndMoveTheCurrentPosition) {
    TestCanvas canvas(20, 20);
    PenAndBrush paint(canvas.dc(), 0, false);
    POINT previous{-1, -1};
    MoveToEx(canvas.dc(), 2, 2, nullptr);
    LineTo(canvas.dc(), 10, 2);
    LineTo(canvas.dc(), 10, 8);
    ASSERT_TRUE(MoveToEx(canvas.dc(), 0, 0, &previous));
    EXPECT_EQ(previous.x, 10);
    EXPECT_EQ(previous.y, 8);
    EXPECT_EQ(GetPixel(canvas.dc(), 10, 2), kPen);  // the corner
    EXPECT_EQ(GetPixel(canvas.dc(), 10, 7), kPen);
    EXPECT_EQ(GetPixel(canvas.dc(), 10, 8), kWhite);  // the final end is not painted
    EXPECT_EQ(canvas.count(kPen), 8 + 6);
}

TEST(CosmeticLine, ClippingKeepsThePixelsOfTheUnclippedLine) {
    constexpr int kMargin = 50;
    TestCanvas clipped(601, 540), whole(601 + 2 * kMargin, 540 + 2 * kMargin);
    const int lines[][4] = {
        {-30, -17, 640, 560}, {620, 40, -45, 511}, {300, -49, 290, 589}, {-49, 300, 649, 297}};
    {
        PenAndBrush a(clipped.dc(), 1, false), b(whole.dc(), 1, false);
        for (const auto &l : lines) {
            MoveToEx(clipped.dc(), l[0], l[1], nullptr);
            LineTo(clipped.dc(), l[2], l[3]);
            MoveToEx(whole.dc(), l[0] + kMargin, l[1] + kMargin, nullptr);
            LineTo(whole.dc(), l[2] + kMargin, l[3] + kMargin);
        }
    }
    expect_picture(clipped.picture(0, 0, 601, 540), whole.picture(kMargin, kMargin, 601, 540));
}

TEST(CosmeticLine, ExtremeEndsDrawTheVisiblePartWithoutOverflow) {
    TestCanvas canvas(601, 540);
    PenAndBrush paint(canvas.dc(), 1, false);
    MoveToEx(canvas.dc(), INT_MIN, 7, nullptr);
    ASSERT_TRUE(LineTo(canvas.dc(), INT_MAX, 7));
    for (int x : {0, 300, 600}) EXPECT_EQ(GetPixel(canvas.dc(), x, 7), kPen);
    // The main diagonal of the whole plane passes through every (k, k).
    MoveToEx(canvas.dc(), INT_MIN, INT_MIN, nullptr);
    ASSERT_TRUE(LineTo(canvas.dc(), INT_MAX, INT_MAX));
    for (int k : {0, 100, 539}) EXPECT_EQ(GetPixel(canvas.dc(), k, k), kPen);
    EXPECT_EQ(GetPixel(canvas.dc(), 101, 100), kWhite);
    MoveToEx(canvas.dc(), INT_MAX, INT_MIN, nullptr);
    ASSERT_TRUE(LineTo(canvas.dc(), INT_MAX - 1, INT_MAX));
    EXPECT_EQ(canvas.count(kPen), 601 + 540 - 1);  // the two lines share (7, 7)
}

TEST(WidePen, HorizontalLineHasRoundCapsAndPaintsItsEnd) {
    // Width 7 from (-5, 0) to (5, 0): a band of rows -3..3 over x -5..4, caps of radius 3 at both
    // ends, so the row of the line runs from -8 to 8.
    const PixelSet pixels = line_pixels(-5, 0, 5, 0, 7);
    for (int x = -8; x <= 8; ++x) EXPECT_TRUE(pixels.count({x, 0})) << x;
    EXPECT_FALSE(pixels.count({-9, 0}));
    EXPECT_FALSE(pixels.count({9, 0}));
    for (int y = -3; y <= 3; ++y) EXPECT_TRUE(pixels.count({5, y})) << y;  // the end point's column
    EXPECT_FALSE(pixels.count({-8, -3}));  // the caps are round: no square corners
    EXPECT_FALSE(pixels.count({8, 3}));
    EXPECT_FALSE(pixels.count({0, 4}));
    EXPECT_FALSE(pixels.count({0, -4}));
}

// A sloped wide line is a band whose half-widths are rounded per axis, with a round cap on each
// end; the picture is the one Windows' GDI draws (taken under Wine, the suite's referee).
TEST(WidePen, SlopedLineIsTheBandWindowsDraws) {
    TestCanvas canvas(24, 18);
    PenAndBrush paint(canvas.dc(), 4, false);
    MoveToEx(canvas.dc(), 2, 3, nullptr);
    LineTo(canvas.dc(), 20, 15);
    expect_picture(
        canvas.picture(0, 0, 24, 18),
        {"........................", ".##.....................", "######..................",
         "#######.................", ".########...............", ".#########..............",
         "...#########............", "....#########...........", "......#########.........",
         ".......#########........", ".........#########......", "..........#########.....",
         "............#########...", ".............#########..", "...............#######..",
         "................######..", "..................###...", "........................"});
}

TEST(WidePen, NullPenDrawsNothingButStillMoves) {
    TestCanvas canvas(20, 20);
    HGDIOBJ old = SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    MoveToEx(canvas.dc(), 1, 1, nullptr);
    EXPECT_TRUE(LineTo(canvas.dc(), 15, 12));
    POINT position{};
    MoveToEx(canvas.dc(), 0, 0, &position);
    EXPECT_EQ(position.x, 15);
    EXPECT_EQ(canvas.count(kWhite), 400);
    SelectObject(canvas.dc(), old);
}

// Random lines, some from far outside, against the rule evaluated directly for every step (the
// rasterizer finds the same pixels by stepping). The seed is printed so a failure can be rerun.
TEST(CosmeticLine, RandomLinesMatchTheRoundingRuleEvaluatedPerStep) {
    const unsigned seed = testing::UnitTest::GetInstance()->random_seed() + 12345u;
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::srand(seed);
    auto coordinate = [](int span, bool far) {
        const int value = std::rand() % span - span / 4;
        return far ? value * 500 + std::rand() % 7 : value;
    };
    constexpr int kWidth = 160, kHeight = 120;
    TestCanvas canvas(kWidth, kHeight);
    PenAndBrush paint(canvas.dc(), 1, false);
    for (int trial = 0; trial < 60; ++trial) {
        const bool far = trial % 4 == 3;
        const long long x1 = coordinate(240, far), y1 = coordinate(180, far);
        const long long x2 = coordinate(240, false), y2 = coordinate(180, false);
        canvas.clear(kWhite);
        MoveToEx(canvas.dc(), static_cast<int>(x1), static_cast<int>(y1), nullptr);
        LineTo(canvas.dc(), static_cast<int>(x2), static_cast<int>(y2));
        const long long dx = x2 - x1, dy = y2 - y1;
        const bool x_major = std::llabs(dx) > std::llabs(dy);
        const long long length = std::max(std::llabs(dx), std::llabs(dy));
        int expected = 0;
        for (long long k = 0; k < length; ++k) {
            // minor = start + ceil(k * d_minor / length - 1/2), evaluated exactly.
            const long long d_minor = x_major ? dy : dx;
            const long long numerator = 2 * k * d_minor - length, denominator = 2 * length;
            long long step = numerator / denominator;
            if (numerator % denominator != 0 && numerator > 0) ++step;
            const long long major =
                (x_major ? x1 : y1) + (x_major ? (dx > 0 ? k : -k) : (dy > 0 ? k : -k));
            const long long minor = (x_major ? y1 : x1) + step;
            const long long x = x_major ? major : minor, y = x_major ? minor : major;
            if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) continue;
            ++expected;
            ASSERT_EQ(GetPixel(canvas.dc(), static_cast<int>(x), static_cast<int>(y)), kPen)
                << "trial " << trial << " step " << k;
        }
        ASSERT_EQ(canvas.count(kPen), expected) << "trial " << trial;
    }
}
