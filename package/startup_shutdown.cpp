// startup_shutdown.cpp: the package's two windows, its canvas and timer: start-up, shutdown,
// the logging switch and showing or hiding the text window.
//
// Depends on the window system and GDI declared in <windows.h>, the window procedures
// (window_procedures.cpp) and the script file's closing (script_files.cpp). Holds the handles
// every other part of the package draws through. Start-up fails (0, and one line on standard
// error) only when the graphics window cannot be made; a context, bitmap or timer that cannot be
// made leaves its handle none, and the rest of the package treats a missing handle as "nothing
// to do" (no graphics window means the package is not started).
#include <algorithm>
#include <cstdio>

#include "package_windows.h"
#include "unattended_run.h"
#include "vorbl_internal.h"

#if !defined(_WIN32)
#include <platform_display.h>
#endif

namespace vorbl {

// ---- Window state -------------------------------------------------------------------------
HWND graphics_hwnd = nullptr;
HWND text_hwnd = nullptr;
HINSTANCE app_instance = nullptr;
HDC window_dc = nullptr;          // the graphics window's own DC, held until VORBL_shutdown
HBITMAP canvas_bitmap = nullptr;  // the off-screen canvas, 601 x 540
HDC canvas_dc = nullptr;          // memory DC with canvas_bitmap selected
HMENU run_menu = nullptr;
std::int32_t origin_x = 0;  // client position of logical (0, 0): centre of the client area
std::int32_t origin_y = 0;
std::int32_t ctrl_held = 0;    // a Ctrl key is down (from the key messages of our windows)
unsigned char logging_on = 1;  // drawing calls echo themselves to the text window

namespace {

constexpr UINT_PTR ANIMATION_TIMER_ID = 2;
constexpr UINT ANIMATION_PERIOD_MS = 50;
constexpr DWORD GRAPHICS_WINDOW_STYLE = WS_CAPTION | WS_SYSMENU;  // fixed size, no min/max box
constexpr int GRAPHICS_WINDOW_WIDTH = 601;
constexpr int GRAPHICS_WINDOW_HEIGHT = 540;
constexpr int TEXT_WINDOW_TOP = 550;
constexpr int TEXT_WINDOW_WIDTH = 601;
[[maybe_unused]] constexpr int TEXT_WINDOW_LEAST_HEIGHT = 100;  // frame, caption, a few lines
constexpr char GRAPHICS_CLASS[] = "DrawWndClass";
constexpr char TEXT_CLASS[] = "TextWndClass";

HBRUSH class_background = nullptr;         // shared by both classes, deleted at shutdown
HGDIOBJ canvas_original_bitmap = nullptr;  // what canvas_dc held before the canvas

// Both classes come from one record; only the procedure and the name differ.
// Whether a call of the current start-up ran out of memory: the cause its failure line names.
bool startup_ran_out_of_memory = false;

void note_memory_failure(void) {
    const DWORD error = GetLastError();
    if (error == ERROR_NOT_ENOUGH_MEMORY || error == ERROR_OUTOFMEMORY) {
        startup_ran_out_of_memory = true;
    }
}

void register_window_classes(HINSTANCE instance) {
    class_background = CreateSolidBrush(RGB(255, 255, 255));
    WNDCLASSA record = {};
    record.style = CS_HREDRAW | CS_VREDRAW;
    record.lpfnWndProc = graphics_window_proc;
    record.hInstance = instance;
    record.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    record.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    record.hbrBackground = class_background;
    record.lpszMenuName = "generic";  // no such resource: the graphics window builds its menu
    record.lpszClassName = GRAPHICS_CLASS;
    if (!RegisterClassA(&record)) note_memory_failure();
    record.lpfnWndProc = text_window_proc;
    record.lpszClassName = TEXT_CLASS;
    if (!RegisterClassA(&record)) note_memory_failure();
}

// Where the text window goes: below the graphics window, a third of the screen high. On a screen
// too short for that, the text window keeps its top and ends at the screen's bottom, if that
// leaves it at least its least height; otherwise it keeps its height and rises until its bottom
// is the screen's (over the graphics window, which cannot shrink). Its newest lines are drawn
// at its bottom, so they stay in sight. It is never wider than the screen.
RECT text_window_place(int screen_width, int screen_height) {
#if defined(__EMSCRIPTEN__)
    // A page scales both windows together to fit the browser window: the described layout
    // always holds there, whatever screen the browser reports.
    (void)screen_width;
    return {0, TEXT_WINDOW_TOP, TEXT_WINDOW_WIDTH, TEXT_WINDOW_TOP + screen_height / 3};
#else
    const int width =
        screen_width > 0 ? std::min(TEXT_WINDOW_WIDTH, screen_width) : TEXT_WINDOW_WIDTH;
    int top = TEXT_WINDOW_TOP;
    int height = screen_height / 3;
    if (screen_height > 0 && top + height > screen_height) {
        if (screen_height - top >= TEXT_WINDOW_LEAST_HEIGHT) {
            height = screen_height - top;
        } else {
            top = std::max(0, screen_height - height);
        }
    }
    return {0, top, width, top + height};
#endif
}

void create_windows(HINSTANCE instance, int screen_height) {
    graphics_hwnd = CreateWindowExA(0, GRAPHICS_CLASS, "VORBL Graphics", GRAPHICS_WINDOW_STYLE, 0,
                                    0, GRAPHICS_WINDOW_WIDTH, GRAPHICS_WINDOW_HEIGHT, nullptr,
                                    nullptr, instance, nullptr);
    if (!graphics_hwnd) note_memory_failure();
    const RECT text = text_window_place(GetSystemMetrics(SM_CXSCREEN), screen_height);
    text_hwnd = CreateWindowExA(0, TEXT_CLASS, "VORBL Text", WS_OVERLAPPEDWINDOW, text.left,
                                text.top, text.right - text.left, text.bottom - text.top, nullptr,
                                nullptr, instance, nullptr);
}

// The canvas is left as the bitmap comes; the program clears it before drawing.
void create_canvas(void) {
    window_dc = GetDC(graphics_hwnd);
    canvas_bitmap = CreateCompatibleBitmap(window_dc, CANVAS_WIDTH, CANVAS_HEIGHT);
    canvas_dc = CreateCompatibleDC(window_dc);
    if (canvas_dc && canvas_bitmap) {
        canvas_original_bitmap = SelectObject(canvas_dc, canvas_bitmap);
    }
}

void release_canvas(void) {
    if (canvas_dc && canvas_original_bitmap) {
        SelectObject(canvas_dc, canvas_original_bitmap);
    }
    if (canvas_dc) {
        DeleteDC(canvas_dc);
    }
    if (canvas_bitmap) {
        DeleteObject(canvas_bitmap);
    }
    canvas_dc = nullptr;
    canvas_bitmap = nullptr;
    canvas_original_bitmap = nullptr;
}

// Destroying the graphics window also stops its timer and destroys its attached menu.
void destroy_windows(void) {
    if (text_hwnd && IsWindow(text_hwnd)) {
        DestroyWindow(text_hwnd);
    }
    if (graphics_hwnd && IsWindow(graphics_hwnd)) {
        DestroyWindow(graphics_hwnd);
    }
    text_hwnd = nullptr;
    graphics_hwnd = nullptr;
    run_menu = nullptr;
}

// Destroying the graphics window posts the quit message, and a quit the program never fetched
// may be queued too; left there, it would end the first wait after the next start-up.
void discard_pending_quit(void) {
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// The windows module's own state, back to its load-time values.
void reset_window_state(void) {
    app_instance = nullptr;
    origin_x = 0;
    origin_y = 0;
    ctrl_held = 0;
    logging_on = 1;
    canvas_dirty = 1;
}

void unregister_window_classes(void) {
    UnregisterClassA(GRAPHICS_CLASS, app_instance);
    UnregisterClassA(TEXT_CLASS, app_instance);
    if (class_background) {
        DeleteObject(class_background);
        class_background = nullptr;
    }
}

// Whether the platform has said in a line why no window could be made (no display).
bool startup_failure_already_reported(void) {
#if defined(_WIN32)
    return false;
#else
    return platform_display_failed() != 0;
#endif
}

// Without a graphics window the package is not started. The platform has already said why when
// it found no display; any other cause gets this line. What start-up made is given back, so a
// later start-up (or none) finds the package as it was at load.
void abandon_startup(void) {
    if (!startup_failure_already_reported()) {
        std::fputs(
            startup_ran_out_of_memory
                ? "VORBL: the graphics window could not be made: not enough memory; the "
                  "package did not start\n"
                : "VORBL: the graphics window could not be made; the package did not start\n",
            stderr);
    }
    startup_ran_out_of_memory = false;
    destroy_windows();
    unregister_window_classes();
    reset_window_state();
}

}  // namespace

// The arguments are WinMain's, passed on as they come (its LPSTR converts to const char *).
extern "C" int VORBL_startup(void *instance, void *previous_instance, const char *command_line,
                             int show_mode) {
    (void)command_line;
    if (graphics_hwnd) {
        return 1;  // already started: a second set of windows and classes would only leak
    }
    unattended_run_configure();  // may choose the headless host: before the first window
    startup_ran_out_of_memory = false;
    HINSTANCE program = static_cast<HINSTANCE>(instance);
    if (!previous_instance) {
        register_window_classes(program);
    }
    const int screen_height = GetSystemMetrics(SM_CYSCREEN);
    animating = 0;
    one_frame_pending = 0;
    create_windows(program, screen_height);
    app_instance = program;
    if (!graphics_hwnd) {
        abandon_startup();  // nothing to draw into or wait on: the package stays "not started"
        unattended_run_started(false);
        return 0;
    }
    create_canvas();
    ShowWindow(text_hwnd, show_mode);
    ShowWindow(graphics_hwnd, show_mode);
    SetTimer(graphics_hwnd, ANIMATION_TIMER_ID, ANIMATION_PERIOD_MS, nullptr);
    unattended_run_started(true);
    return 1;
}

// Gives back everything start-up took, so that nothing the package made outlives it; a wait or
// drawing call after this finds no window and no canvas and does nothing. A recording ends as
// its switch ends it, with its pending run written. The package is left as it was at load, so a
// later start-up begins clean: no stale quit, no leftover flags, an empty text ring.
extern "C" int VORBL_shutdown(void) {
    unattended_run_finish();  // the final picture, while the canvas is still there
    if (window_dc) {
        ReleaseDC(graphics_hwnd, window_dc);
        window_dc = nullptr;
    }
    script_shutdown();
    release_canvas();
    destroy_windows();
    discard_pending_quit();
    unregister_window_classes();
    text_ring_free();
    event_state_reset();
    reset_window_state();
    return 1;
}

extern "C" int VORBL_set_logging(int on) {
    if (!graphics_hwnd) {
        return 0;
    }
    logging_on = on ? 1 : 0;
    CheckMenuItem(run_menu, CMD_LOGGING, logging_on ? MF_CHECKED : MF_UNCHECKED);
    if (logging_on) {
        VORBL_show_text_window(1);  // turning logging off leaves the window as it is
    }
    return 1;
}

extern "C" int VORBL_show_text_window(int show) {
    return ShowWindow(text_hwnd, show ? SW_SHOW : SW_HIDE);
}

void copy_canvas_to_window(void) {
    if (window_dc && canvas_dc) {
        BitBlt(window_dc, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT, canvas_dc, 0, 0, SRCCOPY);
    }
    canvas_dirty = 0;
}

}  // namespace vorbl
