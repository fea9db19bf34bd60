// host.h: the contract between the portable window system and a real or simulated screen.
//
// A host backend is a small table of functions: create, show and destroy a host window of an
// outer size at a position, present a window's composed picture, report the screen size and a
// monotonic clock, and wait for input until a deadline. Input comes back by calls into the
// window system (the host_input_* functions below), which turn it into window messages.
//
// Two backends exist: the SDL2 host (host_sdl.cpp, the only file that includes SDL) and the
// headless host (host_headless.cpp: virtual time, input injected by tests). The headless host is
// chosen by headless_host_use(); otherwise the SDL2 host is used.
//
// Limits: one thread; a backend is chosen once, before the first window is created.
#pragma once

#include <windows.h>

#include <cstdint>

#include "pixel_surface.h"

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
    // Put the composed picture (menu bar + client + overlay) on the screen.
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

// The backend in use: headless when headless_host_use() was called, SDL2 otherwise.
const HostBackend &host();
const HostBackend &headless_backend();
const HostBackend &sdl_backend();

// ---- Implemented by the window system, called by the hosts -------------------------------
// A key went down or up on the keyboard. `vk` is the Windows virtual-key code (generic
// VK_SHIFT / VK_CONTROL / VK_MENU), `scan` the set-1 scan code, `extended` the right-hand or
// grey-key flag. A key-down while the key is already down is a typematic repeat. Goes to the
// focused window.
void host_input_key(int vk, int scan, bool extended, bool down);
// The host's text for the last key-down, when its layout gives a character the US table does not
// (a Windows-1252 byte; '?' when it has none): remembered for that key's scan code with the
// Shift and Alt keys as they are now.
void host_input_text(int scan, unsigned char code);
// The left button went down (`down`) or up, or the mouse moved (`move`), at (x, y) in the
// window's content area (the menu bar strip is at its top).
void host_input_mouse(HWND window, bool move, bool down, int x, int y);
// The user asked to close the window.
void host_input_close(HWND window);
// The window's content must be drawn again (exposed).
void host_input_expose(HWND window);
// The window received the keyboard focus from the desktop.
void host_input_focus(HWND window);
// The window's content area changed size (the desktop resized it).
void host_input_content_size(HWND window, int width, int height);

}  // namespace platform
