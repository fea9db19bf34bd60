// update_region.h: what the window calls need of the update region beyond the Win32 calls.
#pragma once

#include <windows.h>

namespace platform {

// Erases a visible window's update region now, when it is waiting to be erased: WM_ERASEBKGND
// with a DC of the window, as Windows sends it while showing or resizing a window rather than
// at the next BeginPaint. A window procedure that does not erase (returns 0) leaves the erase
// to the program: its next BeginPaint reports fErase without sending WM_ERASEBKGND again.
void window_erase_now(HWND handle);

}  // namespace platform
