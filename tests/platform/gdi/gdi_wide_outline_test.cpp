// gdi_wide_outline_test.cpp: the row-by-row stroke of a wide ellipse outline against the stroke
// built piece by piece (a disc on every chain pixel, a band on every diagonal step, as GDI builds
// it, which the conformance suite compares with Wine), on random boxes partly off the bitmap; and
// that a wide outline costs rows of the bitmap, not rows of its pen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "gdi/raster/raster_ellipse.h"
#include "gdi/raster/raster_pen.h"
#include "gdi/raster/raster_wide_outline.h"
#include "gdi_test_support.h"

using namespace platform::raster;
using platform::PixelSurface;

namespace {

struct Bitmap {
    std::vector<std::uint32_t> pixels;
    PixelSurface surface;
    Bitmap(int width, int height) : pixels(static_cast<std::size_t>(width) * height, 0) {
        surface = PixelSurface{pixels.data(), width, height, width};
    }
};

// The stroke from the general pieces: PenDisc stamps and wide_segment_body's polygon bands, in
// the direction GDI walks each step (counter-clockwise from the right end of the middle row).
void stroke_from_general_pieces(const PixelSurface &surface, Coord left, Coord top,
                                const EllipseRows &rows, int width, std::uint32_t pixel) {
    const PenDisc disc(width);
    const Coord mirror = left + rows.width() - 1, last = rows.height() - 1;
    for (Coord row = 0; row < rows.height(); ++row) {
        const EllipseRun run = rows.row(row);
        if (run.outer < run.inner) continue;
        disc.stamp_run(surface, top + row, mirror - run.outer, mirror - run.inner, pixel);
        disc.stamp_run(surface, top + row, left + run.inner, left + run.outer, pixel);
        const Point64 right{left + run.inner, top + row}, left_side{mirror - run.inner, top + row};
        if (2 * row <= last && row > 0 && rows.row(row - 1).outer + 1 == run.inner) {
            wide_segment_body(surface, right, {right.x - 1, right.y - 1}, width, pixel);
            wide_segment_body(surface, {left_side.x + 1, left_side.y - 1}, left_side, width, pixel);
        }
        if (2 * row >= last && row < last && rows.row(row + 1).outer + 1 == run.inner) {
            wide_segment_body(surface, left_side, {left_side.x + 1, left_side.y + 1}, width, pixel);
            wide_segment_body(surface, {right.x - 1, right.y + 1}, right, width, pixel);
        }
    }
}

std::string describe(Coord left, Coord top, Coord w, Coord h, int width) {
    return "box " + std::to_string(left) + "," + std::to_string(top) + " " + std::to_string(w) +
           "x" + std::to_string(h) + " pen " + std::to_string(width);
}

}  // namespace

// Random boxes from 3 to 70 pixels a side, some reaching past the bitmap's edges, with pens 2 to
// 40 wide: the piece-by-piece stroke (precomputed band rows) paints the pixels of the stroke from
// the general pieces, and the row-by-row stroke the same. The seed is printed.
TEST(WideOutline, RowByRowStrokeEqualsThePieceByPieceStroke) {
    const unsigned seed = testing::UnitTest::GetInstance()->random_seed() + 4242u;
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::srand(seed);
    constexpr int kWidth = 64, kHeight = 48;
    for (int trial = 0; trial < 400; ++trial) {
        const Coord w = 3 + std::rand() % 68, h = 3 + std::rand() % 68;
        const Coord left = std::rand() % 90 - 40, top = std::rand() % 80 - 40;
        const int width = 2 + std::rand() % 39;
        const EllipseRows rows(w, h);
        Bitmap expected(kWidth, kHeight), pieces(kWidth, kHeight), by_rows(kWidth, kHeight);
        stroke_from_general_pieces(expected.surface, left, top, rows, width, 1);
        wide_ellipse_outline_by_pieces(pieces.surface, left, top, rows, width, 1);
        wide_ellipse_outline_by_rows(by_rows.surface, left, top, rows, width, 1);
        ASSERT_EQ(pieces.pixels, expected.pixels)
            << "by pieces, " << describe(left, top, w, h, width);
        ASSERT_EQ(by_rows.pixels, expected.pixels)
            << "by rows, " << describe(left, top, w, h, width);
    }
}

