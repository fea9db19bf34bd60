// window_layout.cpp: the classic Windows non-client layout and the menu bar's attachment.
//
// The outer rectangle is what CreateWindowExA, MoveWindow and SetWindowPos give. Inside it: the
// frame on every side, the caption below the top frame, then the content area (the menu bar
// strip, as many 19-pixel rows as its items need at the client width, then the client area).
#include "user/window_layout.h"

#include <algorithm>

#include "user/menu/menu_drawing.h"
#include "user/window_position.h"
#include "user/window_surface.h"

namespace platform {

namespace {

int frame_width(DWORD style) {
    if ((style & WS_THICKFRAME) != 0) return kSizingFrame;
    if ((style & WS_DLGFRAME) != 0) return kFixedFrame;  // WS_CAPTION includes WS_DLGFRAME
    if ((style & WS_BORDER) != 0) return 1;
    return 0;
}

bool has_caption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

}  // namespace

NonClientEdges nonclient_edges(DWORD style) {
    const int frame = frame_width(style);
    const int caption = has_caption(style) ? kCaptionHeight : 0;
    return NonClientEdges{frame, frame + caption, frame, frame};
}

bool window_relayout(Window &window) {
    const NonClientEdges edges = nonclient_edges(window.style);
    const int width = std::max(0, window.outer_width - edges.left - edges.right);
    const int content = std::max(0, window.outer_height - edges.top - edges.bottom);
    int bar = window.menu != nullptr ? menu_bar_height(window.menu, width) : 0;
    bar = std::clamp(bar, 0, content);
    const int client_height = content - bar;
    window.needs_present = true;
    const bool client_changed =
        width != window.client_width || client_height != window.client_height;
    window.content_width = width;
    window.content_height = content;
    if (client_changed || bar != window.bar_height) {
        window_surface_resize(window, width, bar, client_height);
    }
    return client_changed;
}

POINT window_client_origin(const Window &window) {
    const NonClientEdges edges = nonclient_edges(window.style);
    const long long x = static_cast<long long>(window.x) + edges.left;
    const long long y = static_cast<long long>(window.y) + edges.top + window.bar_height;
    return POINT{static_cast<LONG>(std::clamp<long long>(x, INT32_MIN, INT32_MAX)),
                 static_cast<LONG>(std::clamp<long long>(y, INT32_MIN, INT32_MAX))};
}

HostPlacement window_placement(const Window &window) {
    const NonClientEdges edges = nonclient_edges(window.style);
    HostPlacement placement;
    placement.x = window.x;
    placement.y = window.y;
    placement.width = window.outer_width;
    placement.height = window.outer_height;
    placement.content_left = edges.left;
    placement.content_top = edges.top;
    placement.content_width = window.content_width;
    placement.content_height = window.content_height;
    placement.resizable = (window.style & WS_THICKFRAME) != 0;
    placement.minimize_box = (window.style & WS_MINIMIZEBOX) != 0;
    placement.maximize_box = (window.style & WS_MAXIMIZEBOX) != 0;
    return placement;
}

void window_send_size(HWND handle) {
    const Window *window = find_window(handle);
    if (window == nullptr) return;
    // A minimised window's client area is empty; the kind says which state the size belongs to.
    if (window->show_state == HostShowState::minimized) {
        SendMessageA(handle, WM_SIZE, SIZE_MINIMIZED, 0);
        return;
    }
    const WPARAM kind =
        window->show_state == HostShowState::maximized ? SIZE_MAXIMIZED : SIZE_RESTORED;
    LPARAM size = MAKELPARAM(window->client_width, window->client_height);
    SendMessageA(handle, WM_SIZE, kind, size);
}

void window_send_move(HWND handle) {
    const Window *window = find_window(handle);
    if (window == nullptr) return;
    const POINT origin = window_client_origin(*window);
    SendMessageA(handle, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
}

BOOL window_attach_menu(HWND handle, HMENU menu) {
    Window *window = find_window(handle);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    window->menu = menu;
    window_menu_changed(handle);
    return TRUE;
}

HMENU window_attached_menu(HWND handle) {
    const Window *window = find_window(handle);
    return window != nullptr ? window->menu : nullptr;
}

void window_menu_changed(HWND handle) {
    if (Window *window = find_window(handle)) window->bar_dirty = true;
    constexpr UINT kFrameChange =
        SWP_FRAMECHANGED | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER;
    window_set_position(handle, nullptr, 0, 0, 0, 0, kFrameChange, PositionSource::program);
}

}  // namespace platform
