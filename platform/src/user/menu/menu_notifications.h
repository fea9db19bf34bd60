// menu_notifications.h: the messages that tell a menu's owner what the open menu shows.
//
// The state machine only changes state; this compares what the owner was last told with what
// the menu shows now and sends, in Windows' order, WM_UNINITMENUPOPUP for a popup that closed,
// WM_MENUSELECT for a newly highlighted title, WM_INITMENUPOPUP for a popup that opened and
// WM_MENUSELECT for a newly highlighted item; and on close, the final WM_MENUSELECT with flags
// 0xFFFF and no menu. Depends on the state machine and SendMessageA.
// Limits: a highlight that goes away (the mouse leaving a popup) is not announced.
#pragma once

#include <windows.h>

#include "user/menu/menu_state_machine.h"

namespace platform {

class MenuNotifications {
public:
    explicit MenuNotifications(HWND owner) : owner_(owner) {}

    // Tell the owner what changed since the last call (nothing before the first).
    void follow(const MenuStateMachine &tracker);
    // The menu closes: the open popup goes and the selection ends.
    void close();

private:
    HWND owner_;
    int bar_sel_ = -1;
    HMENU popup_ = nullptr;
    int popup_sel_ = -1;
    unsigned popups_opened_ = 0;
};

}  // namespace platform
