// night_scene.cpp: the night landscape and the sprites, as fixed sequences of drawing calls.
//
// Depends on the package's drawing calls (vorbl.h). Nothing is cached between frames: the
// scene is about 35 primitives plus 4 per butterfly, each rendered at once by the package.
// "Filled" is width 0 for the package's triangles, rectangles and ovals.
#include "night_scene.h"

#include "vorbl.h"

namespace {

constexpr int FILLED = 0;
constexpr int ANTENNA_WIDTH = 2;
constexpr int STEM_WIDTH = 2;
constexpr int MOON_RADIUS = 20;

// The two wings of a butterfly: triangles from the body out to the corners of its square.
void draw_wings(int color, std::int32_t x, std::int32_t y, std::int32_t half) {
    VORBL_draw_triangle(color, x, y, x - half, y + half, x - half, y - half, FILLED);
    VORBL_draw_triangle(color, x, y, x + half, y + half, x + half, y - half, FILLED);
}

void draw_sky_and_moon(const GameState &state) {
    VORBL_draw_rectangle(DUSTY_PLUM, -300, -250, 300, 250, FILLED);
    VORBL_draw_circle(WHITE, state.moon_x, state.moon_y, MOON_RADIUS);
    // The sky cut out of the moon's right side leaves a crescent.
    VORBL_draw_oval(DUSTY_PLUM, state.moon_x, state.moon_y - 20, state.moon_x + 50,
                    state.moon_y + 20, FILLED);
}

void draw_mountains(void) {
    VORBL_draw_triangle(GRAY_20, -300, -50, 300, -50, -37, 208, FILLED);
    VORBL_draw_triangle(GRAY_50, -300, -50, 300, -50, -100, 187, FILLED);
    VORBL_draw_triangle(BROWN, -300, -50, 300, -50, 75, 166, FILLED);
    VORBL_draw_triangle(OLIVE, -375, -50, 100, -50, -225, 166, FILLED);
    VORBL_draw_triangle(FOREST_GREEN, -100, -50, 300, -50, 300, 166, FILLED);
}

void draw_meadow_and_lake(void) {
    VORBL_draw_rectangle(SEA_GREEN, -300, -250, 300, -50, FILLED);
    VORBL_draw_oval(BLUE, -400, -50, 100, -100, FILLED);  // cut by the left edge
}

void draw_flower(const GameState &state) {
    const std::int32_t x = state.flower_x;
    const std::int32_t y = state.flower_y;
    const std::int32_t petal = state.flower_petal_radius;
    VORBL_draw_circle(state.flower_petal_color, x, y, petal);
    VORBL_draw_circle(state.flower_heart_color, x, y, state.flower_heart_radius);
    VORBL_draw_line(FOREST_GREEN, x, y - petal, x, y - petal - 15, STEM_WIDTH);
    VORBL_draw_line(FOREST_GREEN, x, y - petal - 10, x + 5, y - petal - 3, STEM_WIDTH);
}

void draw_tree(void) {
    VORBL_draw_rectangle(BROWN, -250, -200, -240, -150, FILLED);
    VORBL_draw_circle(FOREST_GREEN, -245, -140, 30);
}

void draw_butterflies(const GameState &state) {
    draw_player_butterfly(state.player_x, state.player_y, state.player_half);
    for (int i = 0; i <= state.enemy_last && i < MAX_ENEMIES; ++i) {
        draw_enemy_butterfly(state.enemy_x[i], state.enemy_y[i], state.enemy_half[i]);
    }
}

}  // namespace

void draw_scene(const GameState &state) {
    draw_sky_and_moon(state);
    draw_star(state.star1_x, state.star1_y, state.star1_size, state.star1_color);
    draw_star(state.star2_x, state.star2_y, state.star2_size, state.star2_color);
    draw_mountains();
    draw_meadow_and_lake();
    draw_flower(state);
    draw_tree();
    draw_sailboat(state.boat_x, state.boat_y, state.boat_half_length, state.boat_sail);
    draw_butterflies(state);
}

void draw_star(std::int32_t x, std::int32_t y, std::int32_t radius, std::int32_t color) {
    // The points' offsets are computed in floating point and truncated toward zero.
    const auto a = static_cast<std::int32_t>(radius * 0.87);
    const auto b = static_cast<std::int32_t>(radius / 2.0);
    VORBL_draw_triangle(color, x, y + radius, x + a, y - b, x - a, y - b, FILLED);
    VORBL_draw_triangle(color, x, y - radius, x - a, y + b, x + a, y + b, FILLED);
}

void draw_sailboat(std::int32_t x, std::int32_t y, std::int32_t half_length, std::int32_t sail) {
    VORBL_draw_rectangle(BLACK, x - half_length, y, x + half_length, y - 4, FILLED);
    VORBL_draw_triangle(CYAN, x, y, x, y + sail, x + sail, y + (2 * sail) / 3, FILLED);
}

void draw_player_butterfly(std::int32_t x, std::int32_t y, std::int32_t half) {
    draw_wings(MAGENTA, x, y, half);
    VORBL_draw_line(BLACK, x, y, x - half / 3, y + half / 2, ANTENNA_WIDTH);
    VORBL_draw_line(BLACK, x, y, x + half / 3, y + half / 2, ANTENNA_WIDTH);
}

void draw_enemy_butterfly(std::int32_t x, std::int32_t y, std::int32_t half) {
    draw_wings(BLACK, x, y, half);
    VORBL_draw_line(BLACK, x, y, x - 3, y + 7, ANTENNA_WIDTH);
    VORBL_draw_line(BLACK, x, y, x + 3, y + 7, ANTENNA_WIDTH);
}
