// menu_state_machine.h: the state machine of an open menu, fed one input at a time.
//
// The modal loop (menu_modal_loop.cpp) turns window messages into calls here and acts on the steps
// returned; drawing reads the highlight from here. Nothing here touches the message queue, so
// the rules (click to open, press-drag-release, mnemonics, arrows, grayed items) are testable
// on their own. Points are client coordinates of the owner: the bar lies at negative y.
// Limits: one level of popups below the bar.
#pragma once

#include <windows.h>

#include "user/menu/menu_layout.h"

namespace platform {

// What one input did to the menu.
struct TrackStep {
    bool finished = false;     // tracking is over
    bool has_command = false;  // ... and this command was chosen
    UINT command = 0;
    bool system_command = false;  // ... from the system menu (WM_SYSCOMMAND, not WM_COMMAND)
    bool leave_click = false;     // the press was outside every menu: give it to the window
    // A typed character matched no mnemonic: the loop asks the owner with WM_MENUCHAR (about
    // `char_menu`, a popup when `char_in_popup`) and hands the answer to menu_char_answer.
    bool unmatched_char = false;
    unsigned char typed = 0;
    HMENU char_menu = nullptr;
    bool char_in_popup = false;
    bool char_in_system = false;
};

// The owner's answer to WM_MENUCHAR, its high word (MNC_*).
inline constexpr int kMenuCharIgnore = 0, kMenuCharClose = 1, kMenuCharExecute = 2,
                     kMenuCharSelect = 3;

class MenuStateMachine {
public:
    // `bar` or `system` (the system menu's row) may be missing, not both.
    MenuStateMachine(HWND owner, HMENU bar, HMENU system, int bar_width, TextMeasure measure);

    // A press on the bar starts tracking; false when it hit no title (nothing to track).
    bool start_with_press(int x, int y);
    // Keyboard entry: key 0 highlights the first title, a space opens the system menu, a
    // character opens the title with that mnemonic (or runs it, if it is a command on the bar).
    // Without a bar, all of them go to the system menu.
    TrackStep start_with_key(int key);

    TrackStep press(int x, int y);
    TrackStep release(int x, int y);
    TrackStep move(int x, int y);
    // False when `vk` is not a menu key: the loop translates it so its character comes back.
    bool key_down(int vk, TrackStep &step);
    TrackStep character(unsigned char c);
    // What the owner answered to WM_MENUCHAR for the last unmatched character: `action` is one
    // of kMenuChar*, `index` the item it names. A character that entered the menu (Alt+letter)
    // and is ignored ends the menu; one typed inside it leaves the menu as it was.
    TrackStep menu_char_answer(int action, int index);

    // The tracked menu or its owner went away.
    void cancel() { finished_ = true; }
    bool finished() const { return finished_; }

    HWND owner() const { return owner_; }
    HMENU bar() const { return bar_; }
    int bar_selection() const { return on_system_ ? -1 : bar_sel_; }  // the bar's highlight
    HMENU row() const { return on_system_ ? system_ : bar_; }
    int row_selection() const { return bar_sel_; }
    bool on_system() const { return on_system_; }
    bool by_mouse() const { return by_mouse_; }  // the last change came from the mouse
    HMENU open_popup() const;                    // none when no popup is open
    int popup_selection() const { return popup_sel_; }
    RECT popup_rect() const;  // client coordinates
    PopupLayout popup_layout() const;
    BarLayout bar_layout() const;
    unsigned revision() const { return revision_; }  // bumps on every visible change
    unsigned popups_opened() const { return popups_opened_; }

private:
    const MenuObject *bar_object() const { return menu_object(bar_); }
    const MenuObject *row_object() const { return menu_object(row()); }
    void select_bar_title(int index, bool open, bool highlight_first);
    int title_at(int x, int y) const;
    int popup_item_at(int x, int y) const;  // -2 outside the popup, -1 on a separator/gap
    void select_title(int index, bool open, bool highlight_first);
    void set_popup_selection(int index);
    void step_popup_selection(int direction);
    void move_between_titles(int direction);
    TrackStep open_or_run_title();
    TrackStep choose_by_keyboard(const MenuItem &item);
    TrackStep finish(bool leave_click = false);
    TrackStep finish_with(UINT command);
    TrackStep run_highlighted();

    HWND owner_;
    HMENU bar_;
    HMENU system_;
    int bar_width_;
    TextMeasure measure_;
    int bar_sel_ = -1;
    bool popup_open_ = false;
    int popup_sel_ = -1;
    bool button_down_ = false;
    bool press_opened_ = false;      // the press now held opened the popup under it
    bool close_on_release_ = false;  // the press now held was on the open popup's title
    bool mouse_in_popup_ = false;
    bool entered_by_char_ = false;    // Alt+letter started the menu and nothing happened since
    bool on_system_ = false;          // the highlighted title is the system menu
    bool open_after_system_ = false;  // arrows passed the system menu with a popup open
    bool by_mouse_ = false;
    bool finished_ = false;
    unsigned revision_ = 0;
    unsigned popups_opened_ = 0;
};

}  // namespace platform
