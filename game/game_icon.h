// game_icon.h: the game's icon, drawn with the package's drawing calls.
//
// The desktop's icons (tools/wingfeast_screenshot --icon) and the browser pages' icons
// (web/page_icon.cpp) are both this picture, read back from the canvas. Depends on vorbl.h
// and night_scene.h.
#pragma once

// The butterfly over a square tile of sky `size` pixels across whose top-left pixel is logical
// (-size/2, size/2), with the moon above its right wing where there is room; at the smallest
// sizes the butterfly alone, as large as the tile allows.
void draw_game_icon(int size);
