// default_window_proc.cpp: DefWindowProcA, the default handling of window messages.
//
// Closing destroys the window; painting validates; erasing fills with the class brush; an
// activated window takes the focus; a moved or resized one hears WM_MOVE and WM_SIZE; the menu
// bar is entered by a press on it, by Alt or F10 pressed and released alone, and by Alt+letter.
// Depends on the window table, the keyboard state (Alt/F10 alone) and the menus
// (user/menu/menu_modal_loop.h).
#include "core/memory_exhaustion.h"
#include "user/keyboard_state.h"
#include "user/menu/menu_modal_loop.h"
#include "user/window_layout.h"
#include "user/window_position.h"
#include "user/window_table.h"

namespace platform {

namespace {

constexpr LPARAM kAltContextBit = 1L << 29;

LRESULT handle_paint(HWND window) {
    PAINTSTRUCT paint;
    if (BeginPaint(window, &paint) != nullptr) EndPaint(window, &paint);
    return 0;
}

LRESULT handle_erase(HWND window, WPARAM dc_param) {
    const Window *record = find_window(window);
    HDC dc = reinterpret_cast<HDC>(dc_param);
    if (record == nullptr || record->background == nullptr || dc == nullptr) return 0;
    // For the update region only its box is erased, as a DC clipped to it would; otherwise the
    // whole client area.
    RECT area = record->erasing_update ? record->erase_box
                                       : RECT{0, 0, record->client_width, record->client_height};
    FillRect(dc, &area, record->background);
    return 1;
}

// Signed client coordinates from a mouse lParam (negative over the bar).
POINT point_from_lparam(LPARAM lparam) {
    return POINT{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
}

// A press on the menu bar asks for the menu through WM_SYSCOMMAND, with the screen point.
LRESULT handle_nc_button(HWND window, WPARAM hit, LPARAM lparam) {
    if (hit == HTMENU) SendMessageA(window, WM_SYSCOMMAND, SC_MOUSEMENU, lparam);
    return 0;
}

void track_mouse_menu(HWND window, LPARAM screen_point) {
    const Window *record = find_window(window);
    if (record == nullptr) return;
    const POINT origin = window_client_origin(*record);
    const POINT at = point_from_lparam(screen_point);
    menu_track_mouse(window, at.x - origin.x, at.y - origin.y);
}

LRESULT handle_sys_key_down(HWND window, WPARAM vk, LPARAM lparam) {
    if (vk == VK_F4 && (lparam & kAltContextBit) != 0) {
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    return 0;
}

LRESULT handle_key_up(HWND window, WPARAM vk) {
    if (keyboard_take_menu_key_release(static_cast<int>(vk))) {
        SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 0);
    }
    return 0;
}

LRESULT handle_sys_char(HWND window, WPARAM ch, LPARAM lparam) {
    if ((lparam & kAltContextBit) == 0) {
        MessageBeep(0);
        return 0;
    }
    if (ch == '\t' || ch == 0x1B) return 0;
    SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(ch));
    return 0;
}

// WM_ACTIVATE: an activated window takes the keyboard focus.
LRESULT handle_activate(HWND window, WPARAM state) {
    if (LOWORD(state) != WA_INACTIVE) SetFocus(window);
    return 0;
}

LRESULT handle_sys_command(HWND window, WPARAM command, LPARAM lparam) {
    switch (command & 0xFFF0) {
        case SC_KEYMENU: menu_track_keyboard(window, static_cast<int>(lparam)); return 0;
        case SC_MOUSEMENU: track_mouse_menu(window, lparam); return 0;
        case SC_CLOSE: SendMessageA(window, WM_CLOSE, 0, 0); return 0;
        case SC_MINIMIZE: ShowWindow(window, SW_MINIMIZE); return 0;
        case SC_MAXIMIZE: ShowWindow(window, SW_SHOWMAXIMIZED); return 0;
        case SC_RESTORE: ShowWindow(window, SW_RESTORE); return 0;
        // SC_MOVE and SC_SIZE are accepted and do nothing: no host here can hand a window's move
        // or resize to the keyboard (the desktop's window manager moves and sizes its own way).
        default: return 0;
    }
}

}  // namespace

}  // namespace platform

extern "C" LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return platform::fail_when_memory_runs_out<LRESULT>(static_cast<LRESULT>(0), [&]() -> LRESULT {
        using namespace platform;
        if (find_window(window) == nullptr) return 0;
        switch (message) {
            case WM_CLOSE: DestroyWindow(window); return 0;
            case WM_PAINT: return handle_paint(window);
            case WM_ERASEBKGND: return handle_erase(window, wparam);
            case WM_NCCREATE:                 // go on creating the window
            case WM_NCACTIVATE: return TRUE;  // go on activating it
            case WM_ACTIVATE: return handle_activate(window, wparam);
            case WM_MOUSEACTIVATE: return MA_ACTIVATE;  // a top-level window: the click activates
            case WM_WINDOWPOSCHANGED:
                window_position_changed_default(window,
                                                reinterpret_cast<const WINDOWPOS *>(lparam));
                return 0;
            case WM_NCLBUTTONDOWN: return handle_nc_button(window, wparam, lparam);
            case WM_SYSKEYDOWN: return handle_sys_key_down(window, wparam, lparam);
            case WM_KEYUP:
            case WM_SYSKEYUP: return handle_key_up(window, wparam);
            case WM_SYSCHAR: return handle_sys_char(window, wparam, lparam);
            case WM_SYSCOMMAND: return handle_sys_command(window, wparam, lparam);
            default: return 0;
        }
    });
}
