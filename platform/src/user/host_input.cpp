// host_input.cpp: input from a host becomes window messages in the input queue (host_input.h).
//
// Keys go to the focused window (the one last shown with an activating command, or clicked);
// with no focused window they go to the active window as WM_SYSKEYDOWN and WM_SYSKEYUP, as
// Windows does for a minimised active window; with neither they are dropped, the key state still
// following them. Mouse positions
// arrive in content coordinates (the menu bar strip at the top) and leave in client coordinates, as
// signed 16-bit fields, so a point over the bar has a negative y; a left press over the bar is
// WM_NCLBUTTONDOWN with HTMENU, whose point is in screen coordinates as for every non-client
// message. Mouse messages carry the MK_SHIFT and MK_CONTROL state of the keyboard. A press on an
// inactive window activates it only as the program retrieves it (after WM_MOUSEACTIVATE), as on
// Windows. Depends on the window table, the keyboard state and the message queue.
#include "host/host_input.h"

#include <algorithm>
#include <climits>

#include "user/keyboard_state.h"
#include "user/message_queue.h"
#include "user/window_activation.h"
#include "user/window_layout.h"
#include "user/window_position.h"
#include "user/window_show_state.h"
#include "user/window_table.h"

namespace platform {

namespace {

bool left_button_down = false;

MSG input_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wparam;
    msg.lParam = lparam;
    return msg;
}

bool inside_content(const Window &window, int x, int y) {
    return x >= 0 && y >= 0 && x < window.content_width && y < window.content_height;
}

WPARAM modifier_keys() {
    return (keyboard_input_key_down(VK_SHIFT) ? MK_SHIFT : 0) |
           (keyboard_input_key_down(VK_CONTROL) ? MK_CONTROL : 0);
}

void queue_press(HWND handle, int x, int y, int client_y) {
    const Window *window = find_window(handle);
    if (window == nullptr) return;
    if (y < window->bar_height) {
        const POINT origin = window_client_origin(*window);
        const LPARAM screen = MAKELPARAM(origin.x + x, origin.y + client_y);
        queue_input(input_message(handle, WM_NCLBUTTONDOWN, HTMENU, screen));
    } else {
        queue_input(input_message(handle, WM_LBUTTONDOWN, MK_LBUTTON | modifier_keys(),
                                  MAKELPARAM(x, client_y)));
    }
}

}  // namespace

void host_input_key(int vk, int scan, bool extended, bool down) {
    KeyMessage key = keyboard_input_event(vk, scan, extended, down);
    HWND target = GetFocus();
    if (target == nullptr && active_window() != nullptr) {
        target = active_window();
        if (key.message == WM_KEYDOWN) key.message = WM_SYSKEYDOWN;
        if (key.message == WM_KEYUP) key.message = WM_SYSKEYUP;
    }
    const MSG msg = input_message(target, key.message, key.wparam, key.lparam);
    if (target == nullptr) {
        // No window takes the key, but the key state still follows it, so a key released after
        // its window went away does not stay held.
        keyboard_note_retrieved(msg);
        return;
    }
    queue_input(msg);
}

void host_input_text(int vk, int scan, unsigned char code) {
    keyboard_note_host_char(vk, scan, code);
}

void host_input_caps_lock(bool on) { keyboard_sync_caps_lock(on); }

void host_input_mouse(HWND handle, bool move, bool down, int x, int y) {
    const Window *window = find_window(handle);
    if (window == nullptr) return;
    int client_y = y - window->bar_height;
    if (move) {
        WPARAM buttons = (left_button_down ? MK_LBUTTON : 0) | modifier_keys();
        queue_input(input_message(handle, WM_MOUSEMOVE, buttons, MAKELPARAM(x, client_y)));
        return;
    }
    if (!down) {
        left_button_down = false;
        queue_input(input_message(handle, WM_LBUTTONUP, modifier_keys(), MAKELPARAM(x, client_y)));
        return;
    }
    if (!inside_content(*window, x, y)) return;  // a press on the frame is the host's
    left_button_down = true;
    queue_press(handle, x, y, client_y);  // which activates the window as it is retrieved
}

void host_input_close(HWND handle) {
    if (find_window(handle) == nullptr) return;
    queue_input(input_message(handle, WM_CLOSE, 0, 0));
}

void host_input_expose(HWND handle) {
    Window *window = find_window(handle);
    if (window == nullptr) return;
    window->needs_present = true;
    InvalidateRect(handle, nullptr, TRUE);
}

void host_input_focus(HWND handle) {
    const Window *window = find_window(handle);
    if (window != nullptr && window->visible) window_activate(handle, WA_ACTIVE);
}

void host_input_content_size(HWND handle, int width, int height) {
    const Window *window = find_window(handle);
    if (window == nullptr) return;
    const NonClientEdges edges = nonclient_edges(window->style);
    // A content size near the largest int gives the largest frame, not a wrapped one.
    auto outer = [](int content, int first_edge, int second_edge) {
        return static_cast<int>(std::clamp<long long>(
            static_cast<long long>(content) + first_edge + second_edge, INT_MIN, INT_MAX));
    };
    window_set_position(handle, nullptr, 0, 0, outer(width, edges.left, edges.right),
                        outer(height, edges.top, edges.bottom),
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE, PositionSource::host);
}

void host_input_show_state(HWND handle, HostShowState state) {
    if (find_window(handle) != nullptr) window_show_state_from_host(handle, state);
}

void host_input_moved(HWND handle, int x, int y) {
    window_set_position(handle, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE,
                        PositionSource::host);
}

int host_input_client_top(HWND handle) {
    const Window *window = find_window(handle);
    return window != nullptr ? window->bar_height : 0;
}

}  // namespace platform
