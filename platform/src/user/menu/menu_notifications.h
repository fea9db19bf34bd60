// menu_notifications.h: the messages that tell a menu's owner what the open menu shows.
//
// The state machine only changes state; this compares what the owner was last told with what
// the menu shows now and sends, in Windows' order, WM_UNINITMENUPOPUP for a popup that closed,
// WM_MENUSELECT for a newly highlighted title, WM_INITMENUPOPUP for a popup that opened and
// WM_MENUSELECT for a newly highlighted item; and on close, the final WM_MENUSELECT with flags
// 0xFFFF and no menu. Items of the system menu and its title carry MF_SYSMENU; a highlight the
// mouse made carries MF_MOUSESELECT, as Microsoft documents it. A highlight that goes away (the
// mouse leaving a popup) is not announced, as on Windows. The system menu's items are greyed
// for the window's style and state just before its WM_INITMENUPOPUP.
// Depends on the state machine, the system menu and SendMessageA.
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
    HMENU row_ = nullptr;
    int row_sel_ = -1;
    HMENU popup_ = nullptr;
    int popup_sel_ = -1;
    unsigned popups_opened_ = 0;
};

}  // namespace platform
