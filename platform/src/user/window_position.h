// window_position.h: moving and sizing windows (SetWindowPos, MoveWindow, a menu bar that
// changed, a user's move or resize on the desktop), with the messages Windows sends for it.
#pragma once

#include <windows.h>

namespace platform {

// Flags Windows adds to a WINDOWPOS on its own, telling DefWindowProcA's WM_WINDOWPOSCHANGED
// that the client area kept its size or its place (so no WM_SIZE or WM_MOVE follows).
constexpr UINT kSwpNoClientSize = 0x0800;
constexpr UINT kSwpNoClientMove = 0x1000;

// Who asked for the change: the program (the host window is moved to match) or the host itself
// (the desktop already shows the new place or size).
enum class PositionSource { program, host };

// SetWindowPos: WM_WINDOWPOSCHANGING (whose WINDOWPOS the window procedure may change), the new
// rectangle and layout, then WM_WINDOWPOSCHANGED, whose default handling sends WM_MOVE and
// WM_SIZE. Nothing but WM_WINDOWPOSCHANGING is sent when nothing changes. Activates the window
// unless SWP_NOACTIVATE. FALSE with ERROR_INVALID_WINDOW_HANDLE for a bad handle.
BOOL window_set_position(HWND handle, HWND insert_after, int x, int y, int width, int height,
                         UINT flags, PositionSource source);

// DefWindowProcA's WM_WINDOWPOSCHANGED: WM_MOVE unless the client did not move, then WM_SIZE
// unless it kept its size.
void window_position_changed_default(HWND handle, const WINDOWPOS *position);

}  // namespace platform
