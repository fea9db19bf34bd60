// window_layout.h: how a window's outer rectangle divides, as classic Windows lays it out, into
// the frame, the caption, the menu bar and the client area; and the menu bar's attachment.
//
// The metrics are Windows' classic ones (GetSystemMetrics reports the same): a fixed frame of 3
// pixels for a captioned window without WS_THICKFRAME, a sizing frame of 4 with it, a caption of
// 19 and a menu bar of 19 per row. A host draws its own frame around the content (menu bar and
// client), but the client size is the same on every host: 595 x 496 for an outer 601 x 540
// window with WS_CAPTION | WS_SYSMENU and a one-row menu bar.
#pragma once

#include <windows.h>

#include "host/host.h"
#include "user/window_table.h"

namespace platform {

constexpr int kCaptionHeight = 19;  // SM_CYCAPTION
constexpr int kFixedFrame = 3;      // SM_CXFIXEDFRAME, SM_CYFIXEDFRAME
constexpr int kSizingFrame = 4;     // SM_CXSIZEFRAME, SM_CYSIZEFRAME
constexpr int kMenuBarHeight = 19;  // SM_CYMENU: one row of the menu bar

// The widths of the non-client parts on each side of the content area (the menu bar is part of
// the content and not counted here): frame on all sides, plus the caption on top.
struct NonClientEdges {
    int left = 0, top = 0, right = 0, bottom = 0;
};
NonClientEdges nonclient_edges(DWORD style);

// Work out the menu bar and client area from the window's outer size, style and menu; resizes
// the window's pixels. Returns true when the client size changed.
bool window_relayout(Window &window);
// The screen position of client pixel (0, 0).
POINT window_client_origin(const Window &window);
// The placement a host needs to show the window as laid out.
HostPlacement window_placement(const Window &window);

// Send WM_SIZE with the client size, and WM_MOVE with the client origin.
void window_send_size(HWND handle);
void window_send_move(HWND handle);

// SetMenu: attach `menu` (or none) as the window's menu bar and lay the window out again, as
// Windows does with a frame change (WM_WINDOWPOSCHANGING / -CHANGED, then WM_MOVE and WM_SIZE
// when the client area moved or changed size). Returns FALSE for a bad window handle.
BOOL window_attach_menu(HWND handle, HMENU menu);
// GetMenu: the menu bar attached to the window, or none.
HMENU window_attached_menu(HWND handle);
// DrawMenuBar and changes of the bar's items: lay the bar out again (it may wrap to more rows).
void window_menu_changed(HWND handle);

}  // namespace platform
