// game_main.cpp: start-up, the two phases of the main loop, one tick and the capture pass.
//
// Depends on the package (vorbl.h: start-up, event wait, shutdown) and on the game's own
// modules: the state, the rules, the scene and the instruction screen. The game has no timer:
// its pace is the package's periodic events. Everything runs between two waits on one thread.
#include "game_main.h"

#include <cstdint>
#include <cstdlib>
#include <ctime>

#include "instruction_screen.h"
#include "lcg_random.h"
#include "movement_rules.h"
#include "night_scene.h"
#include "vorbl.h"

namespace {

// The current calendar time in seconds, cut to the generator's 32 bits.
std::uint32_t calendar_seconds(void) { return static_cast<std::uint32_t>(std::time(nullptr)); }

// WINGFEAST_SEED, a whole number, makes the enemies' places the same in every run, so that a
// recorded round can be checked against its picture; otherwise the calendar time seeds them.
std::uint32_t chosen_seed(void) {
    const char *asked = std::getenv("WINGFEAST_SEED");
    if (asked != nullptr && *asked != '\0') {
        char *end = nullptr;
        const unsigned long long value = std::strtoull(asked, &end, 10);
        if (*end == '\0' && value <= UINT32_MAX) return static_cast<std::uint32_t>(value);
    }
    return calendar_seconds();
}

// False when the package could not start (it has said why); the game then has nothing to run.
bool start_package(void *instance, void *previous_instance, const char *command_line,
                   int show_mode) {
    if (!VORBL_startup(instance, previous_instance, command_line, show_mode)) {
        return false;
    }
    VORBL_set_logging(0);
    VORBL_clear_canvas();
    VORBL_set_animation(ANIMATE_RUN);
    return true;
}

bool is_new_game_key(unsigned char key) { return key == 'N' || key == 'n'; }

// What one event of the instruction phase changes.
void handle_instruction_event(GameState &state, int kind, std::int32_t x, std::int32_t y,
                              unsigned char key) {
    if (kind == EVENT_MOUSE) {
        if (panel_hit(x, y) == 1) {
            panel_action(x, y, state.enemy_speed, state.enemy_last);
        }
    } else if (kind == EVENT_KBD) {
        if (is_new_game_key(key)) {
            state.start_requested = 1;
        }
    } else if (kind == EVENT_QUIT) {
        state.game_quit = 1;
    }
}

// What one event of the play phase changes, before the redraw and the capture pass.
void handle_play_event(GameState &state, int kind, unsigned char key) {
    if (kind == EVENT_KBD) {
        keypad_velocity(key, state.player_vx, state.player_vy);
    } else if (kind == EVENT_PERIODIC) {
        play_tick(state);
    } else if (kind == EVENT_QUIT) {
        state.game_quit = 1;
    }
}

void catch_enemy(GameState &state, int index) {
    state.enemy_alive[index] = 0;
    state.enemy_x[index] = PARKED;
    state.enemy_y[index] = PARKED;
    state.player_size += GROWTH_PER_CATCH;
    state.enemies_left -= 1;
}

void end_round(GameState &state) {
    state.round_over = 1;
    state.start_requested = 0;
    state.enemy_last = DEFAULT_ENEMY_LAST;
    state.enemy_speed = DEFAULT_ENEMY_SPEED;
}

}  // namespace

int game_main(void *instance, void *previous_instance, const char *command_line, int show_mode) {
    lcg_seed(chosen_seed());
    if (!start_package(instance, previous_instance, command_line, show_mode)) {
        VORBL_shutdown();
        return 1;
    }
    GameState state = startup_state();
    draw_start_screen(state);
    run_main_loop(state);
    VORBL_shutdown();
    return 0;
}

void draw_start_screen(const GameState &state) {
    draw_scene(state);
    draw_panel();
}

void run_main_loop(GameState &state) {
    while (state.game_quit == 0) {
        instruction_phase(state);
        // The set-up runs after a quit too, so the random sequence does not depend on how the
        // instruction phase ended.
        set_up_round(state);
        play_phase(state);
    }
}

void instruction_phase(GameState &state) {
    state.start_requested = 0;
    while (state.game_quit == 0 && state.start_requested == 0) {
        draw_instructions(state.enemy_last, state.enemy_speed);
        draw_panel();
        int x = 0;
        int y = 0;
        unsigned char key = 0;
        const int kind = VORBL_wait_event(&x, &y, &key);
        handle_instruction_event(state, kind, x, y, key);
    }
}

void play_phase(GameState &state) {
    while (state.game_quit == 0 && state.round_over == 0) {
        int x = 0;
        int y = 0;
        unsigned char key = 0;
        const int kind = VORBL_wait_event(&x, &y, &key);
        handle_play_event(state, kind, key);
        draw_scene(state);
        capture_pass(state);
    }
}

void play_tick(GameState &state) {
    drift_moon(state.moon_x, state.moon_y);
    twinkle_star(state.star1_size, state.star1_color);
    twinkle_star(state.star2_size, state.star2_color);
    move_player(state.player_x, state.player_y, state.player_half, state.player_vx, state.player_vy,
                state.player_size);
    for (int i = 0; i <= state.enemy_last && i < MAX_ENEMIES; ++i) {
        const DriftSigns signs = enemy_direction(i % 4);
        if (state.enemy_alive[i] == 1) {
            move_enemy(state.enemy_x[i], state.enemy_y[i], state.enemy_half[i], signs,
                       state.enemy_speed);
        }
    }
}

void capture_pass(GameState &state) {
    // The bound is taken once: ending the round resets enemy_last in the middle of the pass.
    const std::int32_t last = state.enemy_last;
    for (int i = 0; i <= last && i < MAX_ENEMIES; ++i) {
        if (butterflies_touch(state.player_x, state.player_y, state.player_half, state.enemy_x[i],
                              state.enemy_y[i], state.enemy_half[i]) == 1) {
            catch_enemy(state, i);
        }
        if (state.enemies_left == -1) {
            end_round(state);
            return;
        }
    }
}
