// game_loop_test.cpp: rounds on the headless host: the set-up's draws, one tick's order, the
// capture pass, the end of a round, quitting in either phase, and game_main from start to end.
#include <gtest/gtest.h>

#include <algorithm>

#include "game_main.h"
#include "game_test_support.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

// Put enemy i four units up-right of the player, where the catch test passes for halves 5.
void place_on_player(GameState &state, int i) {
    state.enemy_x[i] = state.player_x + 4;
    state.enemy_y[i] = state.player_y + 4;
    state.enemy_half[i] = 5;
}

GameState round_ready(std::int32_t enemy_last) {
    GameState state = startup_state();
    state.enemy_last = enemy_last;
    lcg_seed(99);
    set_up_round(state);
    for (int i = 0; i < MAX_ENEMIES; ++i) {
        state.enemy_x[i] = -250;  // out of the player's reach unless a test says otherwise
        state.enemy_y[i] = 200;
    }
    return state;
}

class GameLoopTest : public HeadlessPackageTest {
protected:
    // Only the scheduled input produces events.
    void SetUp() override {
        HeadlessPackageTest::SetUp();
        VORBL_set_animation(ANIMATE_HALT);
    }
};

}  // namespace

TEST(RoundSetUp, TwentyDrawsPlaceAllSlotsAndResetThePlayer) {
    GameState state = startup_state();
    state.enemy_last = 1;
    state.player_size = 19;  // grown in the round before
    state.player_vx = 20;
    state.moon_x = -12;
    const std::vector<int> r = draws_of(2024, 21);
    lcg_seed(2024);
    set_up_round(state);
    for (int i = 0; i < MAX_ENEMIES; ++i) {
        EXPECT_EQ(state.enemy_x[i], r[2 * i] % 600 - 300) << i;
        EXPECT_EQ(state.enemy_y[i], r[2 * i + 1] % 500 - 250) << i;
        EXPECT_EQ(state.enemy_half[i], 9) << "half of the previous round's size";
        EXPECT_EQ(state.enemy_alive[i], 1);
    }
    EXPECT_EQ(lcg_random(), r[20]);
    EXPECT_EQ(state.player_x, 120);
    EXPECT_EQ(state.player_y, -180);
    EXPECT_EQ(state.player_vx, 0);
    EXPECT_EQ(state.player_size, 10);
    EXPECT_EQ(state.player_half, 5);
    EXPECT_EQ(state.enemies_left, 1);
    EXPECT_EQ(state.round_over, 0);
    EXPECT_EQ(state.moon_x, -12);
}

TEST_F(GameLoopTest, TickDrawsStarsPlayerThenLivingEnemiesInIndexOrder) {
    GameState state = round_ready(2);
    state.enemy_speed = 50;
    state.enemy_alive[1] = 0;  // caught: neither moved nor drawing
    state.enemy_x[1] = PARKED;
    state.enemy_x[0] = state.enemy_y[0] = 0;
    state.enemy_x[2] = state.enemy_y[2] = 0;
    state.enemy_x[3] = 17;  // beyond enemy_last
    state.player_vx = -10;
    const std::vector<int> r = draws_of(31337, 12);
    lcg_seed(31337);
    play_tick(state);
    EXPECT_EQ(state.moon_x, 249);
    EXPECT_EQ(state.star1_size, r[0] % 4 + 1);
    EXPECT_EQ(state.star1_color, r[1] % 24);
    EXPECT_EQ(state.star2_size, r[2] % 4 + 1);
    EXPECT_EQ(state.star2_color, r[3] % 24);
    EXPECT_EQ(state.player_half, 5 + (r[4] % 10) / 2);
    EXPECT_EQ(state.player_x, 110);
    EXPECT_EQ(state.enemy_x[0], r[5] % 50);  // up-right
    EXPECT_EQ(state.enemy_y[0], r[6] % 50);
    EXPECT_EQ(state.enemy_half[0], (r[7] % 10) / 2 + 5);
    EXPECT_EQ(state.enemy_x[1], PARKED);
    EXPECT_EQ(state.enemy_x[2], r[8] % 50);  // down-right
    EXPECT_EQ(state.enemy_y[2], -(r[9] % 50));
    EXPECT_EQ(state.enemy_half[2], (r[10] % 10) / 2 + 5);
    EXPECT_EQ(state.enemy_x[3], 17);
    EXPECT_EQ(lcg_random(), r[11]);
}

TEST_F(GameLoopTest, TwoCatchesInOnePassAndTheRoundEndingInTheMiddle) {
    GameState state = round_ready(2);
    place_on_player(state, 0);
    place_on_player(state, 2);
    capture_pass(state);
    EXPECT_EQ(state.enemies_left, 0);
    EXPECT_EQ(state.player_size, 16);
    EXPECT_EQ(state.enemy_alive[0], 0);
    EXPECT_EQ(state.enemy_x[0], PARKED);
    EXPECT_EQ(state.enemy_y[2], PARKED);
    EXPECT_EQ(state.enemy_alive[1], 1);
    EXPECT_EQ(state.round_over, 0);

    // The last catch ends the pass at once: enemy 1 is caught, enemy 3 (beyond the old
    // enemy_last but within the new default) is not tested.
    place_on_player(state, 1);
    place_on_player(state, 3);
    state.enemy_speed = 30;
    capture_pass(state);
    EXPECT_EQ(state.round_over, 1);
    EXPECT_EQ(state.enemies_left, -1);
    EXPECT_EQ(state.player_size, 19);
    EXPECT_EQ(state.enemy_alive[3], 1);
    EXPECT_EQ(state.enemy_last, 5);
    EXPECT_EQ(state.enemy_speed, 10);
}

