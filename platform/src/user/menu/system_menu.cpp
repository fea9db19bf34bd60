// system_menu.cpp: the per-window system menu (system_menu.h) and GetSystemMenu.
//
// Items and their greying follow Windows: Restore only when minimised or maximised, Move unless
// maximised, Size only with WS_THICKFRAME in the normal state, Minimize only with WS_MINIMIZEBOX
// and not minimised, Maximize only with WS_MAXIMIZEBOX and not maximised; Close always. Choosing
// one sends WM_SYSCOMMAND with its identifier, which DefWindowProcA carries out.
// Depends on the menu calls (AppendMenuA, EnableMenuItem, DestroyMenu) and the window table.
#include "user/menu/system_menu.h"

#include <map>

#include "core/memory_exhaustion.h"
#include "user/menu/menus.h"
#include "user/window_table.h"

namespace platform {
namespace {

std::map<HWND, HMENU> &rows() {
    static std::map<HWND, HMENU> by_window;
    return by_window;
}

// Both menus or neither: a half-made pair is freed again.
HMENU make_row() {
    HMENU row = CreateMenu();
    HMENU popup = CreatePopupMenu();
    const bool made = row != nullptr && popup != nullptr &&
                      AppendMenuA(popup, MF_STRING, SC_RESTORE, "&Restore") &&
                      AppendMenuA(popup, MF_STRING, SC_MOVE, "&Move") &&
                      AppendMenuA(popup, MF_STRING, SC_SIZE, "&Size") &&
                      AppendMenuA(popup, MF_STRING, SC_MINIMIZE, "Mi&nimize") &&
                      AppendMenuA(popup, MF_STRING, SC_MAXIMIZE, "Ma&ximize") &&
                      AppendMenuA(popup, MF_SEPARATOR, 0, nullptr) &&
                      AppendMenuA(popup, MF_STRING, SC_CLOSE, "&Close\tAlt+F4") &&
                      AppendMenuA(row, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "");
    if (made) return row;
    if (row != nullptr) DestroyMenu(row);
    // Still free when the append to the row failed; destroying a destroyed menu only fails.
    if (popup != nullptr && menu_object(popup) != nullptr) DestroyMenu(popup);
    return nullptr;
}

void set_grayed(HMENU menu, UINT id, bool grayed) {
    EnableMenuItem(menu, id, MF_BYCOMMAND | (grayed ? MF_GRAYED : MF_ENABLED));
}

}  // namespace

HMENU system_menu_row(HWND owner) {
    const Window *window = find_window(owner);
    if (window == nullptr || (window->style & WS_SYSMENU) == 0) return nullptr;
    auto found = rows().find(owner);
    if (found != rows().end() && menu_object(found->second) != nullptr) return found->second;
    HMENU row = make_row();
    if (row != nullptr) rows()[owner] = row;
    return row;
}

HMENU system_menu_of(HWND owner) {
    const MenuObject *row = menu_object(system_menu_row(owner));
    return row != nullptr && !row->items.empty() ? row->items.front().submenu : nullptr;
}

void system_menu_update_states(HWND owner) {
    const Window *window = find_window(owner);
    HMENU menu = system_menu_of(owner);
    if (window == nullptr || menu == nullptr) return;
    const DWORD style = window->style;
    const bool minimised = IsIconic(owner) != FALSE;
    const bool maximised = IsZoomed(owner) != FALSE;
    const bool normal = !minimised && !maximised;
    set_grayed(menu, SC_RESTORE, normal);
    set_grayed(menu, SC_MOVE, maximised);
    set_grayed(menu, SC_SIZE, !normal || (style & WS_THICKFRAME) == 0);
    set_grayed(menu, SC_MINIMIZE, minimised || (style & WS_MINIMIZEBOX) == 0);
    set_grayed(menu, SC_MAXIMIZE, maximised || (style & WS_MAXIMIZEBOX) == 0);
}

void system_menu_window_destroyed(HWND owner) {
    auto found = rows().find(owner);
    if (found == rows().end()) return;
    const HMENU row = found->second;
    rows().erase(found);
    if (menu_object(row) != nullptr) DestroyMenu(row);
}

}  // namespace platform

extern "C" HMENU WINAPI GetSystemMenu(HWND window, BOOL revert) {
    return platform::fail_when_memory_runs_out<HMENU>(nullptr, [&]() -> HMENU {
        using namespace platform;
        if (find_window(window) == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        // Reverting drops the copy; the next request makes the standard menu again.
        if (revert != FALSE) {
            system_menu_window_destroyed(window);
            return nullptr;
        }
        return system_menu_of(window);
    });
}
