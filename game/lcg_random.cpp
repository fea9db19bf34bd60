// lcg_random.cpp: the linear congruential generator declared in lcg_random.h.
//
// Unsigned arithmetic wraps modulo 2^32 by definition, which is exactly the generator's rule.
#include "lcg_random.h"

namespace {
std::uint32_t lcg_state = 1;
}

void lcg_seed(std::uint32_t seed) { lcg_state = seed; }

int lcg_random(void) {
    lcg_state = lcg_state * 214013u + 2531011u;
    return static_cast<int>((lcg_state >> 16) & 0x7FFFu);
}
