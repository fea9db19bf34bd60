// window_table.h: the table of live windows and the keyboard focus.
//
// A window is a record owned by the table; its handle is a number that is never reused, so a
// stale handle is recognised as such. Code must not keep a Window pointer across anything that
// can run a window procedure (SendMessageA, DestroyWindow...): the window may be gone after it.
//
// Layout (window_layout.h): inside the outer rectangle, the frame and caption, then the content
// area: the menu-bar strip (bar_height rows, 0 without a menu) and below it the client area. Both
// live in one buffer of content pixels, so the host can be handed the picture without composing
// it first (window_surface.h).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/host.h"

namespace platform {

struct Window {
    HWND handle = nullptr;
    std::string class_name;
    WNDPROC procedure = nullptr;
    HBRUSH background = nullptr;
    std::string title;
    DWORD style = 0;
    // The outer rectangle, frame, caption and menu bar included (GetWindowRect).
    int x = 0, y = 0, outer_width = 0, outer_height = 0;
    // The content area inside the frame and caption: the menu bar strip, then the client area.
    int content_width = 0, content_height = 0;
    int bar_height = 0;
    int client_width = 0, client_height = 0;
    // Menu bar strip then client area, content_width pixels a row (window_surface.cpp).
    std::vector<std::uint32_t> content_pixels;
    // The picture with an open popup drawn over it, made only while a popup is open.
    std::vector<std::uint32_t> composed_pixels;
    HMENU menu = nullptr;
    HostWindow host_window = 0;
    bool visible = false;
    bool destroying = false;
    // Minimised or maximised (ShowWindow); `normal_place` is the outer rectangle to restore, and
    // `restore_maximized` says a minimised window goes back to maximised.
    HostShowState show_state = HostShowState::normal;
    RECT normal_place{};
    bool restore_maximized = false;
    bool shown_once = false;  // the first show sends the WM_SIZE and WM_MOVE Windows keeps for it
    bool needs_present = false;
    bool bar_dirty = true;  // the menu bar strip must be painted before the next present
    // The update region in client coordinates: its rectangles (they may overlap) and their
    // bounding box, which PAINTSTRUCT.rcPaint reports.
    bool has_update = false;
    RECT update{};
    std::vector<RECT> update_parts;
    bool erase_pending = false;
    // The window procedure was asked to erase at once and did not: BeginPaint reports fErase.
    bool erase_declined = false;
    // While a WM_ERASEBKGND for the update region runs (BeginPaint's, or the one a show or a
    // resize sends at once): the part to erase.
    bool erasing_update = false;
    RECT erase_box{};
};

// A new record with the next handle; not in the table until window_table_add.
std::unique_ptr<Window> window_table_new_record();
// Take ownership of a record; its handle becomes live.
void window_table_add(std::unique_ptr<Window> window);
// Forget a window (after WM_NCDESTROY): its handle is stale from now on.
void window_table_remove(HWND handle);

// The live window of a handle, or nullptr for none, a stale handle or one being destroyed
// past WM_NCDESTROY.
Window *find_window(HWND handle);
// Every live window, in creation order.
std::vector<HWND> all_windows();
// The first visible window (creation order) with a non-empty update region that passes the
// filter (nullptr: any window).
HWND window_needing_paint(HWND filter);

// The window with the keyboard focus, or nullptr.
HWND focused_window();
// The keyboard focus changed to `window` (nullptr: none), with WM_KILLFOCUS / WM_SETFOCUS.
void window_change_focus(HWND handle);

}  // namespace platform
