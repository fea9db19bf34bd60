// gdi_shapes_test.cpp: the pixel rules of Rectangle, Ellipse and Polygon, their clipping at the
// bitmap's edges and with extreme coordinates, and that they give back every object.
#include <climits>
#include <cstdlib>
#include <string>
#include <utility>

#include "gdi_test_support.h"

using namespace gdi_test;
using Picture = std::vector<std::string>;

namespace {

// Draw on a fresh 12 x 9 canvas with the shape's box starting at (1, 1), read it from (0, 0).
template <typename Draw>
Picture shape_picture(int pen_width, bool filled, Draw draw, int w = 12, int h = 9) {
    TestCanvas canvas(w, h);
    PenAndBrush paint(canvas.dc(), pen_width, filled);
    draw(canvas.dc());
    return canvas.picture(0, 0, w, h);
}

}  // namespace

TEST(RectangleRule, FilledBoxCoversExactlyItsPixelsRightAndBottomExcluded) {
    // The renderer's filled rectangle from (-10, 5) to (10, -5) about the origin (300, 270).
    TestCanvas canvas(601, 540);
    {
        PenAndBrush paint(canvas.dc(), 1, true);
        ASSERT_TRUE(Rectangle(canvas.dc(), 290, 265, 311, 276));
    }
    EXPECT_EQ(canvas.count(kPen) + canvas.count(kBrush), 21 * 11);
    EXPECT_EQ(canvas.count(kBrush), 19 * 9);
    EXPECT_EQ(GetPixel(canvas.dc(), 290, 265), kPen);
    EXPECT_EQ(GetPixel(canvas.dc(), 310, 275), kPen);
    EXPECT_EQ(GetPixel(canvas.dc(), 311, 275), kWhite);
    EXPECT_EQ(GetPixel(canvas.dc(), 310, 276), kWhite);
    // As the package fills: pen and brush of one colour, the same 21 x 11 pixels.
    canvas.clear(kWhite);
    HPEN pen = CreatePen(PS_SOLID, 0, kBrush);
    HBRUSH brush = CreateSolidBrush(kBrush);
    HGDIOBJ old_pen = SelectObject(canvas.dc(), pen), old_brush = SelectObject(canvas.dc(), brush);
    Rectangle(canvas.dc(), 290, 265, 311, 276);
    SelectObject(canvas.dc(), old_pen), SelectObject(canvas.dc(), old_brush);
    DeleteObject(pen), DeleteObject(brush);
    EXPECT_EQ(canvas.count(kBrush), 21 * 11);
    EXPECT_EQ(GetPixel(canvas.dc(), 310, 275), kBrush);
    EXPECT_EQ(GetPixel(canvas.dc(), 311, 276), kWhite);
}

TEST(RectangleRule, SmallBoxesWithTheOnePixelPen) {
    // 1 x 1 paints its pixel; 2 x 2 is four pen pixels; 3 x 3 has one brush pixel; width 1 is a
    // column.
    expect_picture(shape_picture(
                       1, true, [](HDC dc) { Rectangle(dc, 1, 1, 2, 2); }, 4, 4),
                   {"....", ".#..", "....", "...."});
    expect_picture(shape_picture(
                       1, true, [](HDC dc) { Rectangle(dc, 1, 1, 3, 3); }, 4, 4),
                   {"....", ".##.", ".##.", "...."});
    expect_picture(shape_picture(
                       1, true, [](HDC dc) { Rectangle(dc, 1, 1, 4, 4); }, 5, 5),
                   {".....", ".###.", ".#o#.", ".###.", "....."});
    expect_picture(shape_picture(
                       1, true, [](HDC dc) { Rectangle(dc, 1, 1, 2, 4); }, 3, 5),
                   {"...", ".#.", ".#.", ".#.", "..."});
}

