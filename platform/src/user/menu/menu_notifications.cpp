// menu_notifications.cpp: WM_MENUSELECT, WM_INITMENUPOPUP and WM_UNINITMENUPOPUP as a menu
// changes (menu_notifications.h).
//
// WM_MENUSELECT names a command item by its identifier and a popup item by its position, with the
// item's state flags and MF_HILITE; lParam is the menu holding the item. Each message is sent
// with the menu looked up again, since the owner may change or destroy menus while it handles
// the one before.
#include "user/menu/menu_notifications.h"

#include "user/menu/system_menu.h"

namespace platform {
namespace {

constexpr UINT kShownFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP;

// `extra` adds MF_SYSMENU and MF_MOUSESELECT to the item's own flags.
void send_select(HWND owner, HMENU menu, int index, UINT extra) {
    const MenuObject *object = menu_object(menu);
    if (object == nullptr || index < 0 || static_cast<std::size_t>(index) >= object->items.size()) {
        return;
    }
    const MenuItem &item = object->items[static_cast<std::size_t>(index)];
    const bool popup = (item.flags & MF_POPUP) != 0;
    const UINT id = popup ? static_cast<UINT>(index) : item.id;
    const UINT flags = (item.flags & kShownFlags) | MF_HILITE | extra;
    SendMessageA(owner, WM_MENUSELECT, MAKEWPARAM(id, flags), reinterpret_cast<LPARAM>(menu));
}

}  // namespace

void MenuNotifications::follow(const MenuStateMachine &tracker) {
    const HMENU popup = tracker.open_popup();
    const bool reopened = popup != nullptr && tracker.popups_opened() != popups_opened_;
    if (popup_ != nullptr && (popup != popup_ || reopened)) {
        SendMessageA(owner_, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(popup_), 0);
        popup_ = nullptr;
        popup_sel_ = -1;
    }
    const UINT extra = (tracker.on_system() ? MF_SYSMENU : 0U) |
                       (tracker.by_mouse() ? static_cast<UINT>(MF_MOUSESELECT) : 0U);
    if (tracker.row() != row_ || tracker.row_selection() != row_sel_) {
        row_ = tracker.row();
        row_sel_ = tracker.row_selection();
        send_select(owner_, row_, row_sel_, extra);
    }
    if (popup != nullptr && popup != popup_) {
        popup_ = popup;
        popups_opened_ = tracker.popups_opened();
        popup_sel_ = -1;
        if (tracker.on_system()) system_menu_update_states(owner_);
        SendMessageA(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
                     MAKELPARAM(tracker.row_selection(), tracker.on_system() ? TRUE : FALSE));
    }
    if (popup_ != nullptr && tracker.popup_selection() != popup_sel_) {
        popup_sel_ = tracker.popup_selection();
        send_select(owner_, popup_, popup_sel_, extra);
    }
}

void MenuNotifications::close() {
    if (popup_ != nullptr) {
        SendMessageA(owner_, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(popup_), 0);
        popup_ = nullptr;
    }
    SendMessageA(owner_, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
}

}  // namespace platform
