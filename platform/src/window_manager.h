// window_manager.h: the window table shared by the window-system modules.
//
// A window is a record owned by the table; its handle is a number that is never reused, so a
// stale handle is recognised as such. Code must not keep a Window pointer across anything that
// can run a window procedure (SendMessageA, DestroyWindow...): the window may be gone after it.
//
// Layout: the host window's content area holds the menu-bar strip (height from
// menu_bar_height, 0 without a menu) and below it the client area, whose 32-bit pixels window
// device contexts draw into.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host.h"
#include "pixel_surface.h"

namespace platform {

struct Window {
    HWND handle = nullptr;
    std::string class_name;
    WNDPROC procedure = nullptr;
    HBRUSH background = nullptr;
    std::string title;
    DWORD style = 0;
    int x = 0, y = 0, outer_width = 0, outer_height = 0;
    int content_width = 0, content_height = 0;
    int bar_height = 0;
    int client_width = 0, client_height = 0;
    std::vector<std::uint32_t> client_pixels;
    std::vector<std::uint32_t> composed_pixels;
    HMENU menu = nullptr;
    HostWindow host_window = 0;
    bool visible = false;
    bool destroying = false;
    bool needs_present = false;
    // The update region, kept as its bounding box in client coordinates.
    bool has_update = false;
    RECT update{};
    bool erase_pending = false;
    // While BeginPaint's WM_ERASEBKGND runs: the part to erase (the update box just validated).
    bool erasing_for_paint = false;
    RECT erase_box{};
};

// The live window of a handle, or nullptr for none, a stale handle or one being destroyed
// past WM_NCDESTROY.
Window *find_window(HWND handle);
// Every live window, in creation order.
std::vector<HWND> all_windows();
// The first visible window (creation order) with a non-empty update region that passes the
// filter (nullptr: any window).
HWND window_needing_paint(HWND filter);
// Present every visible window whose picture changed.
void windows_present_pending();
// The keyboard focus changed to `window` (nullptr: none), with WM_KILLFOCUS / WM_SETFOCUS.
void window_change_focus(HWND window);
// Lay the window out for a content area of this size; sends WM_SIZE if the client size changed.
void window_layout(HWND window, int content_width, int content_height);

}  // namespace platform
