// bouncing_ball_test.cpp: the animation runs, halts on Ctrl+H after the periodic event it had
// already decided, steps once per Ctrl+F and once per typed f, and runs again on a typed a.
#include <gtest/gtest.h>

#include <algorithm>

#include "example_harness.h"
#include "vorbl.h"

using namespace example_test;

TEST(BouncingBallExample, HaltsStepsAndRunsAgainFromTheMenuKeysAndTheProgram) {
    const std::vector<Step> steps = {
        {12, ctrl_key('H')},   // halt from the menu's key
        {13, ctrl_key('F')},   // one frame
        {14, ctrl_key('F')},   // and another
        {15, type_text("f")},  // the program asks for one frame itself
        {17, type_text("a")},  // and for the animation again
    };
    const Outcome run = run_example(steps, 24);
    EXPECT_FALSE(run.timed_out);
    EXPECT_EQ(run.exit_code, 0);
    const int P = EVENT_PERIODIC, K = EVENT_KBD, Q = EVENT_QUIT;
    std::vector<int> expected(12, P);  // running
    expected.insert(expected.end(), {P, P, P, K, P, K, P, P, P, P, P, P, Q});
    EXPECT_EQ(run.kinds, expected);
    // Frame 22 is on the canvas: one step per periodic event, none for the keys.
    const auto frames = std::count(run.kinds.begin(), run.kinds.end(), P);
    EXPECT_EQ(frames, 22);
    // From (0, 0) in steps of (9, 6) the ball meets the right side of the box (200, radius 15)
    // in frame 20, and not the top (150) before frame 22 is drawn.
    const std::vector<std::string> lines = {
        "Ctrl+H halts, Ctrl+F advances one frame, Ctrl+A animates again",
        "bounce at (180, 120) in frame 20"};
    EXPECT_EQ(run.text_lines, lines);
    expect_matches_reference(run.final_canvas, "example-bouncing-ball");
}
