// window_layout.cpp: the menu bar and the client area inside a window's content area.
//
// Frames belong to the host: the host reports the content area inside its frame, and the menu
// bar strip and the client area share that content area.
#include "user/window_layout.h"

#include <algorithm>

#include "user/menu/menu_drawing.h"
#include "user/window_surface.h"

namespace platform {

namespace {

constexpr int kLargestSide = 8192;  // larger requests are clamped, never allocated

// Work out bar and client sizes from the content size; true when the client size changed.
bool relayout(Window &window) {
    int bar = window.menu != nullptr ? menu_bar_height(window.menu, window.content_width) : 0;
    bar = std::clamp(bar, 0, window.content_height);
    int height = window.content_height - bar;
    window.needs_present = true;
    bool client_changed =
        window.content_width != window.client_width || height != window.client_height;
    if (!client_changed && bar == window.bar_height) return false;
    window_surface_resize(window, window.content_width, bar, height);
    return client_changed;
}

}  // namespace

void window_layout_new(Window &window) {
    window.content_width = std::clamp(window.content_width, 0, kLargestSide);
    window.content_height = std::clamp(window.content_height, 0, kLargestSide);
    relayout(window);
}

void window_send_size(HWND handle) {
    Window *window = find_window(handle);
    if (window == nullptr) return;
    LPARAM size = MAKELPARAM(window->client_width, window->client_height);
    SendMessageA(handle, WM_SIZE, SIZE_RESTORED, size);
}

void window_layout(HWND handle, int content_width, int content_height) {
    Window *window = find_window(handle);
    if (window == nullptr) return;
    window->content_width = std::clamp(content_width, 0, kLargestSide);
    window->content_height = std::clamp(content_height, 0, kLargestSide);
    if (!relayout(*window)) return;
    InvalidateRect(handle, nullptr, TRUE);
    window_send_size(handle);
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
    Window *window = find_window(handle);
    if (window == nullptr) return;
    window_layout(handle, window->content_width, window->content_height);
}

}  // namespace platform
