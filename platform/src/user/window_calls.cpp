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

#include "core/memory_exhaustion.h"
#include "host/host.h"
#include "user/menu/menu_modal_loop.h"
#include "user/message_queue.h"
#include "user/quit_signals.h"
#include "user/timers.h"
#include "user/update_region.h"
#include "user/window_activation.h"
#include "user/window_classes.h"
#include "user/window_layout.h"
#include "user/window_position.h"
#include "user/window_show_state.h"
#include "user/window_table.h"

namespace platform {

namespace {

constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;
constexpr int kLargestSide = 8192;  // larger requests are clamped, never allocated

// What CreateWindowExA was given, for the creation record of WM_NCCREATE and WM_CREATE.
struct CreationArguments {
    DWORD ex_style;
    LPCSTR class_name;
    LPCSTR title;
    DWORD style;
    int x, y, width, height;
    HWND parent;
    HMENU menu;
    HINSTANCE instance;
    LPVOID param;
};

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
    quit_signals_install();  // from the first window on, a termination signal is a quit
    window.host_window =
        host().create_window(window.handle, window.title.c_str(), window_placement(window));
    return window.host_window != 0;
}

CREATESTRUCTA creation_record(const CreationArguments &arguments) {
    CREATESTRUCTA record{};
    record.lpCreateParams = arguments.param;
    record.hInstance = arguments.instance;
    record.hMenu = arguments.menu;
    record.hwndParent = arguments.parent;
    record.cy = arguments.height;
    record.cx = arguments.width;
    record.y = arguments.y;
    record.x = arguments.x;
    record.style = static_cast<LONG>(arguments.style);
    record.lpszName = arguments.title;
    record.lpszClass = arguments.class_name;
    record.dwExStyle = arguments.ex_style;
    return record;
}

// WM_NCCREATE then WM_CREATE, each with the creation record; false when either refuses (the
// window is then destroyed) or the window destroyed itself meanwhile.
bool send_creation_messages(HWND handle, const CreationArguments &arguments) {
    CREATESTRUCTA record = creation_record(arguments);
    const LPARAM lparam = reinterpret_cast<LPARAM>(&record);
    if (SendMessageA(handle, WM_NCCREATE, 0, lparam) == FALSE) {
        if (find_window(handle) != nullptr) DestroyWindow(handle);
        return false;
    }
    if (find_window(handle) == nullptr) return false;
    if (SendMessageA(handle, WM_CREATE, 0, lparam) == -1) {
        if (find_window(handle) != nullptr) DestroyWindow(handle);
        return false;
    }
    return find_window(handle) != nullptr;
}

// The part of DestroyWindow after the window procedure has heard of it.
void remove_window(HWND handle) {
    timers_kill_window(handle);
    queue_drop_window(handle);
    if (const Window *window = find_window(handle); window != nullptr && window->host_window != 0) {
        host().destroy_window(window->host_window);
    }
    z_order_remove(handle);
    window_table_remove(handle);
}

// The window-position record of a window being hidden where it stands.
WINDOWPOS hiding_position(HWND handle, const Window &window) {
    return WINDOWPOS{handle,
                     nullptr,
                     window.x,
                     window.y,
                     window.outer_width,
                     window.outer_height,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE};
}

// Hiding a visible window: WM_SHOWWINDOW, the window-position messages, and activation passing
// on when it was active.
void hide_window(HWND handle) {
    SendMessageA(handle, WM_SHOWWINDOW, FALSE, 0);
    Window *window = find_window(handle);
    if (window == nullptr) return;
    WINDOWPOS position = hiding_position(handle, *window);
    SendMessageA(handle, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
    if ((window = find_window(handle)) == nullptr) return;
    window->visible = false;
    host().show_window(window->host_window, false);
    position.flags |= kSwpNoClientSize | kSwpNoClientMove;
    SendMessageA(handle, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
    window_pass_activation(handle);
}

// Showing a hidden window: WM_SHOWWINDOW, the window-position messages with the activation
// between them, then (the first time) the WM_SIZE and WM_MOVE Windows keeps for the first show.
void show_hidden_window(HWND handle, bool activating) {
    SendMessageA(handle, WM_SHOWWINDOW, TRUE, 0);
    Window *window = find_window(handle);
    if (window == nullptr) return;
    UINT flags = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER;
    if (!activating) flags |= SWP_NOACTIVATE;
    WINDOWPOS position{
        handle, nullptr, window->x, window->y, window->outer_width, window->outer_height, flags};
    SendMessageA(handle, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
    if ((window = find_window(handle)) == nullptr) return;
    window->visible = true;
    window->needs_present = true;
    host().show_window(window->host_window, true);
    InvalidateRect(handle, nullptr, TRUE);
    if (activating) window_activate(handle, WA_ACTIVE);
    window_erase_now(handle);
    if ((window = find_window(handle)) == nullptr) return;
    position.flags |= kSwpNoClientSize | kSwpNoClientMove;
    SendMessageA(handle, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
    if ((window = find_window(handle)) == nullptr) return;
    if (!window->shown_once) {
        window->shown_once = true;
        window_send_size(handle);
        window_send_move(handle);
    }
}

// Titles compare without regard to case, as on Windows.
bool title_matches(const Window &window, LPCSTR title) {
    return title == nullptr || strcasecmp(window.title.c_str(), title) == 0;
}

bool class_matches(const Window &window, const WindowClass *window_class) {
    return window_class == nullptr ||
           strcasecmp(window.class_name.c_str(), window_class->name.c_str()) == 0;
}

// SW_SHOWNOACTIVATE: the normal size from a minimised or maximised window, and no activation;
// an icon that is still the active window takes back the focus it gave up.
void show_without_activating(HWND handle, bool was_minimized) {
    window_restore(handle, false);
    if (was_minimized && handle == active_window() && focused_window() != handle &&
        !IsIconic(handle)) {
        window_change_focus(handle);
    }
}

bool minimizing(int command) {
    return command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE ||
           command == SW_FORCEMINIMIZE;
}

bool is_activating(int command) {
    return command == SW_SHOWNORMAL || command == SW_SHOWMINIMIZED || command == SW_SHOWMAXIMIZED ||
           command == SW_SHOW || command == SW_RESTORE || command == SW_SHOWDEFAULT;
}

}  // namespace

}  // namespace platform

using platform::find_window;
using platform::Window;

extern "C" HWND WINAPI CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR title, DWORD style,
                                       int x, int y, int width, int height, HWND parent, HMENU menu,
                                       HINSTANCE instance, LPVOID param) {
    return platform::fail_when_memory_runs_out<HWND>(nullptr, [&]() -> HWND {
        using namespace platform;
        const WindowClass *window_class = find_window_class(class_name);
        if (window_class == nullptr) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        auto window = new_window(*window_class, title, style, x, y, width, height);
        if ((style & WS_CHILD) == 0) window->menu = menu;
        window_relayout(*window);
        if (!open_host_window(*window)) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        HWND handle = window->handle;
        window_table_add(std::move(window));
        z_order_add(handle);
        const CreationArguments arguments{ex_style, class_name, title,  style, x,        y,
                                          width,    height,     parent, menu,  instance, param};
        if (!send_creation_messages(handle, arguments)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        // Windows keeps an overlapped window's first WM_SIZE and WM_MOVE for its first show; the
        // package needs its origin before CreateWindowExA returns, so they come now as well.
        window_send_size(handle);
        window_send_move(handle);
        if ((style & WS_VISIBLE) != 0 && find_window(handle) != nullptr)
            ShowWindow(handle, SW_SHOW);
        return find_window(handle) != nullptr ? handle : nullptr;
    });
}

extern "C" BOOL WINAPI DestroyWindow(HWND handle) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        using namespace platform;
        Window *window = find_window(handle);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        if (window->destroying) return FALSE;  // already on its way out (WM_DESTROY re-entry)
        window->destroying = true;
        if (window->visible) {
            // A top-level window gets no WM_SHOWWINDOW here, only the window-position messages.
            WINDOWPOS position = hiding_position(handle, *window);
            SendMessageA(handle, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
            if ((window = find_window(handle)) != nullptr) {
                window->visible = false;
                host().show_window(window->host_window, false);
            }
            position.flags |= kSwpNoClientSize | kSwpNoClientMove;
            SendMessageA(handle, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
        }
        window_pass_activation(handle);
        // The menus end any tracking and free the window's bar, as Windows frees a window's menu.
        menu_window_destroyed(handle);
        if (Window *still = find_window(handle)) still->menu = nullptr;
        SendMessageA(handle, WM_DESTROY, 0, 0);
        SendMessageA(handle, WM_NCDESTROY, 0, 0);
        remove_window(handle);
        return TRUE;
    });
}

extern "C" BOOL WINAPI IsWindow(HWND handle) {
    return platform::fail_when_memory_runs_out<BOOL>(
        FALSE, [&]() -> BOOL { return find_window(handle) != nullptr; });
}

extern "C" BOOL WINAPI IsWindowVisible(HWND handle) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        const Window *window = find_window(handle);
        return window != nullptr && window->visible;
    });
}

