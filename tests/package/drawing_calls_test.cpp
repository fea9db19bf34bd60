// Tests of the public drawing calls: the corrections each one makes and the order of their
// messages, the log lines with corrected values, the result of the formatted call, what each
// call leaves on the canvas, and that every call gives back the objects it took.
#include <climits>
#include <string>
#include <vector>

#include "message_text.h"
#include "package_test_canvas.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

using package_test::canvas_pixel;
using package_test::CanvasTest;
using package_test::count_pixels;
using package_test::drawing_objects;
using package_test::ring_lines;
using Lines = std::vector<std::string>;

const COLORREF white = RGB(255, 255, 255);
const COLORREF red = RGB(255, 0, 0);

// An allocator that records the size of every block asked for.
std::vector<SIZE_T> requested_sizes;
HGLOBAL WINAPI recording_allocator(UINT flags, SIZE_T bytes) {
    requested_sizes.push_back(bytes);
    return GlobalAlloc(flags, bytes);
}

class DrawingCallTest : public CanvasTest {
protected:
    void TearDown() override {
        text_block_allocator = GlobalAlloc;
        CanvasTest::TearDown();
    }
    void record_allocations() {
        requested_sizes.clear();
        text_block_allocator = recording_allocator;
    }
};

// ---- Colour check ------------------------------------------------------------------------

TEST_F(DrawingCallTest, ColourCheckPassesLegalIndicesAndReplacesOthersWithRed) {
    EXPECT_EQ(VORBL_check_color(0), 0);
    EXPECT_EQ(VORBL_check_color(23), 23);
    EXPECT_EQ(ring_lines(), Lines{});
    EXPECT_EQ(VORBL_check_color(24), RED);
    EXPECT_EQ(VORBL_check_color(-1), RED);
    EXPECT_EQ(VORBL_check_color(INT_MIN), RED);
    EXPECT_EQ(ring_lines(),
              (Lines{"Illegal color 24; using RED.\n", "Illegal color -1; using RED.\n",
                     "Illegal color -2147483648; using RED.\n"}));
}

TEST_F(DrawingCallTest, IllegalColourDrawsInRedAndTheLogNamesRed) {
    logging_on = 1;
    VORBL_draw_circle(23, -100, 0, 2);
    VORBL_draw_circle(24, 100, 0, 2);
    EXPECT_EQ(canvas_pixel(200, 270), RGB(204, 204, 204));
    EXPECT_EQ(canvas_pixel(400, 270), red);
    EXPECT_EQ(ring_lines(),
              (Lines{"20% gray circle at (-100,0), radius 2\n", "Illegal color 24; using RED.\n",
                     "red circle at (100,0), radius 2\n"}));
}

// ---- Logging ------------------------------------------------------------------------------

TEST_F(DrawingCallTest, WithLoggingOffOnlyCorrectionsAreWritten) {
    VORBL_draw_circle(RED, 0, 0, 5);
    VORBL_draw_triangle(RED, 0, 0, 5, 0, 0, 5, 0);
    VORBL_draw_rectangle(RED, 0, 0, 5, 5, 1);
    VORBL_draw_oval(RED, 0, 0, 5, 5, 1);
    VORBL_draw_line(RED, 0, 0, 5, 5, 1);
    VORBL_draw_text(RED, 0, 0, 12, "quiet");
    VORBL_clear_canvas();
    EXPECT_EQ(ring_lines(), Lines{});
    VORBL_draw_line(RED, 0, 0, 5, 5, -2);
    EXPECT_EQ(ring_lines(), Lines{"Width of -2 not possible, using width 2\n"});
}

// ---- Circle ---------------------------------------------------------------------------------

TEST_F(DrawingCallTest, CircleCorrectsColourThenRadiusAndLogsTheCorrectedRadius) {
    logging_on = 1;
    EXPECT_EQ(VORBL_draw_circle(-1, 0, 0, -3), 1);
    EXPECT_EQ(ring_lines(), (Lines{"Illegal color -1; using RED.\n",
                                   "Radius of -3 not possible, using radius 3\n",
                                   "red circle at (0,0), radius 3\n"}));
    // A disc of radius 3: its box spans columns 297 to 303 on the centre's row.
    EXPECT_EQ(canvas_pixel(297, 270), red);
    EXPECT_EQ(canvas_pixel(303, 270), red);
    EXPECT_EQ(canvas_pixel(296, 270), white);
    EXPECT_EQ(canvas_pixel(304, 270), white);
    EXPECT_EQ(canvas_pixel(300, 267), red);
    EXPECT_EQ(canvas_pixel(300, 266), white);
}

