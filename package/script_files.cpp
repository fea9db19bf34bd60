// script_files.cpp: the script state, closing the script file, and the three switches of the
// "&Run" menu that turn recording, playback and play-one on and off.
//
// Depends on the menu (run_menu, check marks through CheckMenuItem) and on the animation flags of
// the event wait, which starting a playback halts. The writer lives in script_writer.cpp and the
// reader in script_reader.cpp. One handle serves both directions; script_close forgets it so the
// next write or read opens the file anew in its own mode.
#include <cstdio>

#include "script_file_access.h"
#include "script_open.h"
#include "vorbl_internal.h"

namespace vorbl {

// ---- Script state --------------------------------------------------------------------------
std::FILE *script_file = nullptr;     // the one script file handle, or none
std::int32_t periodic_run_count = 0;  // recording: periodic events not yet written as a line
unsigned char script_recording = 0;   // events delivered by the wait are recorded
unsigned char script_playback = 0;    // events are taken from the script continuously
unsigned char script_play_one = 0;    // the next wait takes one event from the script

const char SCRIPT_FILE_NAME[] = "VORBL.SCR";
unsigned char script_file_for_writing = 0;
std::int32_t playback_periodic_owed = 0;
unsigned char refused_write_reported = 0;
long periodic_line_start = -1;

// Puts the check mark of a "&Run" item on or takes it off; nothing before the menu exists.
static void set_run_check(UINT command, bool checked) {
    if (run_menu != nullptr) {
        CheckMenuItem(run_menu, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

// Replayed events replace the animation, so playback halts it first.
static void halt_animation(void) {
    animating = 0;
    one_frame_pending = 0;
}

void script_close(void) {
    if (script_file != nullptr) {
        if (script_file_for_writing) {
            sync_script(script_file);  // a recording is on the disk once it is closed
        }
        std::fclose(script_file);
        script_file = nullptr;
    }
    // What belonged to the handle goes with it: the next read starts at the first line.
    script_file_for_writing = 0;
    playback_periodic_owed = 0;
    refused_write_reported = 0;
}

void script_stop_playback(void) {
    script_playback = 0;
    script_play_one = 0;
    set_run_check(CMD_PLAYBACK, false);
}

// Recording starts without touching the file: the first line written creates or truncates it.
static void start_recording(void) {
    script_recording = 1;
    set_run_check(CMD_RECORD, true);
}

// Every line, the pending run of periodic events included, is on the file already: stopping
// closes the file so it can be played back.
static void stop_recording(void) {
    script_recording = 0;
    set_run_check(CMD_RECORD, false);
    script_end_periodic_run();
    script_close();
}

void script_stop_recording_on_failure(void) { stop_recording(); }

void script_shutdown(void) {
    if (script_recording) {
        stop_recording();
    }
    script_stop_playback();
    script_close();
    script_end_periodic_run();
}

void script_switch_record(void) {
    if (script_recording) {
        stop_recording();
    } else {
        start_recording();
    }
}

void script_switch_playback(void) {
    if (script_playback) {
        script_playback = 0;
        set_run_check(CMD_PLAYBACK, false);
        script_close();
    } else {
        halt_animation();
        script_playback = 1;
        set_run_check(CMD_PLAYBACK, true);
    }
}

void script_switch_play_one(void) {
    halt_animation();
    script_play_one = 1;
}

}  // namespace vorbl
