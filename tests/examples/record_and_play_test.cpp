// record_and_play_test.cpp: a drawing recorded with Ctrl+R comes back whole when it is played
// with Ctrl+P from the same start, and the script holds exactly the recorded events, periodic
// runs counted on one line.
#include <gtest/gtest.h>

#include "example_harness.h"
#include "vorbl.h"

using namespace example_test;

TEST(RecordAndPlayExample, PlaybackDrawsWhatWasRecorded) {
    RgbImage recorded;
    const std::vector<Step> steps = {
        {3, type_text("c")},  // start over
        {4, ctrl_key('R')},   // events 5..16 are recorded
        {6, click_at(-200, 100)}, {9, click_at(0, 150)},
        {12, click_at(150, -50)}, {16, capture_canvas(&recorded)},
        {16, ctrl_key('R')},   // stop: the script is written
        {17, type_text("c")},  // start over again
        {18, ctrl_key('P')},   // events 19..30 are played
        {30, type_text("s")},  // list the script
    };
    const Outcome run = run_example(steps, 31);
    EXPECT_FALSE(run.timed_out);
    EXPECT_EQ(run.exit_code, 0);
    const std::vector<std::string> script = {"VORBL_PERIODIC(2);", "VORBL_MOUSE(-200, 100);",
                                             "VORBL_PERIODIC(2);", "VORBL_MOUSE(0, 150);",
                                             "VORBL_PERIODIC(2);", "VORBL_MOUSE(150, -50);",
                                             "VORBL_PERIODIC(3);"};
    EXPECT_EQ(run.script_lines, script);
    ASSERT_EQ(run.kinds.size(), 32u);
    EXPECT_EQ(std::vector<int>(run.kinds.begin() + 4, run.kinds.begin() + 16),
              std::vector<int>(run.kinds.begin() + 18, run.kinds.begin() + 30))
        << "the played events are the recorded ones";
    // The end of the script is reported, then s lists the file in the text window.
    ASSERT_GE(run.text_lines.size(), script.size() + 1);
    const auto listed = std::vector<std::string>(run.text_lines.end() - 7, run.text_lines.end());
    EXPECT_EQ(listed, script);
    EXPECT_EQ(run.text_lines[run.text_lines.size() - 8],
              "EOF encountered in script file VORBL.SCR");
    expect_same_picture(run.final_canvas, recorded, "record_and_play.after_playback");
    expect_matches_reference(run.final_canvas, "example-record-and-play");
}
