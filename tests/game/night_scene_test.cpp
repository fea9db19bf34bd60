// night_scene_test.cpp: the scene's drawing order and the sprites, through the drawing log
// and the canvas.
#include <gtest/gtest.h>

#include "game_main.h"
#include "game_test_support.h"
#include "night_scene.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

using Lines = std::vector<std::string>;

class NightSceneTest : public HeadlessPackageTest {
protected:
    // Draw with the log on and return the lines that drawing wrote.
    template <typename Draw>
    Lines logged(std::size_t count, Draw draw) {
        VORBL_set_logging(1);
        draw();
        VORBL_set_logging(0);
        return newest_lines(count);
    }
};

}  // namespace

TEST_F(NightSceneTest, StarsAreTwoTrianglesWithTruncatedOffsets) {
    EXPECT_EQ(logged(2, [] { draw_star(10, 20, 1, WHITE); }),
              (Lines{"white triangle at (10,21), (10,20), (10,20)",
                     "white triangle at (10,19), (10,20), (10,20)"}));
    EXPECT_EQ(logged(2, [] { draw_star(-150, 170, 4, YELLOW); }),
              (Lines{"yellow triangle at (-150,174), (-147,168), (-153,168)",
                     "yellow triangle at (-150,166), (-153,172), (-147,172)"}));
    EXPECT_EQ(logged(1, [] { draw_star(0, 0, 3, RED); }),
              (Lines{"red triangle at (0,-3), (-2,1), (2,1)"}));
}

// With one enemy the newest 25 log lines run from the second star to the last antenna.
TEST_F(NightSceneTest, SceneDrawsFromMountainsToButterfliesInOrder) {
    GameState state = startup_state();
    state.enemy_last = 0;
    state.star2_size = 1;
    state.star2_color = GOLD;
    state.player_x = 120;
    state.player_y = -180;
    state.player_half = 6;
    state.enemy_x[0] = -40;
    state.enemy_y[0] = 60;
    state.enemy_half[0] = 7;
    const Lines expected = {
        "gold triangle at (-150,171), (-150,170), (-150,170)",
        "gold triangle at (-150,169), (-150,170), (-150,170)",
        "20% gray triangle at (-300,-50), (300,-50), (-37,208)",
        "50% gray triangle at (-300,-50), (300,-50), (-100,187)",
        "brown triangle at (-300,-50), (300,-50), (75,166)",
        "olive triangle at (-375,-50), (100,-50), (-225,166)",
        "forest green triangle at (-100,-50), (300,-50), (300,166)",
        "sea green rectangle with bounding box (-300,-50) to (300,-250), filled",
        "blue oval with bounding box (-400,-50) to (100,-100), filled",
        "red circle at (100,-210), radius 8",
        "yellow circle at (100,-210), radius 2",
        "forest green line from (100,-218) to (100,-233), width 2",
        "forest green line from (100,-228) to (105,-221), width 2",
        "brown rectangle with bounding box (-250,-150) to (-240,-200), filled",
        "forest green circle at (-245,-140), radius 30",
        "black rectangle with bounding box (55,-75) to (105,-79), filled",
        "cyan triangle at (80,-75), (80,-35), (120,-49)",
        "magenta triangle at (120,-180), (114,-174), (114,-186)",
        "magenta triangle at (120,-180), (126,-174), (126,-186)",
        "black line from (120,-180) to (118,-177), width 2",
        "black line from (120,-180) to (122,-177), width 2",
        "black triangle at (-40,60), (-47,67), (-47,53)",
        "black triangle at (-40,60), (-33,67), (-33,53)",
        "black line from (-40,60) to (-43,67), width 2",
        "black line from (-40,60) to (-37,67), width 2",
    };
    EXPECT_EQ(logged(25, [&] { draw_scene(state); }), expected);
}

// The sky, the moon and the first star come first: the canvas shows the crescent and the star,
// and a moon that has sunk low is hidden by the mountains drawn after it.
TEST_F(NightSceneTest, SkyMoonAndStarOnTheCanvas) {
    GameState state = startup_state();
    draw_scene(state);
    EXPECT_EQ(logical_pixel(-290, 240), rgb_of(DUSTY_PLUM));
    EXPECT_EQ(logical_pixel(250 - 15, 215), rgb_of(WHITE));       // the crescent's left side
    EXPECT_EQ(logical_pixel(250 + 10, 215), rgb_of(DUSTY_PLUM));  // cut away by the sky oval
    EXPECT_EQ(logical_pixel(200, 160), rgb_of(WHITE));            // star 1, white, radius 3
    EXPECT_EQ(logical_pixel(-150, 170), rgb_of(YELLOW));          // star 2

    state.moon_x = 60;
    state.moon_y = 0;
    draw_scene(state);
    EXPECT_NE(logical_pixel(60 - 15, 0), rgb_of(WHITE));
}
