// game_state.h: everything the game remembers, its start-up values and the round set-up.
//
// One GameState lives in game_main for the whole run; the rules, the scene and the panel get
// the fields they change by reference. All fields are signed 32-bit integers in the package's
// logical coordinates (origin at the centre of the window, y upward). Depends on lcg_random
// (the round set-up draws the enemies' positions). Only enemies 0..enemy_last are in play.
#pragma once

#include <cstdint>

// Slots for black butterflies; enemy_last picks how many of them a round uses.
constexpr int MAX_ENEMIES = 10;
// A coordinate far outside the scene (x -300..300, y -250..250) where unseen sprites wait.
constexpr std::int32_t PARKED = 1000;
// The panel's settings before the first round and again after every round.
constexpr std::int32_t DEFAULT_ENEMY_LAST = 5;
constexpr std::int32_t DEFAULT_ENEMY_SPEED = 10;
// The player's growth value at the start of a round and its gain per catch.
constexpr std::int32_t START_PLAYER_SIZE = 10;
constexpr std::int32_t GROWTH_PER_CATCH = 3;

struct GameState {
    std::int32_t game_quit;
    std::int32_t start_requested;
    std::int32_t round_over;

    std::int32_t player_x, player_y;
    std::int32_t player_vx, player_vy;
    std::int32_t player_size;
    std::int32_t player_half;

    std::int32_t enemy_last;
    std::int32_t enemy_speed;
    std::int32_t enemies_left;
    std::int32_t enemy_x[MAX_ENEMIES];
    std::int32_t enemy_y[MAX_ENEMIES];
    std::int32_t enemy_half[MAX_ENEMIES];
    std::int32_t enemy_alive[MAX_ENEMIES];

    std::int32_t moon_x, moon_y;
    std::int32_t star1_x, star1_y, star1_size, star1_color;
    std::int32_t star2_x, star2_y, star2_size, star2_color;

    std::int32_t flower_x, flower_y;
    std::int32_t flower_petal_radius, flower_petal_color;
    std::int32_t flower_heart_radius, flower_heart_color;

    std::int32_t boat_x, boat_y, boat_half_length, boat_sail;
};

// The state as the program starts: butterflies parked out of sight, default settings.
GameState startup_state(void);

// Prepare a round: random places for all ten enemy slots (20 draws: x then y per slot), the
// player back beside the flower, standing still, at its starting size; the moon and the stars
// keep their state.
void set_up_round(GameState &state);
