// event_wait.cpp: the package's one blocking event wait and the animation switch.
//
// Depends on the window procedures (window_procedures.cpp), which turn each dispatched message
// into changes of the event state below; on the canvas copy (startup_shutdown.cpp); and on the
// script reader and recorder (script_files.cpp), and on the run the environment may direct
// (unattended_run.h), which can end a wait with EVENT_QUIT. The wait is the only message loop of
// the program: windows are painted, menus work and the canvas reaches the screen only inside it.
// Everything runs on the thread that calls VORBL_wait_event.
#include "package_windows.h"
#include "unattended_run.h"
#include "vorbl_internal.h"

namespace vorbl {

// ---- Event state --------------------------------------------------------------------------
std::int32_t event_kind = EVENT_NONE;  // decided event of the running wait
std::int32_t event_x = 0;
std::int32_t event_y = 0;
unsigned char event_key = 0;
unsigned char animating = 0;          // periodic events are being produced
unsigned char one_frame_pending = 0;  // one periodic event is owed, then the animation halts
std::int32_t tick_pending = 0;        // a timer message came since the last decision (a flag)
unsigned char quit_requested = 0;     // the program asked to end; every further wait says so

namespace {

// A live graphics window is what there is to wait on. Before start-up, after shutdown, or once
// the window is gone and its quit has been delivered, a wait could only block for ever.
bool nothing_to_wait_on(void) { return !graphics_hwnd || !IsWindow(graphics_hwnd); }

// A decided periodic event is held back until a timer message dispatched in a later pass.
bool wait_goes_on(void) {
    return event_kind == EVENT_NONE || (event_kind == EVENT_PERIODIC && !tick_pending);
}

// One scripted event, if playback or play-one is active. Returns true when the script supplied
// the event (which replaces whatever this pass's message produced).
bool take_scripted_event(void) {
    if (!script_play_one && !script_playback) {
        return false;
    }
    script_play_one = 0;
    if (script_read_event()) {
        return true;
    }
    script_stop_playback();  // the script has nothing more: live input, and the mark goes
    return false;
}

void decide_periodic_event_if_due(void) {
    if (event_kind == EVENT_NONE && (one_frame_pending || animating)) {
        event_kind = EVENT_PERIODIC;
        tick_pending = 0;  // ticks before the decision do not count
        one_frame_pending = 0;
    }
}

void run_passes(void) {
    while (wait_goes_on()) {
        pump_one_message();
        if (event_kind == EVENT_QUIT) {
            return;  // the script is not read on the quit, even during playback
        }
        if (take_scripted_event()) {
            return;
        }
        if (unattended_run_ends_wait()) {
            event_kind = EVENT_QUIT;  // the script or a limit ended a run the environment directs
            return;
        }
        decide_periodic_event_if_due();
    }
}

}  // namespace

void pump_one_message(void) {
    MSG message;
    const BOOL result = GetMessageA(&message, nullptr, 0, 0);
    if (result == 0 || result == -1) {
        // 0 is the quit message. -1 is a failed retrieval: there is no message to dispatch, and
        // retrying a failure that does not go away would spin, so it ends the wait as a quit.
        event_kind = EVENT_QUIT;
        return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    if (canvas_dirty) {
        copy_canvas_to_window();
    }
}

void event_state_reset(void) {
    event_kind = EVENT_NONE;
    event_x = 0;
    event_y = 0;
    event_key = 0;
    animating = 0;
    one_frame_pending = 0;
    tick_pending = 0;
    quit_requested = 0;
}

int VORBL_next_event(EventInfo *info) {
    event_kind = EVENT_NONE;
    event_key = 0;
    event_y = 0;
    event_x = 0;
    if (nothing_to_wait_on() || unattended_run_before_wait()) {
        event_kind = EVENT_QUIT;
    } else {
        run_passes();
    }
    if (script_recording) {
        script_record_event();  // with the event's own kind, before any quit substitution
    }
    info->x = event_x;
    info->y = event_y;
    info->key = event_key;
    const int kind = quit_requested ? EVENT_QUIT : event_kind;
    unattended_run_after_event(kind);
    return kind;
}

extern "C" int VORBL_wait_event(int *x, int *y, unsigned char *key) {
    EventInfo info = {0, 0, 0};
    const int kind = VORBL_next_event(&info);
    if (x) {
        *x = info.x;
    }
    if (y) {
        *y = info.y;
    }
    if (key) {
        *key = info.key;
    }
    return kind;
}

extern "C" int VORBL_set_animation(int action) {
    if (!graphics_hwnd) {
        return 0;
    }
    switch (action) {
        case ANIMATE_HALT:
            one_frame_pending = 0;
            animating = 0;
            break;
        case ANIMATE_ONE_FRAME: one_frame_pending = 1; break;  // a running animation keeps running
        case ANIMATE_RUN: animating = 1; break;
        case ANIMATE_QUIT: quit_requested = 1; break;
        default: break;  // 3, 4 and every other code have no action
    }
    return 1;
}

}  // namespace vorbl
