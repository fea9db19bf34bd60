// game_state.cpp: the start-up values of the game state and the set-up of a round.
//
// Depends on lcg_random for the enemies' starting places; the order of its draws is fixed
// (slot 0 x, slot 0 y, slot 1 x, ...) so that a seed replays the same round.
#include "game_state.h"

#include "lcg_random.h"

namespace {

// Where the moon starts its first lap.
constexpr std::int32_t MOON_START_X = 250;
constexpr std::int32_t MOON_START_Y = 215;

void set_fixed_scenery(GameState &state) {
    state.star1_x = 200;
    state.star1_y = 160;
    state.star2_x = -150;
    state.star2_y = 170;
    state.flower_x = 100;
    state.flower_y = -210;
    state.flower_petal_radius = 8;
    state.flower_petal_color = 2;  // red
    state.flower_heart_radius = 2;
    state.flower_heart_color = 5;  // yellow
    state.boat_x = 80;
    state.boat_y = -75;
    state.boat_half_length = 25;
    state.boat_sail = 40;
}

}  // namespace

GameState startup_state(void) {
    GameState state{};
    set_fixed_scenery(state);
    state.game_quit = 0;
    state.start_requested = 0;
    state.player_x = PARKED;
    state.player_y = PARKED;
    state.player_vx = 0;
    state.player_vy = 0;
    state.player_size = START_PLAYER_SIZE;
    state.player_half = state.player_size / 2;
    state.enemy_last = DEFAULT_ENEMY_LAST;
    state.enemy_speed = DEFAULT_ENEMY_SPEED;
    for (int i = 0; i < MAX_ENEMIES; ++i) {
        state.enemy_x[i] = PARKED;
        state.enemy_y[i] = PARKED;
        state.enemy_half[i] = state.player_size / 2;
        state.enemy_alive[i] = 1;
    }
    state.moon_x = MOON_START_X;
    state.moon_y = MOON_START_Y;
    state.star1_size = 3;
    state.star1_color = 1;  // white
    state.star2_size = 2;
    state.star2_color = 5;  // yellow
    return state;
}

void set_up_round(GameState &state) {
    // The enemies take their first half-size from the player's size of the round before;
    // the first tick's flap replaces it.
    for (int i = 0; i < MAX_ENEMIES; ++i) {
        state.enemy_x[i] = lcg_random() % 600 - 300;
        state.enemy_y[i] = lcg_random() % 500 - 250;
        state.enemy_half[i] = state.player_size / 2;
        state.enemy_alive[i] = 1;
    }
    state.player_x = state.flower_x + 20;
    state.player_y = state.flower_y + 30;
    state.player_vx = 0;
    state.player_vy = 0;
    state.player_size = START_PLAYER_SIZE;
    state.player_half = state.player_size / 2;
    state.enemies_left = state.enemy_last;
    state.round_over = 0;
}
