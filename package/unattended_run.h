// unattended_run.h: a run of any program on the package that the environment directs, with no
// change to the program: the headless host with virtual time, a script played or recorded from
// the first wait, limits that end the run, and the canvas and the messages written to files.
//
// The settings are environment variables, read once at start-up (the programming guide lists
// them in "Testing and grading programs"):
//   VORBL_HEADLESS=1           the headless host: no screen, virtual time
//   VORBL_PLAY_SCRIPT=1        play VORBL.SCR from the first wait, as if Ctrl+P had been pressed
//   VORBL_RECORD_SCRIPT=1      record VORBL.SCR from the first wait, as if Ctrl+R had been pressed
//   VORBL_MAX_EVENTS=n         end the run once n events have reached the program
//   VORBL_MAX_MS=n             end the run at n ms of virtual time (headless only; default
//                              600000 there, 0 for none)
//   VORBL_CANVAS_PNG=path      the visible canvas as PNG at the end of the run
//   VORBL_CANVAS_PNG_AFTER=l   also after the events numbered in the comma-separated list l
//                              (path-after-N.png beside the final picture)
//   VORBL_MESSAGES=path|-      every message the text window stores, one a line, as it comes
//   VORBL_RUN_REPORT=path      how the run went: started, events, virtual time, what ended it
// When the run ends (script end or a limit) the program's next wait returns EVENT_QUIT, so it
// shuts down as usual. A run ended by a limit exits with status 124 whatever the program
// returns; a program that goes on waiting after its EVENT_QUIT is ended with status 125;
// settings that cannot be used end the program at start-up with one line and status 126.
//
// Built only with the platform layer (desktop hosts); elsewhere unattended_run_none.cpp supplies
// these calls doing nothing.
#pragma once

#include <cstddef>

namespace vorbl {

// Start-up, before the first window: reads the settings and selects the headless host.
void unattended_run_configure(void);
// Start-up, after the windows (started: the graphics window exists).
void unattended_run_started(bool started);
// At the start of every wait. True when the run is over: the wait returns EVENT_QUIT at once.
bool unattended_run_before_wait(void);
// Inside a wait, after each pass. True when the run ended during this wait.
bool unattended_run_ends_wait(void);
// After a wait decided its event (the program receives `kind`).
void unattended_run_after_event(int kind);
// A message the text window stored, `length` bytes.
void unattended_run_message(const char *text, std::size_t length);
// Shutdown, while the canvas still exists: the final picture and the report.
void unattended_run_finish(void);

}  // namespace vorbl
