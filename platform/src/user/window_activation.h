// window_activation.h: the active window, the stacking order of top-level windows, and the
// activation messages Windows sends when they change.
//
// Activating a window sends the window losing activation WM_NCACTIVATE(FALSE) and
// WM_ACTIVATE(WA_INACTIVE), then the new one WM_NCACTIVATE(TRUE) and WM_ACTIVATE; DefWindowProcA's
// WM_ACTIVATE gives it the keyboard focus. The first activation in the program, and the last
// deactivation, also send WM_ACTIVATEAPP to every window.
#pragma once

#include <windows.h>

namespace platform {

// The active window, or nullptr.
HWND active_window();
// A new window goes on top of the stacking order; a destroyed one leaves it.
void z_order_add(HWND window);
void z_order_remove(HWND window);
void z_order_to_top(HWND window);
void z_order_to_bottom(HWND window);

// Make `window` the active window (`how` is WA_ACTIVE or WA_CLICKACTIVE) and put it on top.
// Nothing happens when it is active already.
void window_activate(HWND window, WORD how);
// A window restored from an icon is activated again: when it stayed the active window while
// minimised, it takes the focus back and hears WM_ACTIVATE again.
void window_activate_restored(HWND window);
// A button press is retrieved: on a window that is not the active one it first asks the window
// with WM_MOUSEACTIVATE, then activates it (WA_CLICKACTIVE) unless answered MA_NOACTIVATE or
// MA_NOACTIVATEANDEAT. Returns true when the answer eats the press (the ...ANDEAT answers).
bool window_click_activation(const MSG &press);
// `window` is being hidden or destroyed: if it is active, activation passes to the topmost
// other visible window (or to none), and a focus inside it is taken away.
void window_pass_activation(HWND window);

}  // namespace platform
