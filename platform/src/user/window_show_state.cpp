// window_show_state.cpp: minimising, maximising and restoring (window_show_state.h).
//
// Maximising moves the window so that its caption's top is the screen's top and its client area
// spans the screen's width, the frame lying off the screen; restoring puts back the rectangle the
// window had when it left the normal state. Minimising changes no rectangle, only what
// GetClientRect and WM_SIZE report, so nothing is drawn while the window is an icon.
#include "user/window_show_state.h"

#include "user/window_activation.h"
#include "user/window_layout.h"
#include "user/window_position.h"
#include "user/window_table.h"

namespace platform {
namespace {

constexpr UINT kPlaceFlags = SWP_NOZORDER | SWP_NOACTIVATE;

void remember_normal_place(Window &window) {
    if (window.show_state != HostShowState::normal) return;
    window.normal_place =
        RECT{window.x, window.y, window.x + window.outer_width, window.y + window.outer_height};
}

void tell_host(const Window &window, PositionSource source) {
    if (source == PositionSource::program) {
        host().set_show_state(window.host_window, window.show_state);
    }
}

// The outer rectangle of the maximised window: the client area fills the screen below the
// caption and the menu bar.
RECT maximized_place(const Window &window) {
    int width = 0, height = 0;
    host().screen_size(&width, &height);
    const NonClientEdges edges = nonclient_edges(window.style);
    const int frame = edges.left;
    return RECT{-frame, -frame, width + edges.right, height + edges.bottom};
}

void place(HWND handle, const RECT &r, PositionSource source) {
    window_set_position(handle, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                        kPlaceFlags, source);
}

void minimize(HWND handle, PositionSource source) {
    Window *window = find_window(handle);
    if (window == nullptr || window->show_state == HostShowState::minimized) return;
    remember_normal_place(*window);
    window->restore_maximized = window->show_state == HostShowState::maximized;
    window->show_state = HostShowState::minimized;
    tell_host(*window, source);
    // An icon takes no keys: the focus goes, though the window stays the active one.
    if (focused_window() == handle) window_change_focus(nullptr);
    if (find_window(handle) != nullptr) window_send_size(handle);
}

void maximize(HWND handle, bool activating, PositionSource source) {
    Window *window = find_window(handle);
    if (window == nullptr || window->show_state == HostShowState::maximized) return;
    const bool was_minimized = window->show_state == HostShowState::minimized;
    remember_normal_place(*window);
    window->show_state = HostShowState::maximized;
    tell_host(*window, source);
    const RECT target = source == PositionSource::program
                            ? maximized_place(*window)
                            : RECT{window->x, window->y, window->x + window->outer_width,
                                   window->y + window->outer_height};
    const bool moves = target.left != window->x || target.top != window->y ||
                       target.right - target.left != window->outer_width ||
                       target.bottom - target.top != window->outer_height;
    // A window manager's maximise reports the new size next; it carries SIZE_MAXIMIZED then.
    if (moves) {
        place(handle, target, source);
    } else if (source == PositionSource::program) {
        window_send_size(handle);
    }
    if (activating && was_minimized) window_activate_restored(handle);
}

void restore(HWND handle, bool activating, PositionSource source) {
    Window *window = find_window(handle);
    if (window == nullptr || window->show_state == HostShowState::normal) return;
    if (window->show_state == HostShowState::minimized && window->restore_maximized) {
        window->show_state = HostShowState::normal;  // maximise again from the normal place
        window->restore_maximized = false;
        maximize(handle, activating, source);
        return;
    }
    const bool was_minimized = window->show_state == HostShowState::minimized;
    window->show_state = HostShowState::normal;
    tell_host(*window, source);
    if (was_minimized || source == PositionSource::host) {
        window_send_size(handle);
    } else {
        place(handle, window->normal_place, source);
    }
    if (activating && was_minimized) window_activate_restored(handle);
}

}  // namespace

void window_minimize(HWND handle) { minimize(handle, PositionSource::program); }

void window_maximize(HWND handle, bool activating) {
    maximize(handle, activating, PositionSource::program);
}

void window_restore(HWND handle, bool activating) {
    restore(handle, activating, PositionSource::program);
}

void window_show_state_from_host(HWND handle, HostShowState state) {
    switch (state) {
        case HostShowState::minimized: minimize(handle, PositionSource::host); break;
        case HostShowState::maximized: maximize(handle, false, PositionSource::host); break;
        case HostShowState::normal: restore(handle, false, PositionSource::host); break;
    }
}

}  // namespace platform
