// movement_rules_test.cpp: the keypad, the moon's lap, the flaps and wraps of the butterflies,
// the enemies' random steps and the catch test.
#include <gtest/gtest.h>

#include <set>

#include "game_test_support.h"
#include "movement_rules.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

struct Velocity {
    std::int32_t vx;
    std::int32_t vy;
};

Velocity after_key(unsigned char key, Velocity start) {
    keypad_velocity(key, start.vx, start.vy);
    return start;
}

// The flap of a player of size 10 gives half 5 + (draw % 10) / 2.
std::uint32_t seed_for_player_half(int half) {
    return seed_whose_first_draw([half](int r) { return 5 + (r % 10) / 2 == half; });
}

}  // namespace

TEST(KeypadVelocity, DigitsSetTheTableAndOtherKeysChangeNothing) {
    const Velocity expected[9] = {{-10, -10}, {0, -20},  {10, -10}, {-20, 0}, {0, 0},
                                  {20, 0},    {-10, 10}, {0, 20},   {10, 10}};
    for (int digit = 1; digit <= 9; ++digit) {
        const Velocity v = after_key(static_cast<unsigned char>('0' + digit), {7, 7});
        EXPECT_EQ(v.vx, expected[digit - 1].vx) << "digit " << digit;
        EXPECT_EQ(v.vy, expected[digit - 1].vy) << "digit " << digit;
    }
    // '8' after '7' replaces the velocity, it does not add to it.
    const Velocity up = after_key('8', after_key('7', {0, 0}));
    EXPECT_EQ(up.vx, 0);
    EXPECT_EQ(up.vy, 20);
    for (int key : {int('0'), int('N'), int('n'), int(':'), int('/'), int(' '), 0, 0xB9}) {
        const Velocity v = after_key(static_cast<unsigned char>(key), {-10, 10});
        EXPECT_EQ(v.vx, -10) << "key " << int(key);
        EXPECT_EQ(v.vy, 10) << "key " << int(key);
    }
}

TEST(DriftMoon, StepsLeftAndStartsEachLapOneUnitLower) {
    std::int32_t x = -330;
    std::int32_t y = 215;
    drift_moon(x, y);
    EXPECT_EQ(x, 331);
    EXPECT_EQ(y, 214);
    for (int tick = 0; tick < 661; ++tick) {
        drift_moon(x, y);
    }
    EXPECT_EQ(x, -330);
    EXPECT_EQ(y, 214);
    drift_moon(x, y);  // a lap is 662 ticks
    EXPECT_EQ(x, 331);
    EXPECT_EQ(y, 213);
}

class MoversTest : public HeadlessPackageTest {};

TEST_F(MoversTest, PlayerWrapsWithTheNewHalfAtEveryEdge) {
    const std::uint32_t half9 = seed_for_player_half(9);
    struct Case {
        std::int32_t x, y, vx, vy, want_x, want_y;
    };
    const Case cases[] = {
        {308, 0, 20, 0, -309, 0},   // right edge, 300 + half - 1 moving right
        {-308, 0, -20, 0, 309, 0},  // left edge
        {0, 258, 0, 20, 0, -259},   // top edge
        {0, -258, 0, -20, 0, 259},  // bottom edge
        {280, 0, 10, 10, 290, 10},  // still partly inside: no wrap
    };
    for (const Case &c : cases) {
        std::int32_t x = c.x, y = c.y, half = 0;
        lcg_seed(half9);
        move_player(x, y, half, c.vx, c.vy, 10);
        EXPECT_EQ(half, 9);
        EXPECT_EQ(x, c.want_x) << "from " << c.x << "," << c.y;
        EXPECT_EQ(y, c.want_y) << "from " << c.x << "," << c.y;
    }
}

TEST_F(MoversTest, EnemyStepsStayWithinSpeedInTheDriftDirection) {
    for (std::int32_t speed : {2, 50}) {
        for (int index = 0; index < 4; ++index) {
            const DriftSigns signs = enemy_direction(index);
            std::set<int> x_steps;
            std::set<int> y_steps;
            std::set<int> halves;
            lcg_seed(static_cast<std::uint32_t>(speed * 10 + index));
            for (int tick = 0; tick < 800; ++tick) {
                std::int32_t x = 0, y = 0, half = 0;
                move_enemy(x, y, half, signs, speed);
                x_steps.insert(x * signs.x_sign);
                y_steps.insert(y * signs.y_sign);
                halves.insert(half);
            }
            EXPECT_EQ(*x_steps.begin(), 0) << "speed " << speed;
            EXPECT_EQ(*x_steps.rbegin(), speed - 1) << "speed " << speed << " index " << index;
            EXPECT_EQ(x_steps.size(), static_cast<std::size_t>(speed));
            EXPECT_EQ(y_steps, x_steps);
            EXPECT_EQ(halves, (std::set<int>{5, 6, 7, 8, 9}));
        }
    }
}

TEST(ButterfliesTouch, EdgesOfTheEnemyAgainstThePlayersSquare) {
    // A half-9 enemy centred on a half-5 player reaches beyond it on both sides: no catch.
    EXPECT_EQ(butterflies_touch(0, 0, 5, 0, 0, 9), 0);
    // Four units aside, its edges lie at -5 and 13 relative to the player: caught.
    EXPECT_EQ(butterflies_touch(0, 0, 5, 4, 4, 9), 1);
    EXPECT_EQ(butterflies_touch(0, 0, 5, -4, -4, 9), 1);
    EXPECT_EQ(butterflies_touch(100, -50, 5, 104, -46, 9), 1);
    // Touching counts on each axis; one unit further does not.
    EXPECT_EQ(butterflies_touch(0, 0, 5, -10, 0, 5), 1);
    EXPECT_EQ(butterflies_touch(0, 0, 5, -11, 0, 5), 0);
    EXPECT_EQ(butterflies_touch(0, 0, 5, 0, 10, 5), 1);
    EXPECT_EQ(butterflies_touch(0, 0, 5, 0, 11, 5), 0);
    // Both axes must pass.
    EXPECT_EQ(butterflies_touch(0, 0, 5, 8, 30, 5), 0);
    EXPECT_EQ(butterflies_touch(0, 0, 5, 30, 8, 5), 0);
    // A parked enemy is out of reach of a player at its farthest wrap.
    EXPECT_EQ(butterflies_touch(339, 289, 39, 1000, 1000, 9), 0);
}