// Boxes up to 600 pixels a side placed so that their outline passes anywhere from across the
// bitmap to beyond the pen's reach, with pens 17 to 300 wide: the row-by-row stroke, which
// passes over chain rows whose pieces lie too far across to reach a row, still paints every
// pixel the pieces do. The seed is printed.
TEST(WideOutline, PassingOverFarChainRowsLosesNoPixel) {
    const unsigned seed = testing::UnitTest::GetInstance()->random_seed() + 1717u;
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::srand(seed);
    constexpr int kWidth = 64, kHeight = 48;
    for (int trial = 0; trial < 120; ++trial) {
        const Coord w = 3 + std::rand() % 598, h = 3 + std::rand() % 598;
        const Coord left = std::rand() % (w + 400) - w - 200;
        const Coord top = std::rand() % (h + 400) - h - 200;
        const int width = 17 + std::rand() % 284;
        const EllipseRows rows(w, h);
        Bitmap expected(kWidth, kHeight), by_rows(kWidth, kHeight);
        wide_ellipse_outline_by_pieces(expected.surface, left, top, rows, width, 1);
        wide_ellipse_outline_by_rows(by_rows.surface, left, top, rows, width, 1);
        ASSERT_EQ(by_rows.pixels, expected.pixels) << describe(left, top, w, h, width);
    }
}

// A box far wider than the canvas whose outline stays just beyond the widest pen's reach of it
// (found by fuzzing) once gathered all 131,000 chain rows within that reach into each of the
// 540 rows, about a second and a half; no chain row comes near, so none is gathered.
TEST(WideOutline, ChainRowsBeyondThePensReachAreNeverGathered) {
    gdi_test::TestCanvas canvas(601, 540);
    HPEN pen = CreatePen(PS_SOLID, 65536, RGB(255, 0, 0));
    HGDIOBJ old_pen = SelectObject(canvas.dc(), pen);
    HGDIOBJ old_brush = SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    const std::uint64_t before = chain_rows_gathered;
    EXPECT_TRUE(Ellipse(canvas.dc(), -65127, -65288, 1073742121, 2147483000));
    EXPECT_EQ(chain_rows_gathered - before, 0u);
    EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), RGB(255, 255, 255)) << "the stroke passes outside";
    SelectObject(canvas.dc(), old_brush);
    SelectObject(canvas.dc(), old_pen);
    DeleteObject(pen);
}

// A tall oval far past the bitmap with a 10000-pixel pen once wrote about ten million row spans
// (2 x 10000 extra chain rows, each stamping a disc of up to 540 rows); row by row it writes at
// most two spans per bitmap row, whatever the pen.
TEST(WideOutline, CostsRowsOfTheBitmapNotRowsOfThePen) {
    gdi_test::TestCanvas canvas(601, 540);
    HPEN pen = CreatePen(PS_SOLID, 10000, RGB(255, 0, 0));
    HGDIOBJ old_pen = SelectObject(canvas.dc(), pen);
    HGDIOBJ old_brush = SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    const std::uint64_t before = spans_filled;
    EXPECT_TRUE(Ellipse(canvas.dc(), 0, -99730, 601, 100270));
    EXPECT_LE(spans_filled - before, 2u * 540u);
    EXPECT_EQ(GetPixel(canvas.dc(), 300, 270), RGB(255, 0, 0));  // deep inside the stroke
    const std::uint64_t widest = spans_filled;
    SelectObject(canvas.dc(), old_pen);
    DeleteObject(pen);
    pen = CreatePen(PS_SOLID, 65536, RGB(0, 0, 255));
    SelectObject(canvas.dc(), pen);
    EXPECT_TRUE(Ellipse(canvas.dc(), -700, -2147483000, 748, 1165876244));
    EXPECT_LE(spans_filled - widest, 2u * 540u);
    EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), RGB(0, 0, 255));
    SelectObject(canvas.dc(), old_brush);
    SelectObject(canvas.dc(), old_pen);
    DeleteObject(pen);
}