TEST_F(DrawingCallTest, MostNegativeSizeBecomesTheLargestOneAndKeepsTheMessageForm) {
    // No canvas: only the corrections are under test here, not the rasteriser's work on a
    // shape of two billion pixels.
    canvas_dc = nullptr;
    VORBL_draw_circle(BLUE, 0, 0, INT_MIN);
    VORBL_draw_line(BLUE, 0, 0, 1, 1, INT_MIN);
    EXPECT_EQ(ring_lines(), (Lines{"Radius of -2147483648 not possible, using radius 2147483647\n",
                                   "Width of -2147483648 not possible, using width 2147483647\n"}));
}

TEST_F(DrawingCallTest, CircleBoxNearTheIntegerLimitsDoesNotWrap) {
    // x + radius exceeds 32 bits; the disc lies entirely to the right, so nothing wraps onto the
    // canvas from the left.
    VORBL_draw_circle(RED, INT_MAX - 5, 0, 100);
    VORBL_draw_circle(RED, INT_MIN + 5, 0, 100);
    EXPECT_EQ(count_pixels(red, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT), 0);
}

// ---- Triangle ------------------------------------------------------------------------------

TEST_F(DrawingCallTest, TriangleCorrectsColourThenWidthAndDoesNotLogTheWidth) {
    logging_on = 1;
    VORBL_draw_triangle(99, 0, 0, 10, 0, 0, 10, -2);
    EXPECT_EQ(ring_lines(),
              (Lines{"Illegal color 99; using RED.\n", "Width of -2 not possible, using width 2\n",
                     "red triangle at (0,0), (10,0), (0,10)\n"}));
}

TEST_F(DrawingCallTest, TriangleOfWidthZeroIsFilledAndOfWidthTwoIsAnOutline) {
    VORBL_draw_triangle(GREEN, -60, -10, -20, -10, -60, 30, 0);
    VORBL_draw_triangle(GREEN, 20, -10, 60, -10, 20, 30, 2);
    const COLORREF green = RGB(0, 255, 0);
    EXPECT_EQ(canvas_pixel(300 - 50, 270), green);  // inside the filled one
    EXPECT_EQ(canvas_pixel(300 + 30, 270), white);  // inside the outline
    // The left edge, two pixels wide, straddles its column: one pixel left of it and the column.
    EXPECT_EQ(canvas_pixel(300 + 19, 270), green);
    EXPECT_EQ(canvas_pixel(300 + 20, 270), green);
    EXPECT_EQ(canvas_pixel(300 + 18, 270), white);
    EXPECT_EQ(canvas_pixel(300 + 21, 270), white);
}

// ---- Rectangle ------------------------------------------------------------------------------

TEST_F(DrawingCallTest, RectangleReportsColourBeforeWidthAndLogsOrderedCorners) {
    logging_on = 1;
    VORBL_draw_rectangle(30, 10, -5, -10, 5, -3);
    EXPECT_EQ(ring_lines(),
              (Lines{"Illegal color 30; using RED.\n", "Width of -3 not possible, using width 3\n",
                     "red rectangle with bounding box (-10,5) to (10,-5) with line width 3\n"}));
}

TEST_F(DrawingCallTest, RectangleGivenInReverseIsDrawnAndLoggedFromTheUpperLeft) {
    logging_on = 1;
    VORBL_draw_rectangle(RED, 10, -5, -10, 5, 0);
    EXPECT_EQ(ring_lines(), Lines{"red rectangle with bounding box (-10,5) to (10,-5), filled\n"});
    EXPECT_EQ(count_pixels(red, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT), 21 * 11);
    EXPECT_EQ(canvas_pixel(290, 265), red);
    EXPECT_EQ(canvas_pixel(310, 275), red);
}

// ---- Oval -----------------------------------------------------------------------------------

TEST_F(DrawingCallTest, OvalReportsWidthBeforeColour) {
    logging_on = 1;
    VORBL_draw_oval(30, 10, -5, -10, 5, -3);
    EXPECT_EQ(ring_lines(),
              (Lines{"Width of -3 not possible, using width 3\n", "Illegal color 30; using RED.\n",
                     "red oval with bounding box (-10,5) to (10,-5), line width 3\n"}));
}

