// lcg_random_test.cpp: the generator's sequence from a seed, with the seed wrapping at 2^32.
#include <gtest/gtest.h>

#include "lcg_random.h"

TEST(LcgRandom, FollowsTheMultiplyAndAddRuleFromTheSeed) {
    lcg_seed(1);
    EXPECT_EQ(lcg_random(), 41);
    EXPECT_EQ(lcg_random(), 18467);
    EXPECT_EQ(lcg_random(), 6334);
    EXPECT_EQ(lcg_random(), 26500);
    lcg_seed(0);
    EXPECT_EQ(lcg_random(), 38);  // 2531011 >> 16
    // The seed wraps modulo 2^32: 0xFFFFFFFF * 214013 + 2531011 = 2316998 (mod 2^32).
    lcg_seed(0xFFFFFFFFu);
    EXPECT_EQ(lcg_random(), 2316998 >> 16);
}
