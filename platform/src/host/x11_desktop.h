// x11_desktop.h: what the SDL host asks of an X11 desktop that SDL itself does not offer: whether
// a window manager runs, which frame it draws around a window, and which of its actions
// (resize, minimise, maximise) a window allows.
//
// The display and window are passed as Xlib's own values behind plain types, so that this file
// is the only one that includes Xlib and host_sdl.cpp the only one that includes SDL.
#pragma once

namespace platform::x11 {

struct FrameExtents {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// True when a window manager that follows the desktop conventions (EWMH) runs on the display.
bool window_manager_running(void *display);
// Tell the window manager which actions the window allows (motif hints): it always may be moved
// and closed; resized, minimised and maximised only as the flags say. Call before mapping.
void set_allowed_actions(void *display, unsigned long window, bool resizable, bool minimize,
                         bool maximize);
// Ask the window manager to announce the frame it will draw (_NET_REQUEST_FRAME_EXTENTS), so
// that frame_extents can answer before the window is shown.
void request_frame_extents(void *display, unsigned long window);
// The frame the window manager draws around the window, once it has said so (_NET_FRAME_EXTENTS).
bool frame_extents(void *display, unsigned long window, FrameExtents *extents);
// When the connection to the X server breaks, call `on_lost` instead of letting Xlib end the
// process; every later Xlib call on the display then does nothing.
void survive_display_loss(void *display, void (*on_lost)());
// Let the program go on after an X protocol error instead of Xlib's default of ending it: an
// error about a window that is already gone (BadWindow) passes silently, any other is said on
// standard error in one line. Applies to every display connection of the process.
void tolerate_protocol_errors();

}  // namespace platform::x11
