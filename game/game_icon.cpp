// game_icon.cpp: the game's icon (game_icon.h).
#include "game_icon.h"

#include "vorbl.h"

#include "night_scene.h"

void draw_game_icon(int size) {
    const int left = -size / 2;
    const int top = size / 2;
    VORBL_draw_rectangle(DUSTY_PLUM, left, top, left + size - 1, top - size + 1, 0);
    if (size < 32) {
        draw_player_butterfly(left + size / 2, top - size / 2, size * 7 / 16);
        return;
    }
    const int radius = size / 8;
    const int moon_x = left + size - size / 5;
    const int moon_y = top - size / 5;
    VORBL_draw_circle(WHITE, moon_x, moon_y, radius);
    VORBL_draw_circle(DUSTY_PLUM, moon_x - radius / 2, moon_y + radius / 3, radius);
    draw_player_butterfly(left + size / 2 - size / 16, top - size / 2 - size / 16, size * 5 / 16);
}
