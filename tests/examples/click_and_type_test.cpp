// click_and_type_test.cpp: clicks become dots at their logical positions, typed characters a
// line of text (Enter starts the next, Backspace takes one back), and every event a line in the
// text window, a Windows-1252 character included.
#include <gtest/gtest.h>

#include "example_harness.h"
#include "vorbl.h"

using namespace example_test;

TEST(ClickAndTypeExample, DrawsClicksAndTypingAndReportsEveryEvent) {
    const std::vector<Step> steps = {
        {0, click_at(-150, 100)}, {1, click_at(120, 40)},        {2, type_text("Hello")},
        {7, type_text("\r")},     {8, type_text("caf\xe9!\b.")},
    };
    const Outcome run = run_example(steps, 15);
    EXPECT_FALSE(run.timed_out);
    EXPECT_EQ(run.exit_code, 0);
    std::vector<int> expected = {EVENT_MOUSE, EVENT_MOUSE};
    expected.insert(expected.end(), 13, EVENT_KBD);
    expected.push_back(EVENT_QUIT);
    EXPECT_EQ(run.kinds, expected);
    const std::vector<std::string> lines = {
        "click at (-150, 100)", "click at (120, 40)", "character 72",  "character 101",
        "character 108",        "character 108",      "character 111", "character 13",
        "character 99",         "character 97",       "character 102", "character 233",
        "character 33",         "character 8",        "character 46"};
    EXPECT_EQ(run.text_lines, lines);
    EXPECT_EQ(pixel_at(run, -150, 100), 0xFF0000u) << "a red dot where the first click was";
    EXPECT_EQ(pixel_at(run, 120, 40), 0xFF0000u);
    expect_matches_reference(run.final_canvas, "example-click-and-type");
}
