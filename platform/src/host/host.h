// host.h: the contract between the portable window system and a real or simulated screen.
//
// A host backend is a small table of functions: create, show and destroy a host window of an
// outer size at a position, present a window's picture, report the screen size and a monotonic
// clock, and wait for input until a deadline. Input comes back only by the calls of
// host_input.h, which the window system turns into window messages.
//
// Two backends exist: the SDL2 host (host_sdl.cpp, the only file that includes SDL) and the
// headless host (host_headless.cpp: virtual time, input injected by tests). host_choice.cpp
// picks one: the headless host when headless_host_use() was called, the SDL2 host otherwise.
//
// Limits: one thread; a backend is chosen once, before the first window is created.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/pixel_surface.h"

namespace platform {

using HostWindow = std::uintptr_t;  // the backend's own name for one of its windows; 0 is none
constexpr std::uint64_t kNoDeadline = UINT64_MAX;

struct HostBackend {
    // False for a host without a screen: pictures are composed only when asked for.
    bool shows_pictures;
    // Make a hidden host window for `owner` whose outer frame is `outer_width` x `outer_height`
    // at (x, y). Stores the size of its content area (what the window system lays out: menu bar
    // plus client area). Returns 0 when no window can be made.
    HostWindow (*create_window)(HWND owner, const char *title, int x, int y, int outer_width,
                                int outer_height, int *content_width, int *content_height);
    void (*destroy_window)(HostWindow window);
    void (*show_window)(HostWindow window, bool visible);
    // Put the window's picture (menu bar strip, client area, any open popup) on the screen.
    void (*present)(HostWindow window, const PixelSurface &picture);
    void (*screen_size)(int *width, int *height);
    // Milliseconds on a monotonic clock (virtual for the headless host).
    std::uint64_t (*now_ms)();
    // Hand every input that is already waiting to the window system; never blocks.
    void (*collect_input)();
    // Block until input arrives or the clock reaches `deadline_ms` (kNoDeadline: no timer
    // pending), handing the input to the window system. Returns false when nothing can ever
    // arrive (no display and no deadline); the headless host aborts instead.
    bool (*wait_input)(std::uint64_t deadline_ms);
};

// The backend in use: headless when headless_host_use() was called, SDL2 otherwise
// (host_choice.cpp).
const HostBackend &host();
// Whether the headless host was selected (headless_host_use).
bool headless_host_selected();
const HostBackend &headless_backend();
const HostBackend &sdl_backend();

}  // namespace platform
