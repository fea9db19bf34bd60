// menu_drawing.h: painting a window's menu bar and its open popup.
//
// The bar is painted into its strip at the top of the window's content buffer; the popup over a
// composed copy of the whole picture, so that it never overwrites client pixels.
#pragma once

#include <windows.h>

#include "core/pixel_surface.h"

namespace platform {

// Height in pixels of the bar of `menu` laid out `width` pixels wide (0 for no menu).
int menu_bar_height(HMENU menu, int width);
// Draw the bar of `menu` into `bar` (the whole strip, `bar.width` wide).
void menu_bar_paint(HMENU menu, const PixelSurface &bar, HWND owner);
// True while a popup of `owner`'s menu is open and must be drawn over its picture.
bool menu_overlay_open(HWND owner);
// Draw any open popup of `owner` over `frame`, the composed host picture (bar + client), whose
// client area starts at row `client_top`.
void menu_overlay_paint(HWND owner, const PixelSurface &frame, int client_top);

}  // namespace platform