TEST(RectangleRule, ReversedCornersAreNormalisedAndEmptyBoxesDrawNothing) {
    const Picture forward = shape_picture(1, true, [](HDC dc) { Rectangle(dc, 1, 1, 6, 5); });
    expect_picture(shape_picture(1, true, [](HDC dc) { Rectangle(dc, 6, 5, 1, 1); }), forward);
    const Picture blank = shape_picture(1, true, [](HDC) {});
    expect_picture(shape_picture(1, true, [](HDC dc) { EXPECT_TRUE(Rectangle(dc, 3, 1, 3, 7)); }),
                   blank);
    expect_picture(shape_picture(1, true, [](HDC dc) { EXPECT_TRUE(Ellipse(dc, 1, 4, 9, 4)); }),
                   blank);
}

TEST(RectangleRule, HollowShapesLeaveTheirInsideAlone) {
    TestCanvas canvas(40, 40);
    canvas.clear(kBrush);  // an inside that must survive
    PenAndBrush paint(canvas.dc(), 1, false);
    Rectangle(canvas.dc(), 2, 2, 18, 18);
    Ellipse(canvas.dc(), 20, 2, 38, 18);
    const POINT triangle[3] = {{2, 20}, {30, 22}, {4, 38}};
    Polygon(canvas.dc(), triangle, 3);
    EXPECT_EQ(GetPixel(canvas.dc(), 10, 10), kBrush);
    EXPECT_EQ(GetPixel(canvas.dc(), 29, 10), kBrush);
    EXPECT_EQ(GetPixel(canvas.dc(), 8, 25), kBrush);
    EXPECT_EQ(GetPixel(canvas.dc(), 2, 2), kPen);
    EXPECT_EQ(GetPixel(canvas.dc(), 20, 10), kPen);
}

TEST(RectangleRule, NullPenFillsOnePixelNarrowerAndShorter) {
    expect_picture(shape_picture(
                       kNullPen, true, [](HDC dc) { Rectangle(dc, 1, 1, 6, 5); }, 7, 6),
                   {".......", ".oooo..", ".oooo..", ".oooo..", ".......", "......."});
}

TEST(RectangleRule, WidePenHasRoundedCornersCentredOnTheBorder) {
    const Picture actual = shape_picture(
        3, false, [](HDC dc) { Rectangle(dc, 3, 3, 9, 8); }, 12, 11);
    // Bands 3 wide centred on the border pixels, and 3-wide discs (plus shapes) at the corners.
    expect_picture(actual, {"............", "............", "...######...", "..########..",
                            "..########..", "..###..###..", "..########..", "..########..",
                            "...######...", "............", "............"});
}

TEST(EllipseRule, ReferencePictures) {
    expect_picture(shape_picture(
                       1, true, [](HDC dc) { Ellipse(dc, 1, 1, 4, 4); }, 5, 5),
                   {".....", "..#..", ".#o#.", "..#..", "....."});
    expect_picture(shape_picture(
                       1, true, [](HDC dc) { Ellipse(dc, 1, 1, 5, 5); }, 6, 6),
                   {"......", "..##..", ".#oo#.", ".#oo#.", "..##..", "......"});
    expect_picture(shape_picture(
                       1, true, [](HDC dc) { Ellipse(dc, 1, 1, 6, 6); }, 7, 7),
                   {".......", "..###..", ".#ooo#.", ".#ooo#.", ".#ooo#.", "..###..", "......."});
    expect_picture(shape_picture(
                       1, true, [](HDC dc) { Ellipse(dc, 1, 1, 7, 7); }, 8, 8),
                   {"........", "...##...", "..#oo#..", ".#oooo#.", ".#oooo#.", "..#oo#..",
                    "...##...", "........"});
    expect_picture(shape_picture(
                       1, true, [](HDC dc) { Ellipse(dc, 1, 1, 11, 7); }, 12, 8),
                   {"............", "...######...", "..#oooooo#..", ".#oooooooo#.", ".#oooooooo#.",
                    "..#oooooo#..", "...######...", "............"});
}