TEST_F(DrawingCallTest, FilledOvalIsLoggedAsFilledWithOrderedCorners) {
    logging_on = 1;
    VORBL_draw_oval(BLUE, 10, -5, -10, 5, 0);
    EXPECT_EQ(ring_lines(), Lines{"blue oval with bounding box (-10,5) to (10,-5), filled\n"});
    const COLORREF blue = RGB(0, 0, 255);
    EXPECT_EQ(canvas_pixel(290, 270), blue);
    EXPECT_EQ(canvas_pixel(310, 270), blue);
    EXPECT_EQ(canvas_pixel(289, 270), white);
    EXPECT_EQ(canvas_pixel(311, 270), white);
}

// ---- Line ----------------------------------------------------------------------------------

TEST_F(DrawingCallTest, LineOfWidthZeroIsLoggedAsZeroAndDrawnOnePixelWide) {
    logging_on = 1;
    VORBL_draw_line(RED, -10, 0, 10, 0, 0);
    EXPECT_EQ(ring_lines(), Lines{"red line from (-10,0) to (10,0), width 0\n"});
    EXPECT_EQ(count_pixels(red, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT), 20);  // end pixel excluded
    EXPECT_EQ(count_pixels(red, 290, 270, 310, 271), 20);
}

TEST_F(DrawingCallTest, LineCorrectsWidthThenColourAndIsDrawnAsWideAsCorrected) {
    logging_on = 1;
    VORBL_draw_line(-7, -10, 0, 10, 0, -4);
    EXPECT_EQ(ring_lines(),
              (Lines{"Width of -4 not possible, using width 4\n", "Illegal color -7; using RED.\n",
                     "red line from (-10,0) to (10,0), width 4\n"}));
    EXPECT_EQ(count_pixels(red, 300, 0, 301, CANVAS_HEIGHT), 4);
}

TEST_F(DrawingCallTest, LineEndPointsAreNotReordered) {
    logging_on = 1;
    VORBL_draw_line(RED, 10, 0, -10, 0, 1);
    EXPECT_EQ(ring_lines(), Lines{"red line from (10,0) to (-10,0), width 1\n"});
    EXPECT_EQ(canvas_pixel(310, 270), red);    // the start is drawn
    EXPECT_EQ(canvas_pixel(290, 270), white);  // the end is not
}

// ---- Text ----------------------------------------------------------------------------------

TEST_F(DrawingCallTest, PointSizeIsHeldBetweenZeroAndTheLargestSize) {
    VORBL_draw_text(BLACK, 0, 0, 127, "a");
    EXPECT_EQ(ring_lines(), Lines{});
    VORBL_draw_text(BLACK, 0, 0, 128, "a");
    VORBL_draw_text(-1, 0, 0, -200, "a");
    VORBL_draw_text(BLACK, 0, 0, INT_MIN, "a");
    EXPECT_EQ(ring_lines(), (Lines{"ptsize of 128 not possible, using ptsize 127\n",
                                   "ptsize of -200 not possible, using ptsize 200\n",
                                   "ptsize of 200 not possible, using ptsize 127\n",
                                   "Illegal color -1; using RED.\n",
                                   "ptsize of -2147483648 not possible, using ptsize 2147483647\n",
                                   "ptsize of 2147483647 not possible, using ptsize 127\n"}));
}

TEST_F(DrawingCallTest, TextLogLineShowsTheTextUnchanged) {
    logging_on = 1;
    VORBL_draw_text(BLUE, 1, -2, 12, "a\nb");
    VORBL_draw_text(BLUE, 0, 0, 12, nullptr);
    EXPECT_EQ(ring_lines(),
              (Lines{"blue text at (1,-2), \"a\nb\"\n", "blue text at (0,0), \"\"\n"}));
}

TEST_F(DrawingCallTest, TextIsDrawnFromItsOwnCopyWhichIsFreedAfterwards) {
    const std::vector<int> before = drawing_objects();
    record_allocations();
    VORBL_draw_text(BLACK, -50, 0, 40, "Wing");
    EXPECT_EQ(requested_sizes, std::vector<SIZE_T>{5});
    EXPECT_GT(CANVAS_WIDTH * CANVAS_HEIGHT - count_pixels(white, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT),
              0);
    EXPECT_EQ(drawing_objects(), before);
}

// Refuses only the 5-byte block: the copy of "lost", not the messages around it.
HGLOBAL WINAPI refuse_five_bytes(UINT flags, SIZE_T bytes) {
    return bytes == 5 ? nullptr : GlobalAlloc(flags, bytes);
}

