// window_show_state.h: minimised, maximised and restored windows (ShowWindow's show states).
//
// A minimised window keeps its pixels and outer rectangle but reports a 0 x 0 client area; a
// maximised one fills the screen with its frame outside it, as on Windows. Each change is told
// with WM_SIZE (SIZE_MINIMIZED, SIZE_MAXIMIZED or SIZE_RESTORED) and carried out on the desktop
// by the host. Depends on the window table, positions, activation and the host.
#pragma once

#include <windows.h>

#include "host/host.h"

namespace platform {

// ShowWindow for the commands that change the show state (SW_MINIMIZE, SW_SHOWMINIMIZED,
// SW_SHOWMINNOACTIVE, SW_FORCEMINIMIZE, SW_SHOWMAXIMIZED, SW_RESTORE, SW_SHOWNORMAL) on a visible
// window; `activating` as the command activates.
void window_minimize(HWND handle);
void window_maximize(HWND handle, bool activating);
void window_restore(HWND handle, bool activating);

// The desktop's window manager minimised, maximised or restored the window itself.
void window_show_state_from_host(HWND handle, HostShowState state);

}  // namespace platform
