// menu_bridge.h: the contract between the window system and the menus.
//
// A window's menu bar lives in a strip at the top of its host window, above the client area. The
// window system lays the strip out, composes it with the client pixels for the host, and hands
// menu-bar input to the menu code. The menu code draws the bar and any open popup, and runs the
// modal menu loop inside the dispatch that opened it, as Windows does.
#pragma once

#include <windows.h>

#include "pixel_surface.h"

namespace platform {

// Implemented by the menus.
// Height in pixels of the bar of `menu` laid out `width` pixels wide (0 for no menu).
int menu_bar_height(HMENU menu, int width);
// Draw the bar of `menu` into `bar` (the whole strip, `bar.width` wide).
void menu_bar_paint(HMENU menu, const PixelSurface &bar, HWND owner);
// Draw any open popup of `owner` over `frame`, the composed host picture (bar + client), whose
// client area starts at row `client_top`.
void menu_overlay_paint(HWND owner, const PixelSurface &frame, int client_top);
// Mouse input for a window with a menu bar: a left press inside the bar strip is posted as
// WM_NCLBUTTONDOWN (wParam HTMENU); all other mouse messages are WM_LBUTTONDOWN, WM_LBUTTONUP
// and WM_MOUSEMOVE. In every one lParam is MAKELPARAM(x, y) in client coordinates as signed
// 16-bit values, so a point over the bar has a negative y.
// DefWindowProcA's WM_NCLBUTTONDOWN on the bar: track the mouse from client point (x, y) (y < 0)
// in a modal loop until the menu closes.
void menu_track_mouse(HWND owner, int x, int y);
// DefWindowProcA's WM_SYSCOMMAND SC_KEYMENU: keyboard menu mode. `key` is 0 for Alt or F10
// alone (enter the bar with its first item highlighted) or the character typed with Alt.
void menu_track_keyboard(HWND owner, int key);
// The window is being destroyed: end any tracking of its menus.
void menu_window_destroyed(HWND owner);

// Implemented by the window system.
// SetMenu: attach `menu` (or none) as the window's menu bar, lay the window out again (the client
// area shrinks by the bar; WM_SIZE is sent when the client size changes) and present it.
// Returns FALSE for a bad window handle.
BOOL window_attach_menu(HWND window, HMENU menu);
// GetMenu: the menu bar attached to the window, or none.
HMENU window_attached_menu(HWND window);
// The window's menu changed (SetMenu, DrawMenuBar): lay the bar out again, shrink or grow the
// client area (sending WM_SIZE when its size changes) and present the window.
void window_menu_changed(HWND window);
// Present the window again (the open popup changed).
void window_request_present(HWND window);
// The host's picture of the window, for tests: bar and client composed, popup overlaid.
PixelSurface window_composed_surface(HWND window);

}  // namespace platform
