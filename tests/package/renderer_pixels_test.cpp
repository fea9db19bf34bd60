// Tests of the canvas renderer: the coordinate mapping and the pixels of each kind of record at
// the edges its rules define, the layout of text lines around the anchor, the erased canvas,
// the dirty flag, and the state of the canvas's device context after each record.
#include <climits>
#include <vector>

#include "package_test_canvas.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

using package_test::canvas_pixel;
using package_test::CanvasTest;
using package_test::count_pixels;
using package_test::drawing_objects;
using package_test::fill_canvas;

const COLORREF white = RGB(255, 255, 255);
const COLORREF black = RGB(0, 0, 0);
const COLORREF red = RGB(255, 0, 0);
const COLORREF chalk = RGB(255, 255, 153);

DrawRecord make_record(int kind, int color, int width, int x1, int y1, int x2, int y2) {
    DrawRecord record{};
    record.kind = kind;
    record.color = color;
    record.width = width;
    record.x1 = x1;
    record.y1 = y1;
    record.x2 = x2;
    record.y2 = y2;
    return record;
}

// The pixels of the canvas that are not `background`, as a snapshot to compare.
std::vector<bool> marked_pixels(COLORREF background) {
    std::vector<bool> marked;
    marked.reserve(CANVAS_WIDTH * CANVAS_HEIGHT);
    for (int y = 0; y < CANVAS_HEIGHT; ++y) {
        for (int x = 0; x < CANVAS_WIDTH; ++x) marked.push_back(canvas_pixel(x, y) != background);
    }
    return marked;
}

// The first and last canvas rows holding a pixel that is not white; {-1, -1} when none does.
std::pair<int, int> marked_rows() {
    int first = -1, last = -1;
    for (int y = 0; y < CANVAS_HEIGHT; ++y) {
        if (count_pixels(white, 0, y, CANVAS_WIDTH, y + 1) == CANVAS_WIDTH) continue;
        if (first < 0) first = y;
        last = y;
    }
    return {first, last};
}

using RendererTest = CanvasTest;

// ---- Shapes ---------------------------------------------------------------------------------

TEST_F(RendererTest, FilledRectangleCoversBothCornerPixels) {
    const DrawRecord record = make_record(DRAW_RECTANGLE, RED, 0, -10, 5, 10, -5);
    render_record(&record);
    EXPECT_EQ(count_pixels(red, 290, 265, 311, 276), 21 * 11);
    EXPECT_EQ(count_pixels(red, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT), 21 * 11);
    EXPECT_EQ(canvas_dirty, 1);
}

TEST_F(RendererTest, MappingFollowsTheOriginAndTurnsYUpward) {
    origin_x = 10;
    origin_y = 500;
    const DrawRecord record = make_record(DRAW_POINT, BLUE, 0, 5, 7, 0, 0);
    render_record(&record);
    EXPECT_EQ(canvas_pixel(15, 493), RGB(0, 0, 255));
    EXPECT_EQ(count_pixels(RGB(0, 0, 255), 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT), 1);
}

TEST_F(RendererTest, CircleOfRadiusZeroIsOnePixel) {
    VORBL_draw_circle(RED, 0, 0, 0);
    EXPECT_EQ(canvas_pixel(300, 270), red);
    EXPECT_EQ(count_pixels(red, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT), 1);
}

TEST_F(RendererTest, HollowShapesLeaveTheirInsideAlone) {
    fill_canvas(chalk);
    VORBL_draw_triangle(RED, -100, -20, -40, -20, -100, 40, 1);
    VORBL_draw_rectangle(RED, -30, 30, 30, -30, 2);
    VORBL_draw_oval(RED, 40, 30, 140, -30, 3);
    EXPECT_EQ(canvas_pixel(300 - 90, 270), chalk);  // inside the triangle
    EXPECT_EQ(canvas_pixel(300, 270), chalk);       // inside the rectangle
    EXPECT_EQ(canvas_pixel(300 + 90, 270), chalk);  // inside the oval
    EXPECT_EQ(canvas_pixel(300 - 100, 270), red);   // the triangle's left edge
    EXPECT_EQ(canvas_pixel(300 - 30, 270), red);    // the rectangle's left edge
    EXPECT_EQ(canvas_pixel(300 + 40, 270), red);    // the oval's leftmost pixel
}

TEST_F(RendererTest, ColourOutsideTheTableIsDrawnInRedInsteadOfReadingPastIt) {
    const DrawRecord record = make_record(DRAW_POINT, 1000, 0, 0, 0, 0, 0);
    render_record(&record);
    EXPECT_EQ(canvas_pixel(300, 270), red);
}

TEST_F(RendererTest, UnknownKindDrawsNothingButMarksTheCanvas) {
    const DrawRecord record = make_record(42, RED, 0, -10, 10, 10, -10);
    render_record(&record);
    EXPECT_EQ(count_pixels(white, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT), CANVAS_WIDTH * CANVAS_HEIGHT);
    EXPECT_EQ(canvas_dirty, 1);
}

TEST_F(RendererTest, CoordinatesBeyondThirtyTwoBitsAreClippedNotWrapped) {
    // origin_x + x overflows 32 bits; a wrapped value would land on the canvas.
    const DrawRecord record = make_record(DRAW_RECTANGLE, RED, 0, INT_MAX - 100, 10, INT_MAX, -10);
    render_record(&record);
    const DrawRecord point = make_record(DRAW_POINT, RED, 0, INT_MAX, INT_MIN, 0, 0);
    render_record(&point);
    EXPECT_EQ(count_pixels(red, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT), 0);
}

