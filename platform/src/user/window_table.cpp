// window_table.cpp: the table of live windows, their handles, and the keyboard focus.
//
// Handles are numbers handed out once, in creation order, so the table's order is the order of
// creation and a stale handle never names a newer window. They carry the window tag of
// core/handle_kinds.h, so no pen, menu or device context ever has a window's number.
#include "user/window_table.h"

#include <map>

#include "core/handle_kinds.h"
#include "core/object_counts.h"
#include "user/message_queue.h"

namespace platform {

namespace {

constexpr std::uintptr_t kFirstHandle = 0x10010 + kWindowHandleTag;
static_assert(starts_kind(kFirstHandle, kWindowHandleTag));

std::map<std::uintptr_t, std::unique_ptr<Window>> window_table;
std::uintptr_t next_handle = kFirstHandle;
HWND focus_window = nullptr;

std::uintptr_t key_of(HWND handle) { return reinterpret_cast<std::uintptr_t>(handle); }

}  // namespace

std::unique_ptr<Window> window_table_new_record() {
    auto window = std::make_unique<Window>();
    window->handle = reinterpret_cast<HWND>(next_handle);
    next_handle += kHandleStep;
    return window;
}

void window_table_add(std::unique_ptr<Window> window) {
    std::uintptr_t key = key_of(window->handle);
    window_table.emplace(key, std::move(window));
    ++object_counts::windows;
}

void window_table_remove(HWND handle) {
    auto it = window_table.find(key_of(handle));
    if (it == window_table.end()) return;
    window_table.erase(it);
    --object_counts::windows;
    if (focus_window == handle) focus_window = nullptr;
}

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

HWND focused_window() { return focus_window; }

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

}  // namespace platform
