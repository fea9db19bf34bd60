// lcg_random_test.cpp: the generator's sequence, range and reseeding.
#include <gtest/gtest.h>

#include <algorithm>

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

TEST(LcgRandom, ReseedingReplaysAndValuesStayInRange) {
    lcg_seed(12345);
    int first[100];
    int low = 32767;
    int high = 0;
    for (int &value : first) {
        value = lcg_random();
        low = std::min(low, value);
        high = std::max(high, value);
    }
    lcg_seed(12345);
    for (int value : first) {
        EXPECT_EQ(lcg_random(), value);
    }
    for (int i = 0; i < 100000; ++i) {
        const int value = lcg_random();
        low = std::min(low, value);
        high = std::max(high, value);
    }
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, LCG_RANDOM_MAX);
}
