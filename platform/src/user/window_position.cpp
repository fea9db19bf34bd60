// window_position.cpp: SetWindowPos and MoveWindow, and the moves and resizes a desktop makes.
//
// Sizes are clamped to what the window system can hold (0 to 8192 pixels a side), positions are
// taken as given; a window far off the screen is legal. The host window follows every change
// the program asks for; a change the host reports is only recorded and announced.
#include "user/window_position.h"
#include "core/memory_exhaustion.h"

#include <algorithm>

#include "user/update_region.h"
#include "user/window_activation.h"
#include "user/window_classes.h"
#include "user/window_layout.h"
#include "user/window_table.h"

namespace platform {

namespace {

constexpr int kLargestSide = 8192;  // larger requests are clamped, never allocated

// The WINDOWPOS of a request, with the current values where the flags keep them.
WINDOWPOS requested_position(const Window &window, HWND insert_after, int x, int y, int width,
                             int height, UINT flags) {
    WINDOWPOS position{window.handle, insert_after, x, y, width, height, flags};
    if ((flags & SWP_NOMOVE) != 0) {
        position.x = window.x;
        position.y = window.y;
    }
    if ((flags & SWP_NOSIZE) != 0) {
        position.cx = window.outer_width;
        position.cy = window.outer_height;
    }
    return position;
}

struct Change {
    bool moved = false;
    bool resized = false;
    bool client_moved = false;
    bool client_resized = false;
    int old_width = 0, old_height = 0;  // client size before
};

// Apply the (possibly edited) request to the window record.
Change apply(Window &window, const WINDOWPOS &position) {
    const POINT old_origin = window_client_origin(window);
    const int old_width = window.client_width;
    const int old_height = window.client_height;
    Change change;
    const int width = std::clamp(position.cx, 0, kLargestSide);
    const int height = std::clamp(position.cy, 0, kLargestSide);
    change.moved = position.x != window.x || position.y != window.y;
    change.resized = width != window.outer_width || height != window.outer_height;
    window.x = position.x;
    window.y = position.y;
    window.outer_width = width;
    window.outer_height = height;
    window_relayout(window);
    const POINT origin = window_client_origin(window);
    change.client_moved = origin.x != old_origin.x || origin.y != old_origin.y;
    change.client_resized = window.client_width != old_width || window.client_height != old_height;
    change.old_width = old_width;
    change.old_height = old_height;
    return change;
}

void apply_z_order(HWND handle, HWND insert_after, UINT flags) {
    if ((flags & SWP_NOZORDER) != 0) return;
    if (insert_after == HWND_BOTTOM) {
        z_order_to_bottom(handle);
    } else {
        z_order_to_top(handle);
    }
}

// A resized client area is painted again where it grew; all of it when its class asks for that
// with CS_HREDRAW (width changed) or CS_VREDRAW (height changed), as on Windows.
void invalidate_resized(const Window &window, const Change &change) {
    const WindowClass *window_class = find_window_class(window.class_name.c_str());
    const UINT style = window_class != nullptr ? window_class->style : 0;
    const bool width_changed = window.client_width != change.old_width;
    const bool height_changed = window.client_height != change.old_height;
    if (((style & CS_HREDRAW) != 0 && width_changed) ||
        ((style & CS_VREDRAW) != 0 && height_changed)) {
        InvalidateRect(window.handle, nullptr, TRUE);
        return;
    }
    const RECT right{change.old_width, 0, window.client_width, window.client_height};
    const RECT bottom{0, change.old_height, window.client_width, window.client_height};
    if (window.client_width > change.old_width) InvalidateRect(window.handle, &right, TRUE);
    if (window.client_height > change.old_height) InvalidateRect(window.handle, &bottom, TRUE);
}

// SWP_SHOWWINDOW and SWP_HIDEWINDOW: no WM_SHOWWINDOW, as on Windows; a shown window is
// painted in full, and activated below unless SWP_NOACTIVATE.
void set_visibility(Window &window, bool visible) {
    window.visible = visible;
    host().show_window(window.host_window, visible);
    if (visible) {
        window.needs_present = true;
        InvalidateRect(window.handle, nullptr, TRUE);
    }
}

}  // namespace

BOOL window_set_position(HWND handle, HWND insert_after, int x, int y, int width, int height,
                         UINT flags, PositionSource source) {
    Window *window = find_window(handle);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    WINDOWPOS position = requested_position(*window, insert_after, x, y, width, height, flags);
    SendMessageA(handle, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
    window = find_window(handle);
    if (window == nullptr) return FALSE;
    if ((position.flags & SWP_NOMOVE) != 0) position.x = window->x, position.y = window->y;
    if ((position.flags & SWP_NOSIZE) != 0) {
        position.cx = window->outer_width;
        position.cy = window->outer_height;
    }
    const Change change = apply(*window, position);
    const bool frame_changed = (position.flags & SWP_FRAMECHANGED) != 0;
    const bool shows = (position.flags & SWP_SHOWWINDOW) != 0 && !window->visible;
    const bool hides = (position.flags & SWP_HIDEWINDOW) != 0 && window->visible && !shows;
    if (!change.moved && !change.resized && !frame_changed && !shows && !hides) return TRUE;
    if (shows || hides) set_visibility(*window, shows);
    if (!change.client_resized) position.flags |= kSwpNoClientSize;
    if (!change.client_moved) position.flags |= kSwpNoClientMove;
    if (source == PositionSource::program && (change.moved || change.resized)) {
        host().place_window(window->host_window, window_placement(*window));
    }
    if (change.client_resized) invalidate_resized(*window, change);
    apply_z_order(handle, insert_after, position.flags);
    if ((position.flags & SWP_NOACTIVATE) == 0 && window->visible) {
        window_activate(handle, WA_ACTIVE);
    }
    window_erase_now(handle);
    if (find_window(handle) == nullptr) return TRUE;
    SendMessageA(handle, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
    return TRUE;
}

void window_position_changed_default(HWND handle, const WINDOWPOS *position) {
    if (position == nullptr) return;
    if ((position->flags & kSwpNoClientMove) == 0) window_send_move(handle);
    if ((position->flags & kSwpNoClientSize) == 0) window_send_size(handle);
}

}  // namespace platform

extern "C" BOOL WINAPI SetWindowPos(HWND window, HWND insert_after, int x, int y, int width,
                                    int height, UINT flags) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        return platform::window_set_position(window, insert_after, x, y, width, height, flags,
                                             platform::PositionSource::program);
    });
}

extern "C" BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        UINT flags =
            SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : static_cast<UINT>(SWP_NOREDRAW));
        return platform::window_set_position(window, nullptr, x, y, width, height, flags,
                                             platform::PositionSource::program);
    });
}