extern "C" BOOL WINAPI ShowWindow(HWND handle, int command) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        using namespace platform;
        Window *window = find_window(handle);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        // A command out of range changes nothing and sets no error code.
        if (command < SW_HIDE || command > SW_FORCEMINIMIZE) return FALSE;
        const bool was_visible = window->visible;
        const bool show = command != SW_HIDE;
        const bool activating = is_activating(command);
        const bool was_minimized = window->show_state == HostShowState::minimized;
        if (show && !was_visible) {
            show_hidden_window(handle, activating && !minimizing(command));
        } else if (show && activating && !minimizing(command)) {
            // An inactive window is activated before it changes its size.
            window_activate(handle, WA_ACTIVE);
        } else if (command == SW_SHOWNA) {
            SendMessageA(handle, WM_SHOWWINDOW, TRUE, 0);  // also to a window already shown
        } else if (!show && was_visible) {
            hide_window(handle);
        }
        if (!show || find_window(handle) == nullptr) return was_visible ? TRUE : FALSE;
        if (minimizing(command)) {
            window_minimize(handle);
        } else if (command == SW_SHOWMAXIMIZED) {
            window_maximize(handle, activating);
        } else if (command == SW_RESTORE || command == SW_SHOWNORMAL) {
            window_restore(handle, activating);
        } else if (command == SW_SHOWNOACTIVATE) {
            show_without_activating(handle, was_minimized);
        }
        return was_visible ? TRUE : FALSE;
    });
}

