// instruction_screen.cpp: the instruction box, the control panel and what a click on it does.
//
// Depends on the package's drawing calls (vorbl.h). All texts are black and drawn with
// VORBL_draw_printf; plain texts are passed as the format itself, with no argument (none of
// them holds a '%', so they print unchanged).
#include "instruction_screen.h"

#include "vorbl.h"

namespace {

constexpr int FILLED = 0;

// The panel: four buttons stacked downward from y -60, each 25 units high, x -50..75.
constexpr std::int32_t PANEL_LEFT = -50;
constexpr std::int32_t PANEL_RIGHT = 75;
constexpr std::int32_t PANEL_TOP = -60;
constexpr std::int32_t BUTTON_HEIGHT = 25;
constexpr int BUTTON_COUNT = 4;
constexpr std::int32_t PANEL_BOTTOM = PANEL_TOP - BUTTON_COUNT * BUTTON_HEIGHT;

constexpr const char *BUTTON_LABELS[BUTTON_COUNT] = {
    "Speed Up Enemies",
    "Slow Down Enemies",
    "Add a Bug",
    "Subtract a Bug",
};

// The limits the panel keeps the settings within.
constexpr std::int32_t MIN_SPEED = 2;
constexpr std::int32_t MAX_SPEED = 50;
constexpr std::int32_t SPEED_STEP = 2;
constexpr std::int32_t MAX_ENEMY_LAST = 9;

constexpr int SETTINGS_PTSIZE = 12;
constexpr int LABEL_PTSIZE = 12;

// The title and the rules, top to bottom.
void draw_rules(void) {
    VORBL_draw_printf(BLACK, -65, 110, 26, "Wingfeast!");
    VORBL_draw_printf(BLACK, -200, 80, 20, "Here's how to play:");
    VORBL_draw_printf(BLACK, -180, 60, 14,
                      "Fly your butterfly around the screen using the numerical keypad.");
    VORBL_draw_printf(BLACK, -180, 40, 14,
                      "(Use 8 to fly up, 4 to fly left, 7 to fly diagonally.)");
    VORBL_draw_printf(BLACK, -180, 20, 14,
                      "Every time that you can catch one of the black butterflies,");
    VORBL_draw_printf(BLACK, -180, 0, 14, "you eat it, and then grow bigger!");
    VORBL_draw_printf(BLACK, -180, -20, 14, "Try to catch them all!");
    VORBL_draw_printf(BLACK, -100, -50, 20, "Press N for a new game");
}

void draw_settings(std::int32_t enemy_last, std::int32_t enemy_speed) {
    VORBL_draw_printf(BLACK, 90, -75, SETTINGS_PTSIZE, "Current speed:");
    VORBL_draw_printf(BLACK, 90, -90, SETTINGS_PTSIZE, "%d", enemy_speed);
    VORBL_draw_printf(BLACK, 90, -115, SETTINGS_PTSIZE, "Current number of enemies:");
    VORBL_draw_printf(BLACK, 90, -130, SETTINGS_PTSIZE, "%d", enemy_last + 1);
}

void speed_up(std::int32_t &speed) {
    if (speed < MAX_SPEED) {
        speed += SPEED_STEP;
    }
}

void slow_down(std::int32_t &speed) {
    if (speed > MIN_SPEED) {
        speed -= SPEED_STEP;
    }
}

void add_bug(std::int32_t &last) {
    if (last < MAX_ENEMY_LAST) {
        last += 1;
    }
}

void subtract_bug(std::int32_t &last) {
    if (last > 0) {
        last -= 1;
    }
}

}  // namespace

void draw_instructions(std::int32_t enemy_last, std::int32_t enemy_speed) {
    VORBL_draw_rectangle(WHITE, -250, -180, 250, 150, FILLED);
    draw_rules();
    draw_settings(enemy_last, enemy_speed);
}

void draw_panel(void) {
    for (int k = 0; k < BUTTON_COUNT; ++k) {
        const std::int32_t top = PANEL_TOP - BUTTON_HEIGHT * k;
        VORBL_draw_rectangle(BLACK, PANEL_LEFT, top, PANEL_RIGHT, top - BUTTON_HEIGHT, 1);
    }
    for (int k = 0; k < BUTTON_COUNT; ++k) {
        VORBL_draw_printf(BLACK, -40, -78 - BUTTON_HEIGHT * k, LABEL_PTSIZE, "%s",
                          BUTTON_LABELS[k]);
    }
}

int panel_hit(std::int32_t x, std::int32_t y) {
    return x > PANEL_LEFT && x < PANEL_RIGHT && y > PANEL_BOTTOM && y < PANEL_TOP ? 1 : 0;
}

void panel_action(std::int32_t /*x*/, std::int32_t y, std::int32_t &enemy_speed,
                  std::int32_t &enemy_last) {
    // A click on an edge shared by two buttons belongs to the lower one.
    switch ((PANEL_TOP - y) / BUTTON_HEIGHT) {
        case 0: speed_up(enemy_speed); break;
        case 1: slow_down(enemy_speed); break;
        case 2: add_bug(enemy_last); break;
        case 3: subtract_bug(enemy_last); break;
        default: break;  // outside the panel: panel_hit keeps callers from getting here
    }
}
