// window_manager.cpp: the window table, creation and destruction, showing, focus, layout and the
// composed picture a host presents.
//
// Depends on the window classes, timers, message queue, the host, and the menus (bar height and
// painting through menu_bridge.h). Frames belong to the host: a window's outer size is what
// CreateWindowExA was given, the host reports the content area inside its frame, and the menu
// bar strip and the client area share that content area (see host_sdl.cpp for how the SDL host
// sizes its windows).
#include "window_manager.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <strings.h>

#include "live_objects.h"
#include "menu_bridge.h"
#include "message_queue.h"
#include "timers.h"
#include "window_classes.h"
#include "window_dc_bridge.h"

namespace platform {

namespace {

constexpr std::uintptr_t kFirstHandle = 0x10010;
constexpr std::uintptr_t kHandleStep = 4;
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;
constexpr int kLargestSide = 8192;  // larger requests are clamped, never allocated
constexpr std::uint32_t kFreshClientPixel = 0x00FFFFFF;

std::map<std::uintptr_t, std::unique_ptr<Window>> window_table;
std::uintptr_t next_handle = kFirstHandle;
HWND focus_window = nullptr;

std::uintptr_t key_of(HWND handle) { return reinterpret_cast<std::uintptr_t>(handle); }

int clamp_side(int requested, int fallback) {
    if (requested == CW_USEDEFAULT) return fallback;
    return std::clamp(requested, 0, kLargestSide);
}

// New client pixels of the new size, keeping the overlapping top-left part of the old ones.
void resize_client_pixels(Window &window, int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, kFreshClientPixel);
    int rows = std::min(height, window.client_height);
    int columns = std::min(width, window.client_width);
    for (int row = 0; row < rows; ++row) {
        const std::uint32_t *from = window.client_pixels.data() +
                                    static_cast<std::size_t>(row) * window.client_width;
        std::copy(from, from + columns, pixels.data() + static_cast<std::size_t>(row) * width);
    }
    window.client_pixels = std::move(pixels);
    window.client_width = width;
    window.client_height = height;
}

// Work out bar and client sizes from the content size; true when the client size changed.
bool relayout(Window &window) {
    int bar = window.menu != nullptr ? menu_bar_height(window.menu, window.content_width) : 0;
    window.bar_height = std::clamp(bar, 0, window.content_height);
    int width = window.content_width;
    int height = window.content_height - window.bar_height;
    window.needs_present = true;
    if (width == window.client_width && height == window.client_height) return false;
    resize_client_pixels(window, width, height);
    return true;
}

void invalidate_everything(HWND handle) { InvalidateRect(handle, nullptr, TRUE); }

void send_size(HWND handle) {
    Window *window = find_window(handle);
    if (window == nullptr) return;
    LPARAM size = MAKELPARAM(window->client_width, window->client_height);
    SendMessageA(handle, WM_SIZE, SIZE_RESTORED, size);
}

bool is_activating(int command) {
    return command == SW_SHOWNORMAL || command == SW_SHOWMINIMIZED ||
           command == SW_SHOWMAXIMIZED || command == SW_SHOW || command == SW_RESTORE ||
           command == SW_SHOWDEFAULT;
}

// The composed host picture: menu bar strip, client pixels below it, any open popup on top.
PixelSurface compose(Window &window) {
    int width = window.content_width;
    int height = window.content_height;
    window.composed_pixels.assign(static_cast<std::size_t>(width) * height, kFreshClientPixel);
    PixelSurface frame{window.composed_pixels.data(), width, height, width};
    if (width == 0 || height == 0) return frame;
    if (window.bar_height > 0) {
        PixelSurface bar{window.composed_pixels.data(), width, window.bar_height, width};
        menu_bar_paint(window.menu, bar, window.handle);
    }
    for (int row = 0; row < window.client_height; ++row) {
        const std::uint32_t *from = window.client_pixels.data() +
                                    static_cast<std::size_t>(row) * window.client_width;
        std::copy(from, from + window.client_width,
                  frame.pixels + static_cast<std::size_t>(row + window.bar_height) * width);
    }
    menu_overlay_paint(window.handle, frame, window.bar_height);
    return frame;
}

std::unique_ptr<Window> new_window(const WindowClass &window_class, LPCSTR title, DWORD style,
                                   int x, int y, int width, int height) {
    auto window = std::make_unique<Window>();
    window->handle = reinterpret_cast<HWND>(next_handle);
    next_handle += kHandleStep;
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
    window.host_window = host().create_window(
        window.handle, window.title.c_str(), window.x, window.y, window.outer_width,
        window.outer_height, &window.content_width, &window.content_height);
    window.content_width = std::clamp(window.content_width, 0, kLargestSide);
    window.content_height = std::clamp(window.content_height, 0, kLargestSide);
    return window.host_window != 0;
}

// The part of DestroyWindow after the window procedure has heard of it.
void remove_window(HWND handle) {
    timers_kill_window(handle);
    queue_drop_window(handle);
    auto it = window_table.find(key_of(handle));
    if (it == window_table.end()) return;
    if (it->second->host_window != 0) host().destroy_window(it->second->host_window);
    window_table.erase(it);
    --live::windows;
    if (focus_window == handle) focus_window = nullptr;
}

bool title_matches(const Window &window, LPCSTR title) {
    return title == nullptr || window.title == title;
}

bool class_matches(const Window &window, const WindowClass *window_class) {
    return window_class == nullptr ||
           strcasecmp(window.class_name.c_str(), window_class->name.c_str()) == 0;
}

}  // namespace