TEST_F(GameLoopTest, OneEnemyRoundEndsAtTheFirstCatchAfterAnyEvent) {
    GameState state = round_ready(0);
    state.enemy_speed = 40;
    state.start_requested = 1;
    place_on_player(state, 0);
    type_at(10, 'N');  // changes nothing in a round, but the redraw and the pass follow
    play_phase(state);
    EXPECT_EQ(state.round_over, 1);
    EXPECT_EQ(state.game_quit, 0);
    EXPECT_EQ(state.start_requested, 0);
    EXPECT_EQ(state.enemy_x[0], PARKED);
    EXPECT_EQ(state.player_size, 13);
    EXPECT_EQ(state.enemy_last, 5);
    EXPECT_EQ(state.enemy_speed, 10);
    EXPECT_EQ(state.player_vx, 0);
}

TEST_F(GameLoopTest, KeysInARoundChangeOnlyTheVelocityAndQuitRedrawsOnceMore) {
    GameState state = round_ready(1);
    type_at(10, '9');
    type_at(20, '7');
    at_ms(30, [] { VORBL_text_printf("before the quit\n"); });
    close_at(30);
    VORBL_set_logging(1);
    play_phase(state);
    EXPECT_EQ(state.game_quit, 1);
    EXPECT_EQ(state.round_over, 0);
    EXPECT_EQ(state.player_vx, -10);
    EXPECT_EQ(state.player_vy, 10);
    EXPECT_EQ(state.player_x, 120);
    EXPECT_EQ(state.player_y, -180);
    // The scene is drawn after the quit too: its lines push the marker out of the ring, and
    // the last one is enemy 1's right antenna.
    const std::vector<std::string> lines = ring_lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "before the quit\n"), 0);
    EXPECT_EQ(lines.back(), "black line from (-250,200) to (-247,207), width 2\n");
}

// The digits steer from the numeric keypad (with NumLock on, its keys are VK_NUMPAD0..9) and
// from the top row alike: both type the same characters.
TEST_F(GameLoopTest, KeypadAndTopRowDigitsSteerAlike) {
    GameState state = round_ready(1);
    std::vector<std::pair<int, int>> seen;
    const auto press = [](int vk) {
        headless_host_key(vk, 1);
        headless_host_key(vk, 0);
    };
    const auto note = [&] { seen.emplace_back(state.player_vx, state.player_vy); };
    at_ms(10, [&] { press(VK_NUMPAD9); });
    at_ms(15, note);
    at_ms(20, [&] { press('1'); });
    at_ms(25, note);
    at_ms(30, [&] { press(VK_NUMPAD8); });
    at_ms(35, note);
    at_ms(40, [&] { press('6'); });
    at_ms(45, note);
    close_at(50);
    play_phase(state);
    const std::vector<std::pair<int, int>> expected = {{10, 10}, {-10, -10}, {0, 20}, {20, 0}};
    EXPECT_EQ(seen, expected);
}

TEST_F(GameLoopTest, InstructionPhaseWorksThePanelAndStartsOnN) {
    GameState state = startup_state();
    click_at(10, 0, -70);   // speed up
    click_at(20, 0, -70);   // speed up
    click_at(30, 0, -145);  // subtract a bug
    click_at(40, 75, -70);  // on the panel's edge: ignored
    click_at(50, 0, 100);   // elsewhere: ignored
    type_at(60, 'x');
    type_at(70, 'n');
    instruction_phase(state);
    EXPECT_EQ(state.start_requested, 1);
    EXPECT_EQ(state.game_quit, 0);
    EXPECT_EQ(state.enemy_speed, 14);
    EXPECT_EQ(state.enemy_last, 4);
    EXPECT_EQ(logical_pixel(0, 140), rgb_of(WHITE));  // the instruction box was drawn
}

TEST_F(GameLoopTest, QuitInTheInstructionPhaseSkipsThePlayButStillSetsUpTheRound) {
    GameState state = startup_state();
    const std::vector<int> r = draws_of(4242, 21);
    lcg_seed(4242);
    close_at(10);
    run_main_loop(state);
    EXPECT_EQ(state.game_quit, 1);
    EXPECT_EQ(state.enemy_x[9], r[18] % 600 - 300);
    EXPECT_EQ(lcg_random(), r[20]);
    EXPECT_EQ(state.moon_x, 250);  // no tick was played
}

// game_main itself on the headless host: the animation runs from the start, ticks reach the
// instruction phase without changing anything random, and a quit there ends with 0 after the
// round set-up's 20 draws.
TEST(GameMain, RunsFromStartUpToShutdownAndReturnsZero) {
    headless_host_use();
    const std::vector<int> r = draws_of(777, 21);
    at_ms(5, [] { lcg_seed(777); });
    close_at(1000);  // about ten ticks later
    static char command_line[] = "ignored";
    EXPECT_EQ(game_main(GetModuleHandleA(nullptr), nullptr, command_line, SW_SHOWNORMAL), 0);
    EXPECT_EQ(lcg_random(), r[20]);
    EXPECT_EQ(graphics_hwnd, nullptr);
}
