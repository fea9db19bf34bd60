// window_surface.h: a window's pixels and their way to the host: the client pixels that window
// device contexts draw into, the menu bar strip above them, the picture presented.
//
// The strip and the client area share one buffer (Window::content_pixels), so presenting a
// window without an open popup hands that buffer to the host as it is; only an open popup makes
// a composed copy.
#pragma once

#include <windows.h>

#include "core/pixel_surface.h"
#include "user/window_table.h"

namespace platform {

// Make the content buffer fit the window's current bar and client sizes, keeping the overlapping
// top-left part of the client pixels; new pixels are white.
void window_surface_resize(Window &window, int content_width, int bar_height, int client_height);

// The client pixels of a window (empty surface for a bad handle). The surface stays valid until
// the window is resized or destroyed; device contexts must ask again before every drawing call.
PixelSurface window_client_surface(HWND handle);
// Something was drawn into the window's client pixels: present them at the next wait.
void window_client_changed(HWND handle);
// Present the window again, its menu bar painted anew (the bar, its highlight or an open popup
// changed).
void window_request_present(HWND handle);
// Present every visible window whose picture changed.
void windows_present_pending();
// The host's picture of the window, for tests: bar and client, any open popup drawn over them.
PixelSurface window_composed_surface(HWND handle);

}  // namespace platform
