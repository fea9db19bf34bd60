// menu_state_machine.cpp: the rules of an open menu bar and its popup.
//
// Depends on the menu objects and the layout. The menus are looked up again on every input, so
// a menu destroyed while it is open ends the tracking instead of being read after it was freed.
// Left and Right pass over the system menu without opening it, as Windows does; the title after
// it opens again when a popup was open before.
// Keyboard rules: a mnemonic or Enter on a grayed item closes the menu without a command; the
// mouse never runs a grayed item or a separator and leaves the menu open instead.
#include "user/menu/menu_state_machine.h"

#include <algorithm>
#include <utility>

namespace platform {
namespace {

bool item_is_popup(const MenuItem &item) { return (item.flags & MF_POPUP) != 0; }

int first_selectable(const MenuObject &menu) {
    for (std::size_t i = 0; i < menu.items.size(); ++i) {
        if (!menu_item_is_separator(menu.items[i])) return static_cast<int>(i);
    }
    return -1;
}

// A character no item has: the loop asks the owner about it.
TrackStep unmatched(unsigned char c, HMENU menu, bool in_popup, bool in_system) {
    TrackStep step;
    step.unmatched_char = true;
    step.typed = c;
    step.char_menu = menu;
    step.char_in_popup = in_popup;
    step.char_in_system = in_system;
    return step;
}

}  // namespace

MenuStateMachine::MenuStateMachine(HWND owner, HMENU bar, HMENU system, int bar_width,
                                   TextMeasure measure)
    : owner_(owner),
      bar_(bar),
      system_(system),
      bar_width_(bar_width),
      measure_(std::move(measure)) {}

BarLayout MenuStateMachine::bar_layout() const {
    const MenuObject *bar = bar_object();
    return bar != nullptr ? layout_menu_bar(*bar, bar_width_, measure_) : BarLayout{};
}

HMENU MenuStateMachine::open_popup() const {
    const MenuObject *bar = row_object();
    if (!popup_open_ || bar == nullptr || bar_sel_ < 0 ||
        static_cast<std::size_t>(bar_sel_) >= bar->items.size()) {
        return nullptr;
    }
    const HMENU popup = bar->items[static_cast<std::size_t>(bar_sel_)].submenu;
    return menu_object(popup) != nullptr ? popup : nullptr;
}

PopupLayout MenuStateMachine::popup_layout() const {
    const MenuObject *popup = menu_object(open_popup());
    return popup != nullptr ? layout_popup(*popup, measure_) : PopupLayout{};
}

RECT MenuStateMachine::popup_rect() const {
    const BarLayout bar = bar_layout();
    if (open_popup() == nullptr) return RECT{0, 0, 0, 0};
    const PopupLayout popup = popup_layout();
    if (on_system_) {
        // The system menu opens at the window's top-left, where Windows has its title icon.
        return RECT{0, -bar.height, popup.width, popup.height - bar.height};
    }
    if (static_cast<std::size_t>(bar_sel_) >= bar.items.size()) return RECT{0, 0, 0, 0};
    const RECT &title = bar.items[static_cast<std::size_t>(bar_sel_)];
    // Below the title, moved left if it would leave the window on the right.
    const int left = std::max(0, std::min<int>(title.left, bar_width_ - popup.width));
    const int top = title.bottom - bar.height;
    return RECT{left, top, left + popup.width, top + popup.height};
}

int MenuStateMachine::title_at(int x, int y) const {
    const BarLayout bar = bar_layout();
    return rect_index_at(bar.items, x, y + bar.height);
}

int MenuStateMachine::popup_item_at(int x, int y) const {
    const RECT area = popup_rect();
    if (x < area.left || x >= area.right || y < area.top || y >= area.bottom) return -2;
    const MenuObject *popup = menu_object(open_popup());
    const int index = rect_index_at(popup_layout().items, x - area.left, y - area.top);
    if (index < 0 || menu_item_is_separator(popup->items[static_cast<std::size_t>(index)])) {
        return -1;
    }
    return index;
}

void MenuStateMachine::select_bar_title(int index, bool open, bool highlight_first) {
    on_system_ = false;
    open_after_system_ = false;
    select_title(index, open, highlight_first);
}

// Highlight title `index` of the row (opening its popup when asked).
void MenuStateMachine::select_title(int index, bool open, bool highlight_first) {
    const MenuObject *bar = row_object();
    const bool was_open = open_popup() != nullptr;
    const int was_sel = bar_sel_;
    bar_sel_ = index;
    popup_open_ = open && bar != nullptr && index >= 0 &&
                  static_cast<std::size_t>(index) < bar->items.size() &&
                  item_is_popup(bar->items[static_cast<std::size_t>(index)]);
    const MenuObject *popup = menu_object(open_popup());
    popup_sel_ = (highlight_first && popup != nullptr) ? first_selectable(*popup) : -1;
    if (popup != nullptr && (!was_open || was_sel != index)) ++popups_opened_;
    ++revision_;
}

void MenuStateMachine::set_popup_selection(int index) {
    if (index == popup_sel_) return;
    popup_sel_ = index;
    ++revision_;
}

// Move the popup highlight up or down, wrapping around and stepping over separators.
void MenuStateMachine::step_popup_selection(int direction) {
    const MenuObject *popup = menu_object(open_popup());
    if (popup == nullptr || popup->items.empty()) return;
    const int count = static_cast<int>(popup->items.size());
    int index = popup_sel_ >= 0 ? popup_sel_ : (direction > 0 ? count - 1 : 0);
    for (int tried = 0; tried < count; ++tried) {
        index = (index + direction + count) % count;
        if (!menu_item_is_separator(popup->items[static_cast<std::size_t>(index)])) {
            set_popup_selection(index);
            return;
        }
    }
}

TrackStep MenuStateMachine::finish(bool leave_click) {
    finished_ = true;
    ++revision_;
    TrackStep step;
    step.finished = true;
    step.leave_click = leave_click;
    return step;
}

TrackStep MenuStateMachine::finish_with(UINT command) {
    TrackStep step = finish();
    step.has_command = true;
    step.command = command;
    step.system_command = on_system_;
    return step;
}

TrackStep MenuStateMachine::choose_by_keyboard(const MenuItem &item) {
    if (menu_item_runs_command(item)) return finish_with(item.id);
    if (menu_item_is_inactive(item)) return finish();
    return TrackStep{};
}

TrackStep MenuStateMachine::run_highlighted() {
    const MenuObject *popup = menu_object(open_popup());
    if (popup == nullptr || popup_sel_ < 0 ||
        static_cast<std::size_t>(popup_sel_) >= popup->items.size()) {
        return TrackStep{};
    }
    return choose_by_keyboard(popup->items[static_cast<std::size_t>(popup_sel_)]);
}

TrackStep MenuStateMachine::open_or_run_title() {
    const MenuObject *bar = row_object();
    if (bar == nullptr || bar->items.empty()) return finish();
    if (bar_sel_ < 0 || static_cast<std::size_t>(bar_sel_) >= bar->items.size()) bar_sel_ = 0;
    const MenuItem &title = bar->items[static_cast<std::size_t>(bar_sel_)];
    if (item_is_popup(title)) {
        select_title(bar_sel_, true, true);
        return TrackStep{};
    }
    return choose_by_keyboard(title);
}

bool MenuStateMachine::start_with_press(int x, int y) {
    const int title = title_at(x, y);
    if (title < 0) return false;
    by_mouse_ = true;
    select_bar_title(title, true, false);
    press_opened_ = true;
    button_down_ = true;
    return true;
}

TrackStep MenuStateMachine::start_with_key(int key) {
    const MenuObject *bar = bar_object();
    const bool has_bar = bar != nullptr && !bar->items.empty();
    const bool has_system = menu_object(system_) != nullptr;
    if (key == ' ' && has_system) {
        on_system_ = true;
        select_title(0, true, true);
        return TrackStep{};
    }
    if (!has_bar && !has_system) return finish();
    on_system_ = !has_bar;
    if (key == 0) {
        select_title(0, false, false);
        return TrackStep{};
    }
    if (key < 0x20 || key > 0xFF) return finish();
    entered_by_char_ = true;
    return character(static_cast<unsigned char>(key));
}

TrackStep MenuStateMachine::press(int x, int y) {
    if (row_object() == nullptr) return finish();
    by_mouse_ = true;
    button_down_ = true;
    const int title = title_at(x, y);
    if (title >= 0) {
        // Pressing the title whose popup is open closes the menu when the button comes up, so
        // the release is the menu's too and does not reach the window.
        if (!on_system_ && title == bar_sel_ && open_popup() != nullptr) {
            close_on_release_ = true;
            return TrackStep{};
        }
        select_bar_title(title, true, false);
        press_opened_ = true;
        return TrackStep{};
    }
    const int item = popup_item_at(x, y);
    if (item == -2) return finish(true);
    set_popup_selection(item);
    return TrackStep{};
}

TrackStep MenuStateMachine::release(int x, int y) {
    if (row_object() == nullptr) return finish();
    const MenuObject *bar = bar_object();
    by_mouse_ = true;
    button_down_ = false;
    if (std::exchange(close_on_release_, false)) return finish();
    const bool press_opened = std::exchange(press_opened_, false);
    const int item = popup_item_at(x, y);
    if (item >= 0) {
        const MenuItem &chosen = menu_object(open_popup())->items[static_cast<std::size_t>(item)];
        // Grayed items and separators keep the menu open under the mouse.
        return menu_item_runs_command(chosen) ? finish_with(chosen.id) : TrackStep{};
    }
    const int title = title_at(x, y);
    if (title >= 0 && !on_system_ && title == bar_sel_ && press_opened &&
        !item_is_popup(bar->items[static_cast<std::size_t>(title)])) {
        const MenuItem &command = bar->items[static_cast<std::size_t>(title)];
        return menu_item_runs_command(command) ? finish_with(command.id) : finish();
    }
    return TrackStep{};
}

TrackStep MenuStateMachine::move(int x, int y) {
    if (row_object() == nullptr) return finish();
    by_mouse_ = true;
    const int title = title_at(x, y);
    if (title >= 0) {
        mouse_in_popup_ = false;
        if ((on_system_ || title != bar_sel_) && (open_popup() != nullptr || button_down_)) {
            select_bar_title(title, true, false);
        }
        return TrackStep{};
    }
    const int item = popup_item_at(x, y);
    if (item != -2) {
        mouse_in_popup_ = true;
        set_popup_selection(item);
    } else if (mouse_in_popup_) {
        // Leaving the popup drops the highlight; a keyboard highlight survives stray moves.
        mouse_in_popup_ = false;
        set_popup_selection(-1);
    }
    return TrackStep{};
}

// The titles in order are the system menu (when there is one) and then the bar's, wrapping.
void MenuStateMachine::move_between_titles(int direction) {
    const MenuObject *bar = bar_object();
    const int titles = bar != nullptr ? static_cast<int>(bar->items.size()) : 0;
    const int first_title = menu_object(system_) != nullptr ? 1 : 0;
    const int count = titles + first_title;
    if (titles == 0) return;  // the system menu alone: nowhere to go
    const int from = on_system_ ? 0 : std::max(bar_sel_, 0) + first_title;
    const int to = (from + direction + count) % count;
    const bool open = open_popup() != nullptr || open_after_system_;
    if (to < first_title) {
        open_after_system_ = open;
        on_system_ = true;
        select_title(0, false, false);
        return;
    }
    select_bar_title(to - first_title, open, true);
}

bool MenuStateMachine::key_down(int vk, TrackStep &step) {
    step = TrackStep{};
    by_mouse_ = false;
    const MenuObject *bar = row_object();
    if (bar == nullptr || bar->items.empty()) {
        step = finish();
        return true;
    }
    const bool popup_shown = open_popup() != nullptr;
    switch (vk) {
        // Alt or F10 pressed again leaves the menu as it goes down.
        case VK_MENU:
        case VK_F10: step = finish(); return true;
        // Esc closes one level: an open popup falls back to its highlighted title, then the bar
        // is left.
        case VK_ESCAPE:
            open_after_system_ = false;
            if (popup_shown) {
                select_title(bar_sel_, false, false);
            } else {
                step = finish();
            }
            return true;
        case VK_LEFT: move_between_titles(-1); return true;
        case VK_RIGHT: move_between_titles(1); return true;
        case VK_DOWN:
        case VK_UP:
            if (!popup_shown)
                step = open_or_run_title();
            else
                step_popup_selection(vk == VK_DOWN ? 1 : -1);
            return true;
        case VK_RETURN: step = popup_shown ? run_highlighted() : open_or_run_title(); return true;
        case VK_SPACE: step = popup_shown ? run_highlighted() : TrackStep{}; return true;
        default: return false;
    }
}

TrackStep MenuStateMachine::character(unsigned char c) {
    const MenuObject *bar = row_object();
    if (bar == nullptr) return finish();
    by_mouse_ = false;
    if (c < 0x20) return TrackStep{};
    if (const MenuObject *popup = menu_object(open_popup())) {
        const int index = find_item_by_mnemonic(*popup, c);
        if (index < 0) return unmatched(c, open_popup(), true, on_system_);
        entered_by_char_ = false;
        set_popup_selection(index);
        return choose_by_keyboard(popup->items[static_cast<std::size_t>(index)]);
    }
    const int title = find_item_by_mnemonic(*bar, c);
    if (title < 0) return unmatched(c, row(), false, on_system_);
    entered_by_char_ = false;
    bar_sel_ = title;
    return open_or_run_title();
}

TrackStep MenuStateMachine::menu_char_answer(int action, int index) {
    const bool entering = std::exchange(entered_by_char_, false);
    const HMENU target = open_popup() != nullptr ? open_popup() : row();
    const MenuObject *menu = menu_object(target);
    if (menu == nullptr || action == kMenuCharClose) return finish();
    const bool valid = index >= 0 && static_cast<std::size_t>(index) < menu->items.size() &&
                       !menu_item_is_separator(menu->items[static_cast<std::size_t>(index)]);
    if ((action == kMenuCharExecute || action == kMenuCharSelect) && valid) {
        if (target != row()) {
            set_popup_selection(index);
            if (action == kMenuCharSelect) return TrackStep{};
            return choose_by_keyboard(menu->items[static_cast<std::size_t>(index)]);
        }
        if (action == kMenuCharSelect) {
            select_title(index, false, false);
            return TrackStep{};
        }
        bar_sel_ = index;
        return open_or_run_title();
    }
    // Ignored: the loop beeps. Alt with a letter no title has ends the menu it opened.
    return entering ? finish() : TrackStep{};
}

}  // namespace platform
