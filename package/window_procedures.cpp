// window_procedures.cpp: the two window procedures, which turn window messages into the
// package's events, ticks and switches.
//
// Depends on the event state (event_wait.cpp), the menu commands (run_menu.cpp) and the text
// window's painting (text_window.cpp). The procedures only set shared variables and flags; the
// event wait decides what becomes an event. They never clear event_kind.
#include "package_windows.h"
#include "vorbl_internal.h"

namespace vorbl {

namespace {

constexpr UINT_PTR ANIMATION_TIMER_ID = 2;

// The menu command that Ctrl plus this letter key stands for, or 0 for none.
WPARAM ctrl_key_command(WPARAM virtual_key) {
    switch (virtual_key) {
        case 'A': return CMD_ANIMATE;
        case 'H': return CMD_HALT;
        case 'F': return CMD_ONE_FRAME;
        case 'L': return CMD_LOGGING;
        case 'R': return CMD_RECORD;
        case 'P': return CMD_PLAYBACK;
        case 'O': return CMD_PLAY_ONE;
        case 'Q': return CMD_QUIT;
        default: return 0;
    }
}

// The logical origin is the centre of whatever client area remains (below the menu bar).
void follow_client_size(HWND window) {
    RECT client = {0, 0, 0, 0};
    GetClientRect(window, &client);
    origin_x = client.left + (client.right - client.left) / 2;
    origin_y = client.top + (client.bottom - client.top) / 2;
}

void paint_graphics_window(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    copy_canvas_to_window();
    EndPaint(window, &paint);
}

// Every key-down counts, auto-repeats included, so a held Ctrl+L toggles on every repeat.
void key_down(WPARAM virtual_key) {
    if (virtual_key == VK_CONTROL) {
        ctrl_held = 1;
    } else if (ctrl_held) {
        run_menu_command(ctrl_key_command(virtual_key));
    }
}

void character_typed(WPARAM code) {
    if (ctrl_held) {
        return;  // Ctrl+letter's control character is the key's business, not an event
    }
    event_kind = EVENT_KBD;
    event_key = static_cast<unsigned char>(code);
}

// Client coordinates are 16-bit fields read as unsigned; y grows upward in logical terms.
void left_button_down(LPARAM position) {
    const std::int32_t px = LOWORD(position);
    const std::int32_t py = HIWORD(position);
    event_kind = EVENT_MOUSE;
    event_x = px - origin_x;
    event_y = origin_y - py;
}

// The graphics window going away ends the program: no more ticks, and the wait sees the quit.
void graphics_window_ending(HWND window) {
    KillTimer(window, ANIMATION_TIMER_ID);
    PostQuitMessage(0);
}

}  // namespace

LRESULT CALLBACK graphics_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE: build_run_menu(window); return 0;
        case WM_SIZE: follow_client_size(window); return 0;
        case WM_PAINT: paint_graphics_window(window); return 0;
        case WM_KEYDOWN: key_down(wparam); return 0;
        case WM_KEYUP:
            if (wparam == VK_CONTROL) {
                ctrl_held = 0;
            }
            return 0;
        case WM_CHAR: character_typed(wparam); return 0;
        case WM_COMMAND: run_menu_command(wparam); return 0;
        case WM_TIMER: tick_pending = 1; return 0;
        case WM_LBUTTONDOWN: left_button_down(lparam); return 0;
        case WM_DESTROY:
        case WM_QUIT: graphics_window_ending(window); return 0;
        default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

LRESULT CALLBACK text_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT: text_window_paint(window); return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
            // Typing into the text window works as typing into the graphics window: the wait
            // translates the forwarded key-down into the same character there.
            if (graphics_hwnd) {
                PostMessageA(graphics_hwnd, message, wparam, lparam);
            }
            return 0;
        default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

}  // namespace vorbl