// A wide outline strokes the outline's pixel chain: a disc on every pixel and a band on every
// diagonal step, which pokes out past the discs (Windows' picture, taken under Wine).
TEST(EllipseRule, WidePenOutlineIsTheChainStrokedAsWindowsDrawsIt) {
    expect_picture(shape_picture(
                       3, true, [](HDC dc) { Ellipse(dc, 4, 4, 12, 12); }, 16, 15),
                   {"................", "................", "................", "......######....",
                    "....#########...", "...#########....", "...#####o####...", "...####ooo###...",
                    "...####ooo###...", "...#####o####...", "...#########....", "....#########...",
                    "......######....", "................", "................"});
    // A 15 x 11 box: the quadrant walk puts two pixels on the rows next to the middle one.
    expect_picture(shape_picture(
                       1, false, [](HDC dc) { Ellipse(dc, 0, 0, 15, 11); }, 15, 11),
                   {".....#####.....", "...##.....##...", ".##.........##.", ".#...........#.",
                    "#.............#", "#.............#", "#.............#", ".#...........#.",
                    ".##.........##.", "...##.....##...", ".....#####....."});
}

TEST(EllipseRule, TinyBoxesAreRectanglesAndARadiusZeroDiscIsOnePixel) {
    expect_picture(shape_picture(
                       1, true, [](HDC dc) { Ellipse(dc, 1, 1, 2, 2); }, 3, 3),
                   {"...", ".#.", "..."});
    expect_picture(shape_picture(
                       1, true, [](HDC dc) { Ellipse(dc, 1, 1, 3, 3); }, 4, 4),
                   {"....", ".##.", ".##.", "...."});
}

TEST(EllipseRule, NullPenFillsOutlineAndInterior) {
    const Picture disc = {"........", "...oo...", "..oooo..", ".oooooo.",
                          ".oooooo.", "..oooo..", "...oo...", "........"};
    expect_picture(shape_picture(
                       kNullPen, true, [](HDC dc) { Ellipse(dc, 1, 1, 7, 7); }, 8, 8),
                   disc);
    // Outlined in the brush's own colour, as the package fills: the same pixels.
    const Picture same_colour = shape_picture(
        kNullPen, true,
        [](HDC dc) {
            HPEN pen = CreatePen(PS_SOLID, 1, kBrush);
            HGDIOBJ old = SelectObject(dc, pen);
            Ellipse(dc, 1, 1, 7, 7);
            SelectObject(dc, old);
            DeleteObject(pen);
        },
        8, 8);
    expect_picture(same_colour, disc);
}

TEST(EllipseRule, OutlineIsSymmetricAndTouchesEveryEdgeOfItsBox) {
    TestCanvas canvas(200, 120);
    PenAndBrush paint(canvas.dc(), 1, false);
    Ellipse(canvas.dc(), 10, 10, 187, 101);  // 177 x 91, odd sizes
    for (int y = 10; y < 101; ++y)
        for (int x = 10; x < 187; ++x) {
            const COLORREF here = GetPixel(canvas.dc(), x, y);
            ASSERT_EQ(here, GetPixel(canvas.dc(), 10 + 186 - x, y)) << x << "," << y;
            ASSERT_EQ(here, GetPixel(canvas.dc(), x, 10 + 100 - y)) << x << "," << y;
        }
    EXPECT_EQ(GetPixel(canvas.dc(), 98, 10), kPen);
    EXPECT_EQ(GetPixel(canvas.dc(), 98, 100), kPen);
    EXPECT_EQ(GetPixel(canvas.dc(), 10, 55), kPen);
    EXPECT_EQ(GetPixel(canvas.dc(), 186, 55), kPen);
    EXPECT_EQ(GetPixel(canvas.dc(), 98, 9), kWhite);
    EXPECT_EQ(GetPixel(canvas.dc(), 187, 55), kWhite);
}

TEST(PolygonRule, ReferenceTriangles) {
    const POINT corners[3] = {{1, 1}, {7, 1}, {1, 7}};
    expect_picture(shape_picture(
                       1, true, [&](HDC dc) { Polygon(dc, corners, 3); }, 9, 8),
                   {".........", ".#######.", ".#oooo#..", ".#ooo#...", ".#oo#....", ".#o#.....",
                    ".##......", ".#......."});
    expect_picture(shape_picture(
                       kNullPen, true, [&](HDC dc) { Polygon(dc, corners, 3); }, 9, 8),
                   {".........", ".oooooo..", ".ooooo...", ".oooo....", ".ooo.....", ".oo......",
                    ".o.......", "........."});
}