TEST_F(DrawingCallTest, TextWhoseCopyCannotBeAllocatedIsSkippedWithAMessage) {
    logging_on = 1;
    const std::vector<int> before = drawing_objects();
    text_block_allocator = refuse_five_bytes;
    EXPECT_EQ(VORBL_draw_text(BLACK, 0, 0, 40, "lost"), 1);
    EXPECT_EQ(ring_lines(), (Lines{"black text at (0,0), \"lost\"\n",
                                   "No memory for a copy of the text; text not drawn\n"}));
    EXPECT_EQ(count_pixels(white, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT), CANVAS_WIDTH * CANVAS_HEIGHT);
    package_test::reset_text_ring();
    EXPECT_EQ(drawing_objects(), before);
}

// ---- Formatted text ---------------------------------------------------------------------------

TEST_F(DrawingCallTest, FormattedTextReturnsTheCharacterCountAndLogsTheFormattedString) {
    logging_on = 1;
    EXPECT_EQ(VORBL_draw_printf(BLACK, 0, 0, 12, "%d%%", 50), 3);
    EXPECT_EQ(VORBL_draw_printf(BLACK, 0, 0, -5, "%s", ""), 0);
    EXPECT_EQ(ring_lines(), (Lines{"black text at (0,0), \"50%\"\n",
                                   "ptsize of -5 not possible, using ptsize 5\n",
                                   "black text at (0,0), \"\"\n"}));
}

TEST_F(DrawingCallTest, FormattedTextLongerThanTheBufferIsCutAndCountsWhatIsDrawn) {
    const std::string long_text(5000, 'x');
    record_allocations();
    EXPECT_EQ(VORBL_draw_printf(BLACK, 0, 0, 12, "%s", long_text.c_str()), 1023);
    // The copy handed to the renderer holds the 1023 characters kept and the NUL.
    EXPECT_EQ(requested_sizes, std::vector<SIZE_T>{1024});
    EXPECT_EQ(VORBL_draw_printf(BLACK, 0, 0, 12, nullptr), 0);
}

// ---- Clearing ------------------------------------------------------------------------------

TEST_F(DrawingCallTest, ClearingLogsWhenLoggingIsOnAndLeavesAWhiteFramedCanvas) {
    package_test::fill_canvas(RGB(1, 2, 3));
    EXPECT_EQ(VORBL_clear_canvas(), 1);
    EXPECT_EQ(ring_lines(), Lines{});
    logging_on = 1;
    VORBL_clear_canvas();
    EXPECT_EQ(ring_lines(), Lines{"Clearing the graphics window\n"});
    EXPECT_EQ(canvas_pixel(300, 270), white);
    EXPECT_EQ(canvas_pixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas_dirty, 1);
}

// ---- Resources -------------------------------------------------------------------------------

TEST_F(DrawingCallTest, EveryCallGivesBackThePensBrushesFontsAndBlocksItTook) {
    logging_on = 1;
    for (int i = 0; i < TEXT_LINE_COUNT; ++i) VORBL_text_printf("fill the ring %d\n", i);
    // With a full ring every message frees a block as it stores one, so the count is steady.
    const std::vector<int> before = drawing_objects();
    VORBL_draw_circle(RED, 0, 0, 10);
    EXPECT_EQ(drawing_objects(), before) << "circle";
    VORBL_draw_triangle(RED, 0, 0, 10, 0, 0, 10, 0);
    VORBL_draw_triangle(RED, 0, 0, 10, 0, 0, 10, 3);
    EXPECT_EQ(drawing_objects(), before) << "triangle";
    VORBL_draw_rectangle(RED, 0, 0, 10, 10, 0);
    VORBL_draw_rectangle(RED, 0, 0, 10, 10, 2);
    EXPECT_EQ(drawing_objects(), before) << "rectangle";
    VORBL_draw_oval(RED, 0, 0, 10, 10, 0);
    VORBL_draw_oval(RED, 0, 0, 10, 10, 2);
    EXPECT_EQ(drawing_objects(), before) << "oval";
    VORBL_draw_line(RED, 0, 0, 10, 10, 0);
    VORBL_draw_line(RED, 0, 0, 10, 10, 5);
    EXPECT_EQ(drawing_objects(), before) << "line";
    VORBL_draw_text(RED, 0, 0, 20, "text\nlines");
    VORBL_draw_printf(RED, 0, 0, 20, "%d", 42);
    EXPECT_EQ(drawing_objects(), before) << "text";
    VORBL_clear_canvas();
    EXPECT_EQ(drawing_objects(), before) << "clear";
}

}  // namespace
