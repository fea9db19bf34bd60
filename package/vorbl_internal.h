// vorbl_internal.h: the package's shared state and internal routines.
//
// The package is plain procedural code over module-level state, one instance of each variable.
// Each variable is defined in the module named beside it and read or changed by the others as
// the comments say. Everything runs on the one thread that calls VORBL_wait_event.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "vorbl.h"

namespace vorbl {

// ---- Canvas geometry --------------------------------------------------------------------
constexpr int CANVAS_WIDTH = 601;
constexpr int CANVAS_HEIGHT = 540;

// ---- Colours and drawing calls (drawing_calls.cpp) ---------------------------------------
extern const COLORREF color_rgb[COLOR_COUNT];
extern const char *const color_name[COLOR_COUNT];

// ---- Canvas renderer (renderer.cpp) -----------------------------------------------------
enum DrawKind {
    DRAW_TRIANGLE = 0,
    DRAW_RECTANGLE = 1,
    DRAW_OVAL = 2,
    DRAW_LINE = 3,
    DRAW_POINT = 4,
    DRAW_TEXT = 5
};

// One primitive to render: nine fields in a fixed order. Field 7 is the second point's y, or
// for a text the handle of the record's own copy of the string; it is wide enough for a handle
// on every host, so the reference is never cut to 32 bits.
struct DrawRecord {
    std::int32_t kind;
    std::int32_t color;
    std::int32_t width;
    std::int32_t x1;  // text: anchor x
    std::int32_t y1;  // text: anchor y
    std::int32_t x2;  // text: point size
    union {
        std::int32_t y2;
        HGLOBAL text;
    };
    std::int32_t x3;
    std::int32_t y3;
};

extern int canvas_dirty;  // the canvas changed since its last copy to the screen
void render_record(const DrawRecord *record);
void erase_canvas(void);

// ---- Event wait (event_wait.cpp) --------------------------------------------------------
constexpr std::int32_t EVENT_NONE = -1;

struct EventInfo {
    std::int32_t x;
    std::int32_t y;
    unsigned char key;
};

extern std::int32_t event_kind;
extern std::int32_t event_x;
extern std::int32_t event_y;
extern unsigned char event_key;
extern unsigned char animating;
extern unsigned char one_frame_pending;
extern std::int32_t tick_pending;
extern unsigned char quit_requested;

int VORBL_next_event(EventInfo *info);
void pump_one_message(void);
// Puts the event and animation state back to its load-time values (VORBL_shutdown).
void event_state_reset(void);

// ---- Windows, menus and input (startup_shutdown.cpp, window_procedures.cpp) ---
extern HWND graphics_hwnd;
extern HWND text_hwnd;
extern HINSTANCE app_instance;
extern HDC window_dc;
extern HBITMAP canvas_bitmap;
extern HDC canvas_dc;
extern HMENU run_menu;
extern std::int32_t origin_x;
extern std::int32_t origin_y;
extern std::int32_t ctrl_held;
extern unsigned char logging_on;

LRESULT CALLBACK graphics_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK text_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// ---- Text window (text_window.cpp) ------------------------------------------------------
constexpr int TEXT_LINE_COUNT = 25;
extern HGLOBAL text_lines[TEXT_LINE_COUNT];
extern int text_first;
extern int text_next;
void text_window_paint(HWND window);
// Frees every stored line and empties the ring (VORBL_shutdown).
void text_ring_free(void);

// ---- Script files (script_files.cpp) ----------------------------------------------------
extern std::FILE *script_file;
extern std::int32_t periodic_run_count;
extern unsigned char script_recording;
extern unsigned char script_playback;
extern unsigned char script_play_one;

void script_write_event(int kind, int x, int y, unsigned char key);
int script_read_event(void);
void script_record_event(void);
void script_stop_playback(void);
void script_close(void);
// Ends recording as its switch does (the pending run is written), ends playback and closes the
// file, so nothing of the script outlives the package (VORBL_shutdown).
void script_shutdown(void);
// The three switches of the "&Run" menu and their Ctrl keys.
void script_switch_record(void);
void script_switch_playback(void);
void script_switch_play_one(void);

}  // namespace vorbl
