// host.h: the contract between the portable window system and a real or simulated screen.
//
// A host backend is a small table of functions: create, show, place and destroy a host window,
// present a window's picture, report the screen size and a monotonic
// clock, and wait for input until a deadline. Input comes back only by the calls of
// host_input.h, which the window system turns into window messages.
//
// Three backends exist: the SDL2 host (host_sdl.cpp, the only file that includes SDL), the
// browser host (host_browser.cpp: canvases on a web page, built instead of the SDL2 host when
// VORBL_HOST is "browser") and the headless host (host_headless.cpp: virtual time, input
// injected by tests). host_choice.cpp picks one: the headless host when headless_host_use() was
// called, the build's real host otherwise.
//
// Limits: one thread; a backend is chosen once, before the first window is created.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/pixel_surface.h"

namespace platform {

using HostWindow = std::uintptr_t;  // the backend's own name for one of its windows; 0 is none
constexpr std::uint64_t kNoDeadline = UINT64_MAX;

// Where a window is and how it may be handled, as the window system lays it out (the Windows
// classic metrics). The host shows exactly the content area: the menu bar strip and the client
// area below it. Its own frame, if it has one, goes around that content.
struct HostPlacement {
    int x = 0, y = 0;           // the outer frame's top-left corner on the screen
    int width = 0, height = 0;  // the outer frame's size, frame, caption and menu bar included
    // Where the content area starts inside the outer frame on Windows: the frame's width on the
    // left; frame plus caption on top. A host without a window manager puts the content there.
    int content_left = 0, content_top = 0;
    int content_width = 0, content_height = 0;  // menu bar strip + client area
    bool resizable = false;                     // WS_THICKFRAME: the user may resize the window
    bool minimize_box = false;                  // WS_MINIMIZEBOX
    bool maximize_box = false;                  // WS_MAXIMIZEBOX
};

enum class HostShowState { normal, minimized, maximized };

struct HostBackend {
    // False for a host without a screen: pictures are made only when asked for.
    bool shows_pictures;
    // Make a hidden host window for `owner` placed as `placement` says. Returns 0 when no window
    // can be made.
    HostWindow (*create_window)(HWND owner, const char *title, const HostPlacement &placement);
    void (*destroy_window)(HostWindow window);
    void (*show_window)(HostWindow window, bool visible);
    // Move and resize a window (MoveWindow, SetWindowPos, a menu bar that changed height).
    void (*place_window)(HostWindow window, const HostPlacement &placement);
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
    // Minimise, maximise or restore the window on the desktop (ShowWindow's show states).
    void (*set_show_state)(HostWindow window, HostShowState state);
};

// The backend in use: headless when headless_host_use() was called, otherwise SDL2 on the
// desktop and the page's host in the browser (host_choice.cpp).
const HostBackend &host();
// Whether the headless host was selected (headless_host_use).
bool headless_host_selected();
const HostBackend &headless_backend();
const HostBackend &sdl_backend();
const HostBackend &browser_backend();
// Whether the SDL host found no display to open, or lost its display while the program ran.
bool sdl_host_display_failed();

}  // namespace platform