// ---- Text -----------------------------------------------------------------------------------

TEST_F(RendererTest, FirstLineStandsOnTheAnchorAndTheNextStartsAtItsRow) {
    VORBL_draw_text(BLACK, 0, 0, 30, "A\n");
    const auto [a_top, a_bottom] = marked_rows();
    const std::vector<bool> a_only = marked_pixels(white);
    ASSERT_GE(a_top, 0) << "the A drew nothing";
    EXPECT_LT(a_bottom, 270);
    EXPECT_GE(a_top, 270 - 40);

    fill_canvas(white);
    VORBL_draw_text(BLACK, 0, 0, 30, "\nB");
    const auto [b_top, b_bottom] = marked_rows();
    const std::vector<bool> b_only = marked_pixels(white);
    ASSERT_GE(b_top, 0) << "the B drew nothing";
    EXPECT_GE(b_top, 270);
    EXPECT_LT(b_bottom, 270 + 40);

    // "A\nB" is exactly the A above the anchor row and the B from it down.
    fill_canvas(white);
    VORBL_draw_text(BLACK, 0, 0, 30, "A\nB");
    const std::vector<bool> both = marked_pixels(white);
    for (std::size_t i = 0; i < both.size(); ++i) {
        ASSERT_EQ(both[i], a_only[i] || b_only[i])
            << "pixel " << i % CANVAS_WIDTH << ", " << i / CANVAS_WIDTH;
    }
}

TEST_F(RendererTest, TextStartsAtTheAnchorColumnInItsColour) {
    VORBL_draw_text(RED, -100, 0, 40, "HH");
    int leftmost = CANVAS_WIDTH;
    for (int x = 0; x < CANVAS_WIDTH && leftmost == CANVAS_WIDTH; ++x) {
        if (count_pixels(white, x, 0, x + 1, CANVAS_HEIGHT) != CANVAS_HEIGHT) leftmost = x;
    }
    EXPECT_GE(leftmost, 200);
    EXPECT_LT(leftmost, 200 + 10);  // no more than the glyph's left bearing to its right
    EXPECT_GT(count_pixels(red, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT), 0);
}

TEST_F(RendererTest, EmptyTextDrawsNothingAndStillMarksTheCanvas) {
    VORBL_draw_text(BLACK, 0, 0, 20, "");
    EXPECT_EQ(count_pixels(white, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT), CANVAS_WIDTH * CANVAS_HEIGHT);
    EXPECT_EQ(canvas_dirty, 1);
}

TEST_F(RendererTest, TextLeavesItsColourButRestoresBackgroundModeAndObjects) {
    SetBkMode(canvas_dc, OPAQUE);
    const std::vector<int> before = drawing_objects();
    VORBL_draw_text(GREEN, 0, 0, 20, "Mode");
    EXPECT_EQ(GetBkMode(canvas_dc), OPAQUE);
    EXPECT_EQ(GetTextColor(canvas_dc), RGB(0, 255, 0));
    EXPECT_EQ(drawing_objects(), before);
    // Glyphs drawn transparently: the background around them stays as it was.
    EXPECT_EQ(count_pixels(white, 300, 250, 301, 251), 1);
}

// ---- Erasing --------------------------------------------------------------------------------

TEST_F(RendererTest, ErasedCanvasIsWhiteInsideAOnePixelBlackFrame) {
    fill_canvas(RGB(9, 9, 9));
    canvas_dirty = 0;
    const std::vector<int> before = drawing_objects();
    erase_canvas();
    EXPECT_EQ(drawing_objects(), before);
    EXPECT_EQ(canvas_dirty, 1);
    EXPECT_EQ(count_pixels(black, 0, 0, CANVAS_WIDTH, 1), CANVAS_WIDTH);
    EXPECT_EQ(count_pixels(black, 0, CANVAS_HEIGHT - 1, CANVAS_WIDTH, CANVAS_HEIGHT), CANVAS_WIDTH);
    EXPECT_EQ(count_pixels(black, 0, 0, 1, CANVAS_HEIGHT), CANVAS_HEIGHT);
    EXPECT_EQ(count_pixels(black, CANVAS_WIDTH - 1, 0, CANVAS_WIDTH, CANVAS_HEIGHT), CANVAS_HEIGHT);
    EXPECT_EQ(count_pixels(white, 1, 1, CANVAS_WIDTH - 1, CANVAS_HEIGHT - 1),
              (CANVAS_WIDTH - 2) * (CANVAS_HEIGHT - 2));
}

TEST_F(RendererTest, WithoutACanvasNothingIsTouchedAndNothingLeaks) {
    HDC saved = canvas_dc;
    canvas_dc = nullptr;
    const std::vector<int> before = drawing_objects();
    VORBL_draw_text(RED, 0, 0, 20, "nowhere");
    VORBL_draw_rectangle(RED, 0, 0, 10, 10, 0);
    erase_canvas();
    EXPECT_EQ(drawing_objects(), before);
    EXPECT_EQ(canvas_dirty, 1);
    canvas_dc = saved;
    EXPECT_EQ(count_pixels(white, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT), CANVAS_WIDTH * CANVAS_HEIGHT);
}

}  // namespace