Window *find_window(HWND handle) {
    if (handle == nullptr) return nullptr;
    auto it = window_table.find(key_of(handle));
    return it == window_table.end() ? nullptr : it->second.get();
}

std::vector<HWND> all_windows() {
    std::vector<HWND> handles;
    handles.reserve(window_table.size());
    for (const auto &entry : window_table) handles.push_back(entry.second->handle);
    return handles;
}

HWND window_needing_paint(HWND filter) {
    for (const auto &entry : window_table) {
        const Window &window = *entry.second;
        if (window.visible && window.has_update && hwnd_filter_matches(filter, window.handle)) {
            return window.handle;
        }
    }
    return nullptr;
}

void windows_present_pending() {
    if (!host().shows_pictures) return;
    for (HWND handle : all_windows()) {
        Window *window = find_window(handle);
        if (window == nullptr || !window->visible || !window->needs_present) continue;
        window->needs_present = false;
        PixelSurface frame = compose(*window);
        host().present(window->host_window, frame);
    }
}

void window_change_focus(HWND handle) {
    if (handle == focus_window) return;
    HWND previous = focus_window;
    focus_window = handle;
    if (find_window(previous) != nullptr) {
        SendMessageA(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(handle), 0);
    }
    if (find_window(handle) != nullptr) {
        SendMessageA(handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
}

void window_layout(HWND handle, int content_width, int content_height) {
    Window *window = find_window(handle);
    if (window == nullptr) return;
    window->content_width = std::clamp(content_width, 0, kLargestSide);
    window->content_height = std::clamp(content_height, 0, kLargestSide);
    if (!relayout(*window)) return;
    invalidate_everything(handle);
    send_size(handle);
}

// ---- Bridges to the GDI and the menus -------------------------------------------------------

PixelSurface window_client_surface(HWND handle) {
    Window *window = find_window(handle);
    if (window == nullptr || window->client_pixels.empty()) return {};
    return {window->client_pixels.data(), window->client_width, window->client_height,
            window->client_width};
}

void window_client_changed(HWND handle) {
    if (Window *window = find_window(handle)) window->needs_present = true;
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

void window_request_present(HWND handle) {
    if (Window *window = find_window(handle)) window->needs_present = true;
}

PixelSurface window_composed_surface(HWND handle) {
    Window *window = find_window(handle);
    if (window == nullptr) return {};
    return compose(*window);
}

}  // namespace platform

using platform::find_window;
using platform::Window;

extern "C" HWND WINAPI CreateWindowExA(DWORD, LPCSTR class_name, LPCSTR title, DWORD style, int x,
                                       int y, int width, int height, HWND, HMENU menu,
                                       HINSTANCE, LPVOID) {
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
    platform::relayout(*window);
    platform::window_table.emplace(platform::key_of(handle), std::move(window));
    ++platform::live::windows;
    if (SendMessageA(handle, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(handle);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (find_window(handle) == nullptr) return nullptr;  // destroyed by its own WM_CREATE
    platform::send_size(handle);
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
    if (platform::focus_window == handle) platform::window_change_focus(nullptr);
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
            platform::invalidate_everything(handle);
        } else if (platform::focus_window == handle) {
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
    for (auto it = platform::window_table.rbegin(); it != platform::window_table.rend(); ++it) {
        const Window &window = *it->second;
        bool matches = platform::class_matches(window, window_class) &&
                       platform::title_matches(window, title);
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

extern "C" HWND WINAPI GetFocus(void) { return platform::focus_window; }

extern "C" HWND WINAPI SetFocus(HWND handle) {
    if (handle != nullptr && find_window(handle) == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    HWND previous = platform::focus_window;
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
