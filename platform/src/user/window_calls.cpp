// window_calls.cpp: the window calls of user32: creating, destroying, showing and finding
// windows, their rectangles, the focus, and SendMessageA.
//
// Depends on the window table, layout and classes, the timers and the queue (a destroyed window
// loses its timers and messages), the menus (a destroyed window's menu ends its tracking) and the
// host (the real window behind each one).
#include <windows.h>

#include <strings.h>
#include <algorithm>
#include <cstring>

#include "host/host.h"
#include "user/menu/menu_modal_loop.h"
#include "user/message_queue.h"
#include "user/timers.h"
#include "user/window_classes.h"
#include "user/window_layout.h"
#include "user/window_table.h"

namespace platform {

namespace {

constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;
constexpr int kLargestSide = 8192;  // larger requests are clamped, never allocated

int clamp_side(int requested, int fallback) {
    if (requested == CW_USEDEFAULT) return fallback;
    return std::clamp(requested, 0, kLargestSide);
}

std::unique_ptr<Window> new_window(const WindowClass &window_class, LPCSTR title, DWORD style,
                                   int x, int y, int width, int height) {
    auto window = window_table_new_record();
    window->class_name = window_class.name;
    window->procedure = window_class.procedure;
    window->background = window_class.background;
    window->title = title != nullptr ? title : "";
    window->style = style;
    window->x = x == CW_USEDEFAULT ? 0 : x;
    window->y = y == CW_USEDEFAULT ? 0 : y;
    window->outer_width = clamp_side(width, kDefaultWidth);
    window->outer_height = clamp_side(height, kDefaultHeight);
    return window;
}

bool open_host_window(Window &window) {
    window.host_window = host().create_window(window.handle, window.title.c_str(), window.x,
                                              window.y, window.outer_width, window.outer_height,
                                              &window.content_width, &window.content_height);
    return window.host_window != 0;
}

// The part of DestroyWindow after the window procedure has heard of it.
void remove_window(HWND handle) {
    timers_kill_window(handle);
    queue_drop_window(handle);
    if (const Window *window = find_window(handle); window != nullptr && window->host_window != 0) {
        host().destroy_window(window->host_window);
    }
    window_table_remove(handle);
}

bool title_matches(const Window &window, LPCSTR title) {
    return title == nullptr || window.title == title;
}

bool class_matches(const Window &window, const WindowClass *window_class) {
    return window_class == nullptr ||
           strcasecmp(window.class_name.c_str(), window_class->name.c_str()) == 0;
}

bool is_activating(int command) {
    return command == SW_SHOWNORMAL || command == SW_SHOWMINIMIZED || command == SW_SHOWMAXIMIZED ||
           command == SW_SHOW || command == SW_RESTORE || command == SW_SHOWDEFAULT;
}

}  // namespace

}  // namespace platform

using platform::find_window;
using platform::Window;

