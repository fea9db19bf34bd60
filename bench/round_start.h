// round_start.h: the game's state at the start of a round, set up as the game sets it up with a
// fixed seed, so that every run of a frame benchmark draws the same scene.
#pragma once

#include <cstdint>

#include "game_state.h"
#include "lcg_random.h"

namespace bench {

// A round with enemies 0 to `enemy_last`.
inline GameState round_start(std::int32_t enemy_last) {
    GameState state = startup_state();
    state.enemy_last = enemy_last;
    lcg_seed(2026);
    set_up_round(state);
    return state;
}

}  // namespace bench
