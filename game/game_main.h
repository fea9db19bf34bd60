// game_main.h: the game's whole life, from the package's start-up to its shutdown.
//
// game_main is what the process entry calls. Its steps are declared here too, so that tests
// and tools can run one phase on a state they prepared (the headless host drives the input).
// Depends on game_state.h; the package is started and ended inside game_main.
#pragma once

#include "game_state.h"

// Seed the generator with the time (or WINGFEAST_SEED), start the package, run rounds until the
// quit request, shut the package down; returns 0, or 1 when the package could not start. The
// arguments are handed to VORBL_startup unchanged.
int game_main(void *instance, void *previous_instance, const char *command_line, int show_mode);

// The landscape with both kinds of butterfly parked, and the panel: the first picture.
void draw_start_screen(const GameState &state);

// Instruction phase, round set-up and play phase, again and again, until game_quit is set.
void run_main_loop(GameState &state);

// The instruction screen until N or n is typed or the quit request comes.
void instruction_phase(GameState &state);

// One round: every event is handled, then the scene is drawn and the catches are counted,
// until the round or the program ends.
void play_phase(GameState &state);

// One animation tick: the moon, the stars, the player and each enemy in play, in that order.
void play_tick(GameState &state);

// Test every enemy in play against the player; catches park the enemy and grow the player,
// and the last catch ends the round and restores the panel's settings.
void capture_pass(GameState &state);
