// instruction_screen_test.cpp: the panel's buttons, limits and edges, and the texts of the
// instruction screen as the drawing log records them.
#include <gtest/gtest.h>

#include "game_test_support.h"
#include "instruction_screen.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

struct Settings {
    std::int32_t speed;
    std::int32_t last;
};

// Clicks at (x, y), each one passed on only when panel_hit accepts it, as game_main does.
Settings after_clicks(int count, std::int32_t x, std::int32_t y, Settings start) {
    for (int i = 0; i < count; ++i) {
        if (panel_hit(x, y) == 1) {
            panel_action(x, y, start.speed, start.last);
        }
    }
    return start;
}

constexpr std::int32_t SPEED_UP_Y = -70;
constexpr std::int32_t SLOW_DOWN_Y = -95;
constexpr std::int32_t ADD_BUG_Y = -120;
constexpr std::int32_t SUBTRACT_BUG_Y = -145;

}  // namespace

TEST(PanelAction, SpeedChangesInStepsOfTwoWithin2To50) {
    EXPECT_EQ(after_clicks(8, 0, SPEED_UP_Y, {10, 5}).speed, 26);
    EXPECT_EQ(after_clicks(21, 0, SPEED_UP_Y, {10, 5}).speed, 50);
    EXPECT_EQ(after_clicks(4, 0, SLOW_DOWN_Y, {10, 5}).speed, 2);
    EXPECT_EQ(after_clicks(5, 0, SLOW_DOWN_Y, {10, 5}).speed, 2);
    EXPECT_EQ(after_clicks(21, 0, SPEED_UP_Y, {10, 5}).last, 5);
}

TEST(PanelAction, EnemyCountStaysWithin1To10) {
    EXPECT_EQ(after_clicks(4, 0, ADD_BUG_Y, {10, 5}).last, 9);
    EXPECT_EQ(after_clicks(9, 0, ADD_BUG_Y, {10, 5}).last, 9);
    EXPECT_EQ(after_clicks(5, 0, SUBTRACT_BUG_Y, {10, 5}).last, 0);
    EXPECT_EQ(after_clicks(8, 0, SUBTRACT_BUG_Y, {10, 5}).last, 0);
    EXPECT_EQ(after_clicks(8, 0, SUBTRACT_BUG_Y, {10, 5}).speed, 10);
}

TEST(PanelHit, OuterEdgeIsOutsideAndSharedEdgesBelongToTheLowerButton) {
    EXPECT_EQ(panel_hit(-50, -70), 0);
    EXPECT_EQ(panel_hit(75, -70), 0);
    EXPECT_EQ(panel_hit(0, -60), 0);
    EXPECT_EQ(panel_hit(0, -160), 0);
    EXPECT_EQ(panel_hit(-49, -61), 1);
    EXPECT_EQ(panel_hit(74, -159), 1);
    EXPECT_EQ(panel_hit(0, 0), 0);  // elsewhere on the instruction screen

    EXPECT_EQ(after_clicks(1, 0, -84, {10, 5}).speed, 12);  // lowest row of button 0
    EXPECT_EQ(after_clicks(1, 0, -85, {10, 5}).speed, 8);   // edge with button 1: slow down
    EXPECT_EQ(after_clicks(1, 0, -110, {10, 5}).last, 6);   // edge with button 2: add a bug
    EXPECT_EQ(after_clicks(1, 0, -135, {10, 5}).last, 4);   // edge with button 3: subtract
    EXPECT_EQ(after_clicks(1, 10, -159, {10, 5}).last, 4);
    const Settings untouched = after_clicks(3, 75, -85, {10, 5});
    EXPECT_EQ(untouched.speed, 10);
    EXPECT_EQ(untouched.last, 5);
}

class InstructionScreenTest : public HeadlessPackageTest {};

TEST_F(InstructionScreenTest, BoxTextsAndCurrentSettingsInOrder) {
    VORBL_set_logging(1);
    draw_instructions(6, 14);
    VORBL_set_logging(0);
    const std::vector<std::string> expected = {
        "white rectangle with bounding box (-250,150) to (250,-180), filled",
        "black text at (-65,110), \"Wingfeast!\"",
        "black text at (-200,80), \"Here's how to play:\"",
        "black text at (-180,60), \"Fly your butterfly around the screen using the numerical "
        "keypad.\"",
        "black text at (-180,40), \"(Use 8 to fly up, 4 to fly left, 7 to fly diagonally.)\"",
        "black text at (-180,20), \"Every time that you can catch one of the black butterflies,\"",
        "black text at (-180,0), \"you eat it, and then grow bigger!\"",
        "black text at (-180,-20), \"Try to catch them all!\"",
        "black text at (-100,-50), \"Press N for a new game\"",
        "black text at (90,-75), \"Current speed:\"",
        "black text at (90,-90), \"14\"",
        "black text at (90,-115), \"Current number of enemies:\"",
        "black text at (90,-130), \"7\"",
    };
    EXPECT_EQ(newest_lines(expected.size()), expected);
    EXPECT_EQ(logical_pixel(-250, 150), rgb_of(WHITE));
    EXPECT_EQ(logical_pixel(249, -179), rgb_of(WHITE));
}

TEST_F(InstructionScreenTest, PanelOutlinesFirstThenLabels) {
    VORBL_set_logging(1);
    draw_panel();
    VORBL_set_logging(0);
    const std::vector<std::string> expected = {
        "black rectangle with bounding box (-50,-60) to (75,-85) with line width 1",
        "black rectangle with bounding box (-50,-85) to (75,-110) with line width 1",
        "black rectangle with bounding box (-50,-110) to (75,-135) with line width 1",
        "black rectangle with bounding box (-50,-135) to (75,-160) with line width 1",
        "black text at (-40,-78), \"Speed Up Enemies\"",
        "black text at (-40,-103), \"Slow Down Enemies\"",
        "black text at (-40,-128), \"Add a Bug\"",
        "black text at (-40,-153), \"Subtract a Bug\"",
    };
    EXPECT_EQ(newest_lines(expected.size()), expected);
}