// Both fail for a handle that is no window, with ERROR_INVALID_WINDOW_HANDLE.
extern "C" BOOL WINAPI IsIconic(HWND handle) {
    const Window *window = find_window(handle);
    if (window == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return window != nullptr && window->show_state == platform::HostShowState::minimized;
}

extern "C" BOOL WINAPI IsZoomed(HWND handle) {
    const Window *window = find_window(handle);
    if (window == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return window != nullptr && window->show_state == platform::HostShowState::maximized;
}

extern "C" HWND WINAPI FindWindowA(LPCSTR class_name, LPCSTR title) {
    return platform::fail_when_memory_runs_out<HWND>(nullptr, [&]() -> HWND {
        const platform::WindowClass *window_class = nullptr;
        if (class_name != nullptr) {
            window_class = platform::find_window_class(class_name);
            if (window_class == nullptr) return nullptr;
        }
        // Newest first: the most recently created window is on top.
        std::vector<HWND> handles = platform::all_windows();
        for (auto it = handles.rbegin(); it != handles.rend(); ++it) {
            const Window &window = *find_window(*it);
            bool matches = platform::class_matches(window, window_class) &&
                           platform::title_matches(window, title);
            if (matches) return window.handle;
        }
        return nullptr;
    });
}

extern "C" int WINAPI GetWindowTextA(HWND handle, LPSTR buffer, int max_count) {
    return platform::fail_when_memory_runs_out<int>(static_cast<int>(0), [&]() -> int {
        const Window *window = find_window(handle);
        if (window == nullptr || buffer == nullptr || max_count <= 0) {
            if (window == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        std::size_t count = std::min(window->title.size(), static_cast<std::size_t>(max_count - 1));
        std::memcpy(buffer, window->title.data(), count);
        buffer[count] = '\0';
        return static_cast<int>(count);
    });
}

extern "C" BOOL WINAPI GetClientRect(HWND handle, LPRECT rect) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        const Window *window = find_window(handle);
        if (window == nullptr || rect == nullptr) {
            SetLastError(window == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        *rect = window->show_state == platform::HostShowState::minimized
                    ? RECT{0, 0, 0, 0}
                    : RECT{0, 0, window->client_width, window->client_height};
        return TRUE;
    });
}

extern "C" BOOL WINAPI GetWindowRect(HWND handle, LPRECT rect) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        const Window *window = find_window(handle);
        if (window == nullptr || rect == nullptr) {
            SetLastError(window == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        // The right and bottom edges saturate at the largest coordinate, as on Windows, instead of
        // wrapping for a window placed near it.
        auto edge = [](int from, int size) {
            return static_cast<LONG>(
                std::min<long long>(static_cast<long long>(from) + size, INT32_MAX));
        };
        *rect = RECT{window->x, window->y, edge(window->x, window->outer_width),
                     edge(window->y, window->outer_height)};
        return TRUE;
    });
}

extern "C" HWND WINAPI GetFocus(void) {
    return platform::fail_when_memory_runs_out<HWND>(
        nullptr, [&]() -> HWND { return platform::focused_window(); });
}

extern "C" HWND WINAPI SetFocus(HWND handle) {
    return platform::fail_when_memory_runs_out<HWND>(nullptr, [&]() -> HWND {
        if (handle != nullptr && find_window(handle) == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        // A window that is not the active one is activated first (WM_NCACTIVATE and WM_ACTIVATE,
        // whose default handling already gives it the focus), as on Windows; the focus returned is
        // the one found after that.
        if (handle != nullptr && handle != platform::active_window()) {
            platform::window_activate(handle, WA_ACTIVE);
            if (find_window(handle) == nullptr) return nullptr;
        }
        HWND previous = platform::focused_window();
        platform::window_change_focus(handle);
        return previous;
    });
}

extern "C" LRESULT WINAPI SendMessageA(HWND handle, UINT message, WPARAM wparam, LPARAM lparam) {
    return platform::fail_when_memory_runs_out<LRESULT>(static_cast<LRESULT>(0), [&]() -> LRESULT {
        const Window *window = find_window(handle);
        if (window == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        WNDPROC procedure = window->procedure;
        return procedure(handle, message, wparam, lparam);
    });
}
