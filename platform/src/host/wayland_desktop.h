// wayland_desktop.h: what the SDL host asks of a Wayland compositor before SDL's Wayland driver
// starts: whether it offers an input seat.
//
// SDL 2.26's Wayland driver crashes in its start-up on a compositor without a seat (a headless
// compositor, for instance), so the host asks first and treats such a compositor as no display.
// libwayland-client is opened at run time, as SDL itself opens it, so neither this package nor
// the programs linking it need Wayland's development files, and a machine without the library
// simply has no Wayland display.
#pragma once

namespace platform::wayland {

enum class Compositor {
    with_seat,     // reachable, with an input seat: SDL's Wayland driver can start
    without_seat,  // reachable, but no keyboard or pointer can ever reach a window
    unreachable,   // no compositor at WAYLAND_DISPLAY, or no libwayland-client
};

// Connects to the compositor the environment names (WAYLAND_DISPLAY, XDG_RUNTIME_DIR), lists its
// globals once and disconnects again.
Compositor probe_compositor();

}  // namespace platform::wayland
