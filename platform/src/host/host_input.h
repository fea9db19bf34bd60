// host_input.h: every call a host backend makes back into the window system, and nothing else.
//
// A backend reports what happened on its screen through these calls; the window system turns
// them into window messages in the input queue (user/host_input.cpp). Besides host.h, this
// header and the small shared pieces of core/, a backend uses nothing of the window system.
//
// Limits: one thread; calls are made from inside the backend's collect_input and wait_input.
#pragma once

#include <windows.h>

#include "host/host.h"

namespace platform {

// A key went down or up on the keyboard. `vk` is the Windows virtual-key code (generic
// VK_SHIFT / VK_CONTROL / VK_MENU), `scan` the set-1 scan code, `extended` the right-hand or
// grey-key flag. A key-down while the key is already down is a typematic repeat. Goes to the
// focused window.
void host_input_key(int vk, int scan, bool extended, bool down);
// The character the host's layout typed with the last key-down `vk` (scan code `scan`), as a
// Windows-1252 byte ('?' when it has none). Where the US table gives another character for
// that key and the modifiers as they are now, the byte is remembered for the scan code, so that
// TranslateMessage gives it.
void host_input_text(int vk, int scan, unsigned char code);
// The desktop's CapsLock state, sent with every key so the toggle follows the real keyboard.
void host_input_caps_lock(bool on);
// The left button went down (`down`) or up, or the mouse moved (`move`), at (x, y) in the
// window's content area (the menu bar strip is at its top).
void host_input_mouse(HWND handle, bool move, bool down, int x, int y);
// The user asked to close the window.
void host_input_close(HWND handle);
// The window's content must be drawn again (exposed).
void host_input_expose(HWND handle);
// The window received the keyboard focus from the desktop: it becomes the active window.
void host_input_focus(HWND handle);
// The user resized the window: its content area (menu bar strip + client area) is now this size.
void host_input_content_size(HWND handle, int width, int height);
// The desktop minimised, maximised or restored the window.
void host_input_show_state(HWND handle, HostShowState state);
// The user moved the window: its outer frame's top-left corner is now at (x, y) on the screen.
void host_input_moved(HWND handle, int x, int y);
// The first row of the client area in the window's content area (the height of the menu bar
// strip above it), for hosts that are given client coordinates.
int host_input_client_top(HWND handle);

}  // namespace platform
