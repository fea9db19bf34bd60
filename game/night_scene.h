// night_scene.h: the picture of a round, drawn whole after every event, and its sprites.
//
// Everything goes through the package's drawing calls; later primitives cover earlier ones,
// so the order of the calls is part of the picture. Depends on vorbl.h and game_state.h.
#pragma once

#include <cstdint>

#include "game_state.h"

// The whole scene from the state: sky, moon, stars, mountains, meadow, lake, flower, tree,
// sailboat, the player's butterfly and enemies 0..enemy_last (caught ones are parked off-canvas).
void draw_scene(const GameState &state);

// A filled six-pointed star: two triangles, one pointing up and one pointing down.
void draw_star(std::int32_t x, std::int32_t y, std::int32_t radius, std::int32_t color);

// A black hull of half-length `half_length` with a cyan sail of height `sail`.
void draw_sailboat(std::int32_t x, std::int32_t y, std::int32_t half_length, std::int32_t sail);

// The player's magenta butterfly; its antennae grow with the half-size.
void draw_player_butterfly(std::int32_t x, std::int32_t y, std::int32_t half);

// A black butterfly with fixed antennae.
void draw_enemy_butterfly(std::int32_t x, std::int32_t y, std::int32_t half);
