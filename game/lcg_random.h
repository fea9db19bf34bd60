// lcg_random.h: the game's one random-number generator.
//
// A linear congruential generator on an unsigned 32-bit seed, with the multiplier 214013 and
// the increment 2531011; each draw yields bits 16 to 30 of the new seed, 0 to 32767. The game
// seeds it once at start-up; every random value of a round comes from it in a fixed order, so
// the same seed replays the same game. Depends on nothing. Not thread-safe (one game, one thread).
#pragma once

#include <cstdint>

// The largest value lcg_random returns.
constexpr int LCG_RANDOM_MAX = 32767;

// Replace the seed; the next lcg_random continues from it.
void lcg_seed(std::uint32_t seed);

// Advance the seed and return the next value, 0 to LCG_RANDOM_MAX.
int lcg_random(void);
