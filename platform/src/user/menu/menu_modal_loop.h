// menu_modal_loop.h: the modal menu loop that DefWindowProcA enters, and the menu it tracks.
//
// Only one menu is tracked at a time, inside the loop; outside it there is none. The loop runs
// inside the dispatch that opened the menu, as Windows' does: timers and painting go on, the
// program sees no input until the menu closes.
#pragma once

#include <windows.h>

#include "user/menu/menu_state_machine.h"

namespace platform {

// DefWindowProcA's WM_NCLBUTTONDOWN on the bar: track the mouse from client point (x, y) (y < 0)
// in a modal loop until the menu closes.
void menu_track_mouse(HWND owner, int x, int y);
// DefWindowProcA's WM_SYSCOMMAND SC_KEYMENU: keyboard menu mode. `key` is 0 for Alt or F10
// alone (enter the bar with its first item highlighted) or the character typed with Alt.
void menu_track_keyboard(HWND owner, int key);
// The window is being destroyed: end any tracking of its menus.
void menu_window_destroyed(HWND owner);

// The state machine of the menu open on `owner`, or nullptr when none is open there.
const MenuStateMachine *menu_state_of(HWND owner);

}  // namespace platform
