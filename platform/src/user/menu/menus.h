// menus.h: the menu objects behind HMENU, shared by the menu calls, layout, drawing and tracking.
//
// A menu is a list of items (strings, separators, popups). Handles are small numbers handed out
// once and never reused, so a stale handle is recognised as dead instead of reaching another menu.
// Each menu records the menu that holds it as a popup (at most one) and the window that shows it
// as its bar (at most one), so destroying either side leaves nothing dangling.
// Limits: one thread; item text is stored as given (Windows-1252 bytes).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct MenuItem {
    UINT flags = 0;           // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_POPUP, MF_SEPARATOR
    UINT id = 0;              // command identifier (0 for separators and popups)
    HMENU submenu = nullptr;  // the popup shown by an MF_POPUP item (none once it was destroyed)
    std::string text;         // as given, with '&' marks and an optional "\t" label
};

struct MenuObject {
    std::vector<MenuItem> items;
    HMENU parent = nullptr;  // the menu holding this one as a popup
    HWND owner = nullptr;    // the window showing this one as its menu bar
};

// The live menu behind a handle, or nullptr for a handle that is not (or no longer) a menu.
MenuObject *menu_object(HMENU menu);

// True when choosing the item would send a command: a string item, neither grayed nor disabled,
// not a separator and not a popup.
bool menu_item_runs_command(const MenuItem &item);
bool menu_item_is_separator(const MenuItem &item);
bool menu_item_is_inactive(const MenuItem &item);  // grayed or disabled

// Item text as shown: '&' marks removed ("&&" shows one '&'), the text after the first '\t'
// separated out as a right-aligned label, and the mnemonic found.
struct MenuItemText {
    std::string text;            // the part before '\t', as drawn
    std::string label;           // the part after '\t', as drawn (may be empty)
    int mnemonic_index = -1;     // index in `text` of the underlined character, or -1
    unsigned char mnemonic = 0;  // that character folded to lower case, or 0
};
MenuItemText split_menu_text(std::string_view raw);

// Case-insensitive comparison of a typed character with a mnemonic (Windows-1252 letters).
unsigned char fold_menu_char(unsigned char c);

// Index of the first item of `menu` whose mnemonic is `typed`, or -1.
int find_item_by_mnemonic(const MenuObject &menu, unsigned char typed);

// Free the menu bar (and its popups) of a window that is being destroyed.
void menus_window_destroyed(HWND owner);

// A menu is being destroyed: tracking that shows it ends (menu_modal_loop.cpp).
void menu_tracking_forget_menu(HMENU menu);

}  // namespace platform
