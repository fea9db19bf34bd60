// instruction_screen.h: the screen between rounds and its four-button panel.
//
// The white box with the rules and the current settings, and the panel that raises or lowers
// the enemies' speed (2..50, even) and number (1..10). Depends on vorbl.h.
#pragma once

#include <cstdint>

// The white box, the title, the rules and the current speed and number of enemies.
void draw_instructions(std::int32_t enemy_last, std::int32_t enemy_speed);

// The four touching button outlines, then their labels.
void draw_panel(void);

// 1 when the click lies strictly inside the panel, 0 otherwise (its outer edge is outside).
int panel_hit(std::int32_t x, std::int32_t y);

// The action of the button under a click inside the panel; a click at a limit changes nothing.
void panel_action(std::int32_t x, std::int32_t y, std::int32_t &enemy_speed,
                  std::int32_t &enemy_last);