extern "C" HWND WINAPI CreateWindowExA(DWORD, LPCSTR class_name, LPCSTR title, DWORD style, int x,
                                       int y, int width, int height, HWND, HMENU menu, HINSTANCE,
                                       LPVOID) {
    const platform::WindowClass *window_class = platform::find_window_class(class_name);
    if (window_class == nullptr) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    auto window = platform::new_window(*window_class, title, style, x, y, width, height);
    if (!platform::open_host_window(*window)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    HWND handle = window->handle;
    if ((style & WS_CHILD) == 0) window->menu = menu;
    platform::window_layout_new(*window);
    platform::window_table_add(std::move(window));
    if (SendMessageA(handle, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(handle);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (find_window(handle) == nullptr) return nullptr;  // destroyed by its own WM_CREATE
    platform::window_send_size(handle);
    if ((style & WS_VISIBLE) != 0 && find_window(handle) != nullptr) ShowWindow(handle, SW_SHOW);
    return find_window(handle) != nullptr ? handle : nullptr;
}

extern "C" BOOL WINAPI DestroyWindow(HWND handle) {
    Window *window = find_window(handle);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (window->destroying) return FALSE;  // already on its way out (WM_DESTROY re-entry)
    window->destroying = true;
    if (window->visible) {
        window->visible = false;
        platform::host().show_window(window->host_window, false);
    }
    if (platform::focused_window() == handle) platform::window_change_focus(nullptr);
    // The menus end any tracking and free the window's bar, as Windows frees a window's menu.
    platform::menu_window_destroyed(handle);
    if (Window *still = find_window(handle)) still->menu = nullptr;
    SendMessageA(handle, WM_DESTROY, 0, 0);
    SendMessageA(handle, WM_NCDESTROY, 0, 0);
    platform::remove_window(handle);
    return TRUE;
}

extern "C" BOOL WINAPI IsWindow(HWND handle) { return find_window(handle) != nullptr; }

extern "C" BOOL WINAPI IsWindowVisible(HWND handle) {
    const Window *window = find_window(handle);
    return window != nullptr && window->visible;
}

extern "C" BOOL WINAPI ShowWindow(HWND handle, int command) {
    Window *window = find_window(handle);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    bool was_visible = window->visible;
    bool show = command != SW_HIDE;
    if (show != was_visible) {
        SendMessageA(handle, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        window = find_window(handle);
        if (window == nullptr) return was_visible;
        window->visible = show;
        platform::host().show_window(window->host_window, show);
        if (show) {
            window->needs_present = true;
            InvalidateRect(handle, nullptr, TRUE);
        } else if (platform::focused_window() == handle) {
            platform::window_change_focus(nullptr);
        }
    }
    if (show && platform::is_activating(command)) platform::window_change_focus(handle);
    return was_visible ? TRUE : FALSE;
}

extern "C" HWND WINAPI FindWindowA(LPCSTR class_name, LPCSTR title) {
    const platform::WindowClass *window_class = nullptr;
    if (class_name != nullptr) {
        window_class = platform::find_window_class(class_name);
        if (window_class == nullptr) return nullptr;
    }
    // Newest first: the most recently created window is on top.
    std::vector<HWND> handles = platform::all_windows();
    for (auto it = handles.rbegin(); it != handles.rend(); ++it) {
        const Window &window = *find_window(*it);
        bool matches =
            platform::class_matches(window, window_class) && platform::title_matches(window, title);
        if (matches) return window.handle;
    }
    return nullptr;
}

extern "C" int WINAPI GetWindowTextA(HWND handle, LPSTR buffer, int max_count) {
    const Window *window = find_window(handle);
    if (window == nullptr || buffer == nullptr || max_count <= 0) {
        if (window == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    std::size_t count = std::min(window->title.size(), static_cast<std::size_t>(max_count - 1));
    std::memcpy(buffer, window->title.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

extern "C" BOOL WINAPI GetClientRect(HWND handle, LPRECT rect) {
    const Window *window = find_window(handle);
    if (window == nullptr || rect == nullptr) {
        SetLastError(window == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *rect = RECT{0, 0, window->client_width, window->client_height};
    return TRUE;
}

extern "C" BOOL WINAPI GetWindowRect(HWND handle, LPRECT rect) {
    const Window *window = find_window(handle);
    if (window == nullptr || rect == nullptr) {
        SetLastError(window == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *rect = RECT{window->x, window->y, window->x + window->outer_width,
                 window->y + window->outer_height};
    return TRUE;
}

extern "C" HWND WINAPI GetFocus(void) { return platform::focused_window(); }

extern "C" HWND WINAPI SetFocus(HWND handle) {
    if (handle != nullptr && find_window(handle) == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    HWND previous = platform::focused_window();
    platform::window_change_focus(handle);
    return previous;
}

extern "C" LRESULT WINAPI SendMessageA(HWND handle, UINT message, WPARAM wparam, LPARAM lparam) {
    const Window *window = find_window(handle);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    WNDPROC procedure = window->procedure;
    return procedure(handle, message, wparam, lparam);
}
