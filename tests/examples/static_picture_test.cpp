// static_picture_test.cpp: the still picture: every colour where the example puts it, the one
// correction it shows in the text window, and the whole picture against its reference.
#include <gtest/gtest.h>

#include "example_harness.h"
#include "vorbl_internal.h"

using namespace example_test;

namespace {

unsigned rgb_of(int color) {
    const COLORREF c = vorbl::color_rgb[color];
    return (unsigned{GetRValue(c)} << 16) | (unsigned{GetGValue(c)} << 8) | GetBValue(c);
}

}  // namespace

TEST(StaticPictureExample, DrawsEveryColourAndEndsOnTheFirstQuit) {
    const Outcome run = run_example({}, 0);
    EXPECT_FALSE(run.timed_out);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.kinds, std::vector<int>{EVENT_QUIT});
    // The palette: colour c is a disc at (-270 + 70 (c % 8), -40 - 45 (c / 8)) with a black rim.
    for (int color = 0; color < COLOR_COUNT; ++color) {
        const int x = -270 + (color % 8) * 70;
        const int y = -40 - (color / 8) * 45;
        EXPECT_EQ(pixel_at(run, x, y), rgb_of(color)) << "colour " << color;
        EXPECT_EQ(pixel_at(run, x, y + 13), 0u) << "rim of colour " << color;
    }
    // The illegal colour is reported once, and its text is drawn in red instead.
    EXPECT_EQ(run.text_lines, std::vector<std::string>{"Illegal color 99; using RED."});
    expect_matches_reference(run.final_canvas, "example-static-picture");
}
