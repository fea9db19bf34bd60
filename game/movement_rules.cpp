// movement_rules.cpp: the moon's drift, the stars' twinkle, the butterflies' flight and the catch.
//
// Depends on lcg_random (every random value, in call order) and night_scene (the movers draw
// their sprite). Speeds and sizes come from the game state, which keeps them in range: speed
// 2..50, size 10..40; a speed below 1 is treated as 1 so a remainder never divides by zero.
#include "movement_rules.h"

#include "lcg_random.h"
#include "night_scene.h"

namespace {

// The moon's x at which a lap ends.
constexpr std::int32_t MOON_LAP_END = -330;

// The keypad's velocity for each digit '1'..'9': x and y in units per tick.
constexpr std::int32_t KEYPAD_VELOCITY[9][2] = {
    {-10, -10}, {0, -20}, {10, -10},  // 1 2 3
    {-20, 0},   {0, 0},   {20, 0},    // 4 5 6
    {-10, 10},  {0, 20},  {10, 10},   // 7 8 9
};

// Bring a coordinate that left the band [-bound - half, bound + half] back at the other side,
// wholly outside, so the sprite slides in again.
void wrap_coordinate(std::int32_t &value, std::int32_t bound, std::int32_t half) {
    if (value >= bound + half) {
        value = -bound - half;
    } else if (value <= -bound - half) {
        value = bound + half;
    }
}

// A random step along one drift sign: the product's sign carries into the remainder, so the
// step lies in 0..speed-1 for +1 and in -(speed-1)..0 for -1.
std::int32_t random_step(std::int32_t sign, std::int32_t speed) {
    return (lcg_random() * sign) % speed;
}

// True when value lies in [low, high], both ends included.
bool within(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value >= low && value <= high;
}

}  // namespace

void drift_moon(std::int32_t &x, std::int32_t &y) {
    x = x - 1;
    if (x < MOON_LAP_END) {
        x = -x;
        y = y - 1;
    }
}

void twinkle_star(std::int32_t &size, std::int32_t &color) {
    size = lcg_random() % 4 + 1;
    color = lcg_random() % 24;
}

void move_player(std::int32_t &x, std::int32_t &y, std::int32_t &half, std::int32_t vx,
                 std::int32_t vy, std::int32_t size) {
    x = x + vx;
    y = y + vy;
    const std::int32_t divisor = size > 0 ? size : 1;
    half = size / 2 + (lcg_random() % divisor) / 2;
    wrap_coordinate(x, SCENE_HALF_WIDTH, half);
    wrap_coordinate(y, SCENE_HALF_HEIGHT, half);
    draw_player_butterfly(x, y, half);
}

void keypad_velocity(unsigned char key, std::int32_t &vx, std::int32_t &vy) {
    if (key < '1' || key > '9') {
        return;
    }
    vx = KEYPAD_VELOCITY[key - '1'][0];
    vy = KEYPAD_VELOCITY[key - '1'][1];
}

DriftSigns enemy_direction(std::int32_t index_mod_4) {
    switch (index_mod_4) {
        case 0: return {+1, +1};
        case 1: return {-1, +1};
        case 2: return {+1, -1};
        default: return {-1, -1};
    }
}

void move_enemy(std::int32_t &x, std::int32_t &y, std::int32_t &half, DriftSigns signs,
                std::int32_t speed) {
    const std::int32_t modulus = speed > 0 ? speed : 1;
    x = x + random_step(signs.x_sign, modulus);
    y = y + random_step(signs.y_sign, modulus);
    half = (lcg_random() % 10) / 2 + 5;
    wrap_coordinate(x, SCENE_HALF_WIDTH, half);
    wrap_coordinate(y, SCENE_HALF_HEIGHT, half);
    draw_enemy_butterfly(x, y, half);
}

int butterflies_touch(std::int32_t player_x, std::int32_t player_y, std::int32_t player_half,
                      std::int32_t enemy_x, std::int32_t enemy_y, std::int32_t enemy_half) {
    const std::int32_t left = player_x - player_half;
    const std::int32_t right = player_x + player_half;
    const std::int32_t bottom = player_y - player_half;
    const std::int32_t top = player_y + player_half;
    const bool x_passes =
        within(enemy_x + enemy_half, left, right) || within(enemy_x - enemy_half, left, right);
    const bool y_passes =
        within(enemy_y + enemy_half, bottom, top) || within(enemy_y - enemy_half, bottom, top);
    return x_passes && y_passes ? 1 : 0;
}
