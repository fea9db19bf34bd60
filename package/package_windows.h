// package_windows.h: what the package's window modules share among themselves.
//
// The window procedures, the "&Run" menu builder and start-up/shutdown are split into separate
// files by concern; these are the few routines that cross between them. Everything here runs on
// the package's one thread.
#pragma once

#include <windows.h>

namespace vorbl {

// Build the menu bar with its "&Run" popup, store the popup in run_menu and attach the bar to
// `window`. Run from the graphics window's WM_CREATE.
void build_run_menu(HWND window);

// Carry out one "&Run" command (CMD_ANIMATE .. CMD_QUIT); any other identifier does nothing.
// Menu choices and the Ctrl keys both come here, so each key does exactly what its item does.
void run_menu_command(WPARAM command);

// Copy the whole canvas to the graphics window's client area through window_dc and mark it
// clean. Does nothing but clear the flag when the canvas or the window context is missing.
void copy_canvas_to_window(void);

}  // namespace vorbl