TEST(PolygonRule, DegenerateInput) {
    const POINT two[2] = {{1, 1}, {5, 3}};
    const POINT same[3] = {{4, 4}, {4, 4}, {4, 4}};
    const POINT line[3] = {{1, 1}, {3, 3}, {5, 5}};
    const Picture blank = shape_picture(1, true, [](HDC) {});
    expect_picture(shape_picture(1, true, [&](HDC dc) { EXPECT_FALSE(Polygon(dc, two, 1)); }),
                   blank);
    expect_picture(shape_picture(1, true, [&](HDC dc) { EXPECT_FALSE(Polygon(dc, nullptr, 3)); }),
                   blank);
    expect_picture(shape_picture(1, true, [&](HDC dc) { EXPECT_TRUE(Polygon(dc, same, 3)); }),
                   blank);
    // Two points: the segment both ways, so both ends are painted.
    const Picture segment = shape_picture(1, true, [&](HDC dc) { Polygon(dc, two, 2); });
    EXPECT_EQ(segment[1][1], '#');
    EXPECT_EQ(segment[3][5], '#');
    // Collinear points: no fill, the outline only.
    const Picture collinear = shape_picture(1, true, [&](HDC dc) { Polygon(dc, line, 3); });
    EXPECT_EQ(collinear[5][5], '#');
    EXPECT_EQ(collinear[3][3], '#');
}

// Each shape drawn across an edge of a 601 x 540 canvas shows exactly the pixels that the same
// shape shows on a bigger canvas shifted so that nothing is cut.
TEST(Clipping, ShapesAcrossEveryEdgeMatchAnUnclippedDrawing) {
    constexpr int kMargin = 40;
    TestCanvas clipped(601, 540), whole(601 + 2 * kMargin, 540 + 2 * kMargin);
    const int boxes[4][4] = {
        {-20, 100, 30, 160}, {570, 200, 640, 260}, {250, -25, 330, 20}, {100, 510, 180, 575}};
    for (const auto &b : boxes) {
        PenAndBrush paint_clipped(clipped.dc(), 1, true), paint_whole(whole.dc(), 1, true);
        Ellipse(clipped.dc(), b[0], b[1], b[2], b[3]);
        Ellipse(whole.dc(), b[0] + kMargin, b[1] + kMargin, b[2] + kMargin, b[3] + kMargin);
        const POINT tri[3] = {{b[0], b[1]}, {b[2], b[1] + 7}, {b[0] + 5, b[3]}};
        const POINT shifted[3] = {{b[0] + kMargin, b[1] + kMargin},
                                  {b[2] + kMargin, b[1] + 7 + kMargin},
                                  {b[0] + 5 + kMargin, b[3] + kMargin}};
        Polygon(clipped.dc(), tri, 3);
        Polygon(whole.dc(), shifted, 3);
        Rectangle(clipped.dc(), b[0] + 3, b[1] + 3, b[2] - 3, b[3] - 3);
        Rectangle(whole.dc(), b[0] + 3 + kMargin, b[1] + 3 + kMargin, b[2] - 3 + kMargin,
                  b[3] - 3 + kMargin);
    }
    expect_picture(clipped.picture(0, 0, 601, 540), whole.picture(kMargin, kMargin, 601, 540));
}

