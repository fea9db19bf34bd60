// window_dc_bridge.h: the contract between the window system and the GDI.
//
// The window system owns every window's client pixels; the GDI owns device contexts. A window
// device context (GetDC, BeginPaint) draws into the client pixels, clipped to the client area,
// and every change is reported back so the host can present the window.
#pragma once

#include <windows.h>

#include "pixel_surface.h"

namespace platform {

// Implemented by the window system.
// The client pixels of a window (empty surface for a bad handle). The surface stays valid until
// the window is resized or destroyed; device contexts must ask again before every drawing call.
PixelSurface window_client_surface(HWND window);
// Something was drawn into the window's client pixels: present them at the next wait.
void window_client_changed(HWND window);

// Implemented by the GDI.
// A device context with default attributes that draws into the client pixels of a window.
HDC create_window_dc(HWND window);
// Give back a device context made by create_window_dc; returns 1 on success, 0 otherwise.
int release_window_dc(HWND window, HDC dc);
// A device context that draws into a surface the caller owns (the menu bar, a popup overlay).
// The surface must outlive the context; delete it with DeleteDC.
HDC create_surface_dc(const PixelSurface &surface);

}  // namespace platform
