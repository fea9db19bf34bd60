// system_menu.h: the system menu of a window with WS_SYSMENU (Restore, Move, Size, Minimize,
// Maximize, Close), made the first time it is asked for and freed with its window.
//
// The menu loop tracks it through a one-item "row" menu that holds it as its only popup, so the
// system menu is reached like a title of the bar: the row is what WM_INITMENU and the title's
// WM_MENUSELECT name, the popup is what GetSystemMenu returns and WM_INITMENUPOPUP names.
// Depends on the menu objects (menus.h) and the window table.
// Limits: one copy per window; GetSystemMenu(window, TRUE) drops the copy, so the next request
// makes a fresh one.
#pragma once

#include <windows.h>

namespace platform {

// The row holding the window's system menu, made on first use; nullptr when the window has no
// WS_SYSMENU or is gone.
HMENU system_menu_row(HWND owner);
// The system menu itself (the row's popup), or nullptr.
HMENU system_menu_of(HWND owner);
// Grey the items as the window's style and show state make them (done as the menu opens).
void system_menu_update_states(HWND owner);
// The window is being destroyed: free its system menu.
void system_menu_window_destroyed(HWND owner);

}  // namespace platform
