// window_layout.h: how a window's outer size divides into the menu bar and the client area, and
// the menu bar's attachment to a window.
//
// Every change of the client size invalidates the client area and sends WM_SIZE.
#pragma once

#include <windows.h>

#include "user/window_table.h"

namespace platform {

// Lay the window out for a content area of this size; sends WM_SIZE if the client size changed.
void window_layout(HWND window, int content_width, int content_height);
// Lay a window out for the first time, before it is in the table (no message is sent).
void window_layout_new(Window &window);
// Send WM_SIZE with the window's client size.
void window_send_size(HWND window);

// SetMenu: attach `menu` (or none) as the window's menu bar, lay the window out again (the client
// area shrinks by the bar; WM_SIZE is sent when the client size changes) and present it.
// Returns FALSE for a bad window handle.
BOOL window_attach_menu(HWND window, HMENU menu);
// GetMenu: the menu bar attached to the window, or none.
HMENU window_attached_menu(HWND window);
// The window's menu changed (SetMenu, DrawMenuBar): lay the bar out again, shrink or grow the
// client area (sending WM_SIZE when its size changes) and present the window.
void window_menu_changed(HWND window);

}  // namespace platform