TEST(Clipping, ExtremeCoordinatesNeitherCrashNorLeakAndPaintWhatIsInside) {
    const PlatformObjectCounts before = live_objects();
    {
        TestCanvas canvas(601, 540);
        PenAndBrush paint(canvas.dc(), 1, true);
        // A box over the whole 32-bit plane: the canvas is its inside.
        EXPECT_TRUE(Rectangle(canvas.dc(), INT_MIN, INT_MIN, INT_MAX, INT_MAX));
        EXPECT_EQ(canvas.count(kBrush), 601 * 540);
        canvas.clear(kWhite);
        EXPECT_TRUE(Ellipse(canvas.dc(), INT_MIN, INT_MIN, INT_MAX, INT_MAX));
        EXPECT_EQ(canvas.count(kBrush), 601 * 540);  // the middle of a huge disc
        canvas.clear(kWhite);
        const POINT huge[3] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {0, INT_MAX}};
        EXPECT_TRUE(Polygon(canvas.dc(), huge, 3));
        EXPECT_EQ(canvas.count(kBrush), 601 * 540);
        canvas.clear(kWhite);
        // Entirely outside: nothing changes.
        EXPECT_TRUE(Ellipse(canvas.dc(), INT_MAX - 5, INT_MAX - 5, INT_MAX, INT_MAX));
        EXPECT_TRUE(Rectangle(canvas.dc(), INT_MIN, 0, INT_MIN + 10, 10));
        const POINT away[3] = {{INT_MIN, INT_MIN}, {INT_MIN + 9, INT_MIN}, {INT_MIN, INT_MIN + 9}};
        EXPECT_TRUE(Polygon(canvas.dc(), away, 3));
        EXPECT_EQ(canvas.count(kWhite), 601 * 540);
        // A tall thin huge ellipse crossing the canvas paints a band through it.
        EXPECT_TRUE(Ellipse(canvas.dc(), 100, INT_MIN, 200, INT_MAX));
        EXPECT_EQ(GetPixel(canvas.dc(), 150, 270), kBrush);
        EXPECT_EQ(GetPixel(canvas.dc(), 100, 270), kPen);
        EXPECT_EQ(GetPixel(canvas.dc(), 99, 270), kWhite);
    }
    expect_same_objects(before, live_objects());
}

TEST(ObjectBalance, EveryPrimitiveGivesBackWhatItTook) {
    TestCanvas canvas(50, 50);
    const PlatformObjectCounts before = live_objects();
    const POINT tri[3] = {{1, 1}, {30, 5}, {10, 40}};
    for (int width : {0, 1, 5}) {
        for (bool filled : {false, true}) {
            PenAndBrush paint(canvas.dc(), width, filled);
            Rectangle(canvas.dc(), 2, 2, 20, 20);
            Ellipse(canvas.dc(), 2, 2, 20, 20);
            Polygon(canvas.dc(), tri, 3);
            MoveToEx(canvas.dc(), 0, 0, nullptr);
            LineTo(canvas.dc(), 40, 30);
        }
    }
    expect_same_objects(before, live_objects());
}

// Random triangles (some with far corners) filled with NULL_PEN against the sampling rule
// evaluated per pixel: filled when an odd number of edges cross the pixel's row at or left of
// it, an edge covering rows [top, bottom) and crossing at the ceiling of its exact x.
TEST(PolygonRule, RandomTrianglesMatchTheSamplingRuleEvaluatedPerPixel) {
    const unsigned seed = testing::UnitTest::GetInstance()->random_seed() + 777u;
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::srand(seed);
    constexpr int kWidth = 100, kHeight = 80;
    TestCanvas canvas(kWidth, kHeight);
    PenAndBrush paint(canvas.dc(), kNullPen, true);
    for (int trial = 0; trial < 30; ++trial) {
        POINT corners[3];
        for (POINT &corner : corners) {
            const int scale = trial % 5 == 4 ? 1000 : 1;
            corner = POINT{(std::rand() % 160 - 30) * scale, (std::rand() % 130 - 25) * scale};
        }
        canvas.clear(kWhite);
        Polygon(canvas.dc(), corners, 3);
        for (int py = 0; py < kHeight; ++py)
            for (int px = 0; px < kWidth; ++px) {
                int crossings = 0;
                for (int i = 0; i < 3; ++i) {
                    POINT a = corners[i], b = corners[(i + 1) % 3];
                    if (a.y == b.y) continue;
                    if (a.y > b.y) std::swap(a, b);
                    if (py < a.y || py >= b.y) continue;
                    const long long num = static_cast<long long>(a.x) * (b.y - a.y) +
                                          static_cast<long long>(py - a.y) * (b.x - a.x);
                    const long long den = b.y - a.y;
                    long long x = num / den;
                    if (num % den != 0 && num > 0) ++x;  // ceiling
                    crossings += x <= px ? 1 : 0;
                }
                const COLORREF expected = crossings % 2 == 1 ? kBrush : kWhite;
                ASSERT_EQ(GetPixel(canvas.dc(), px, py), expected)
                    << "trial " << trial << " at " << px << "," << py;
            }
    }
}
