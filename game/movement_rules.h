// movement_rules.h: what one tick of a round does to the sky and the butterflies, and the catch.
//
// Each rule changes only the fields it is given by reference. The random draws happen in the
// order of the calls, which game_main fixes (moon, star 1, star 2, player, enemies by index), so
// a seed replays the same round. Division and remainder truncate toward zero, as C++ defines.
// The movers also draw their sprite, which the full scene drawn after the tick covers again.
#pragma once

#include <cstdint>

// Half-width and half-height of the scene; a sprite wholly beyond one edge re-enters at the other.
constexpr std::int32_t SCENE_HALF_WIDTH = 300;
constexpr std::int32_t SCENE_HALF_HEIGHT = 250;

// The drift of one enemy: each sign is +1 or -1.
struct DriftSigns {
    std::int32_t x_sign;
    std::int32_t y_sign;
};

// One unit left per tick; past x -330 the moon starts a new lap at 331, one unit lower.
void drift_moon(std::int32_t &x, std::int32_t &y);

// A new radius 1..4 and a new colour 0..23, in that order of draws.
void twinkle_star(std::int32_t &size, std::int32_t &color);

// Step by the velocity, flap (half from size), wrap at the edges, draw the player's butterfly.
void move_player(std::int32_t &x, std::int32_t &y, std::int32_t &half, std::int32_t vx,
                 std::int32_t vy, std::int32_t size);

// The keypad digits 1..9 set the velocity; every other key leaves it alone.
void keypad_velocity(unsigned char key, std::int32_t &vx, std::int32_t &vy);

// The drift of enemy i, chosen by i mod 4: up-right, up-left, down-right, down-left.
DriftSigns enemy_direction(std::int32_t index_mod_4);

// A random step of 0..speed-1 units along each drift sign, a flap (half 5..9), wrap, draw.
void move_enemy(std::int32_t &x, std::int32_t &y, std::int32_t &half, DriftSigns signs,
                std::int32_t speed);

// 1 when an edge of the enemy lies within the player's square on both axes (touching counts).
int butterflies_touch(std::int32_t player_x, std::int32_t player_y, std::int32_t player_half,
                      std::int32_t enemy_x, std::int32_t enemy_y, std::int32_t enemy_half);
