// menus.cpp: the menu calls (CreateMenu ... GetMenuState, EnableMenuItem) and the registry of live
// menus.
//
// Depends on the window system for attaching a bar to a window (user/window_layout.h) and on the
// tracking module to stop tracking a menu that goes away. Every live menu is counted in
// object_counts::menus. Destroying a menu destroys its popups, as Windows does; a destroyed popup
// is also unhooked from the menu that held it, and a destroyed bar from its window, so no handle to
// a freed menu is left anywhere. A window that is destroyed takes its bar with it.
#include "user/menu/menus.h"
#include "core/memory_exhaustion.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "core/handle_kinds.h"
#include "core/object_counts.h"
#include "user/window_layout.h"

namespace platform {
namespace {

// Handles count up and are never reused: a stale one never names a new menu. They carry the menu
// tag of core/handle_kinds.h, so no window, device context or GDI object has a menu's number.
constexpr std::uintptr_t kFirstMenuHandle = 0x4d000 + kMenuHandleTag;
static_assert(starts_kind(kFirstMenuHandle, kMenuHandleTag));
std::uintptr_t next_handle_value = kFirstMenuHandle;
std::map<HMENU, std::unique_ptr<MenuObject>> &registry() {
    static std::map<HMENU, std::unique_ptr<MenuObject>> menus;
    return menus;
}

HMENU create_menu() {
    HMENU handle = reinterpret_cast<HMENU>(next_handle_value);
    next_handle_value += kHandleStep;
    registry().emplace(handle, std::make_unique<MenuObject>());
    ++object_counts::menus;
    return handle;
}

constexpr UINT kStoredFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR;

// True when `candidate` is `menu` or holds it, directly or further up: adding it as a popup of
// `menu` would make a cycle.
bool is_self_or_ancestor(HMENU candidate, HMENU menu) {
    for (HMENU m = menu; m != nullptr;) {
        if (m == candidate) return true;
        const MenuObject *object = menu_object(m);
        m = object != nullptr ? object->parent : nullptr;
    }
    return false;
}

// The item addressed by position or by command; by command the search goes depth-first into
// popups, as Windows does, and popup items themselves are never matched by command.
MenuItem *find_item(HMENU menu, UINT item, UINT flags) {
    MenuObject *object = menu_object(menu);
    if (object == nullptr) return nullptr;
    if ((flags & MF_BYPOSITION) != 0) {
        return item < object->items.size() ? &object->items[item] : nullptr;
    }
    for (MenuItem &entry : object->items) {
        if ((entry.flags & MF_POPUP) != 0) {
            if (MenuItem *found = find_item(entry.submenu, item, flags)) return found;
        } else if ((entry.flags & MF_SEPARATOR) == 0 && entry.id == item) {
            return &entry;
        }
    }
    return nullptr;
}

void unhook_from_parent(HMENU menu, const MenuObject &object) {
    MenuObject *parent = menu_object(object.parent);
    if (parent == nullptr) return;
    for (MenuItem &entry : parent->items) {
        if (entry.submenu == menu) entry.submenu = nullptr;
    }
}

// Free `menu` and its popups. The popups' parent links point back here, so they are not
// unhooked one by one; only the top menu is unhooked from its own parent and window.
void destroy_tree(HMENU menu) {
    auto found = registry().find(menu);
    if (found == registry().end()) return;
    std::unique_ptr<MenuObject> object = std::move(found->second);
    registry().erase(found);
    --object_counts::menus;
    menu_tracking_forget_menu(menu);
    for (const MenuItem &entry : object->items) {
        if (entry.submenu != nullptr) destroy_tree(entry.submenu);
    }
}

bool append_popup(MenuObject &object, HMENU menu, HMENU popup, UINT flags, LPCSTR text) {
    MenuObject *child = menu_object(popup);
    if (child == nullptr || child->parent != nullptr || child->owner != nullptr ||
        is_self_or_ancestor(popup, menu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return false;
    }
    child->parent = menu;
    object.items.push_back({flags & kStoredFlags, 0, popup, text != nullptr ? text : ""});
    return true;
}

}  // namespace

MenuObject *menu_object(HMENU menu) {
    auto found = registry().find(menu);
    return found == registry().end() ? nullptr : found->second.get();
}

bool menu_item_is_separator(const MenuItem &item) { return (item.flags & MF_SEPARATOR) != 0; }

bool menu_item_is_inactive(const MenuItem &item) {
    return (item.flags & (MF_GRAYED | MF_DISABLED)) != 0;
}

bool menu_item_runs_command(const MenuItem &item) {
    return !menu_item_is_separator(item) && !menu_item_is_inactive(item) &&
           (item.flags & MF_POPUP) == 0;
}

unsigned char fold_menu_char(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + ('a' - 'A'));
    // Windows-1252 upper-case letters À..Þ (except ×) fold 0x20 up, like ASCII.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    return c;
}

MenuItemText split_menu_text(std::string_view raw) {
    MenuItemText result;
    std::string *target = &result.text;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '\t' && target == &result.text) {
            target = &result.label;
        } else if (c == '&' && i + 1 < raw.size() && raw[i + 1] == '&') {
            target->push_back('&');
            ++i;
        } else if (c == '&') {
            // The first single '&' marks the mnemonic; a trailing one marks nothing.
            if (i + 1 < raw.size() && result.mnemonic == 0 && target == &result.text &&
                raw[i + 1] != '\t') {
                result.mnemonic_index = static_cast<int>(result.text.size());
                result.mnemonic = fold_menu_char(static_cast<unsigned char>(raw[i + 1]));
            }
        } else {
            target->push_back(c);
        }
    }
    return result;
}

int find_item_by_mnemonic(const MenuObject &menu, unsigned char typed) {
    const unsigned char wanted = fold_menu_char(typed);
    for (std::size_t i = 0; i < menu.items.size(); ++i) {
        const MenuItem &item = menu.items[i];
        if (menu_item_is_separator(item)) continue;
        if (split_menu_text(item.text).mnemonic == wanted) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace platform

using platform::menu_object;
using platform::MenuItem;
using platform::MenuObject;

extern "C" {

HMENU WINAPI CreateMenu(void) {
    return platform::fail_when_memory_runs_out<HMENU>(
        nullptr, [&]() -> HMENU { return platform::create_menu(); });
}

HMENU WINAPI CreatePopupMenu(void) {
    return platform::fail_when_memory_runs_out<HMENU>(
        nullptr, [&]() -> HMENU { return platform::create_menu(); });
}

BOOL WINAPI DestroyMenu(HMENU menu) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        MenuObject *object = menu_object(menu);
        if (object == nullptr) {
            SetLastError(ERROR_INVALID_MENU_HANDLE);
            return FALSE;
        }
        platform::unhook_from_parent(menu, *object);
        const HWND owner = object->owner;
        platform::destroy_tree(menu);
        // A window must not keep showing a bar that no longer exists.
        if (owner != nullptr && platform::window_attached_menu(owner) == menu) {
            platform::window_attach_menu(owner, nullptr);
        }
        return TRUE;
    });
}

BOOL WINAPI AppendMenuA(HMENU menu, UINT flags, UINT_PTR id_or_popup, LPCSTR text) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        MenuObject *object = menu_object(menu);
        if (object == nullptr) {
            SetLastError(ERROR_INVALID_MENU_HANDLE);
            return FALSE;
        }
        if ((flags & MF_POPUP) != 0) {
            return platform::append_popup(*object, menu, reinterpret_cast<HMENU>(id_or_popup),
                                          flags, text)
                       ? TRUE
                       : FALSE;
        }
        MenuItem item;
        item.flags = flags & platform::kStoredFlags;
        item.id = static_cast<UINT>(id_or_popup);
        if ((flags & MF_SEPARATOR) == 0 && text != nullptr) item.text = text;
        object->items.push_back(std::move(item));
        return TRUE;
    });
}

BOOL WINAPI SetMenu(HWND window, HMENU menu) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        MenuObject *object = nullptr;
        if (menu != nullptr) {
            object = menu_object(menu);
            // A bar is shown by one window and is nobody's popup.
            if (object == nullptr || object->parent != nullptr ||
                (object->owner != nullptr && object->owner != window)) {
                SetLastError(ERROR_INVALID_MENU_HANDLE);
                return FALSE;
            }
        }
        const HMENU previous = platform::window_attached_menu(window);
        if (!platform::window_attach_menu(window, menu)) return FALSE;
        if (MenuObject *old = menu_object(previous); old != nullptr && previous != menu) {
            old->owner = nullptr;
        }
        // Look the menu up again: the WM_SIZE sent while attaching may have destroyed it.
        if (MenuObject *attached = menu_object(menu)) attached->owner = window;
        return TRUE;
    });
}

HMENU WINAPI GetMenu(HWND window) {
    return platform::fail_when_memory_runs_out<HMENU>(nullptr, [&]() -> HMENU {
        if (!IsWindow(window)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        return platform::window_attached_menu(window);
    });
}

BOOL WINAPI DrawMenuBar(HWND window) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        if (!IsWindow(window)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        platform::window_menu_changed(window);
        return TRUE;
    });
}

DWORD WINAPI CheckMenuItem(HMENU menu, UINT item, UINT check) {
    return platform::fail_when_memory_runs_out<DWORD>(static_cast<DWORD>(-1), [&]() -> DWORD {
        MenuItem *entry = platform::find_item(menu, item, check);
        if (entry == nullptr) return static_cast<DWORD>(-1);
        const DWORD previous = entry->flags & MF_CHECKED;
        entry->flags = (entry->flags & ~static_cast<UINT>(MF_CHECKED)) | (check & MF_CHECKED);
        return previous;
    });
}

// Like CheckMenuItem: the previous MF_GRAYED and MF_DISABLED bits, or -1 for no such item.
BOOL WINAPI EnableMenuItem(HMENU menu, UINT item, UINT enable) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        MenuItem *entry = platform::find_item(menu, item, enable);
        if (entry == nullptr) return -1;
        constexpr UINT kState = MF_GRAYED | MF_DISABLED;
        const UINT previous = entry->flags & kState;
        entry->flags = (entry->flags & ~kState) | (enable & kState);
        return static_cast<BOOL>(previous);
    });
}

HMENU WINAPI GetSubMenu(HMENU menu, int position) {
    return platform::fail_when_memory_runs_out<HMENU>(nullptr, [&]() -> HMENU {
        const MenuObject *object = menu_object(menu);
        if (object == nullptr || position < 0 ||
            static_cast<std::size_t>(position) >= object->items.size()) {
            return nullptr;
        }
        return object->items[static_cast<std::size_t>(position)].submenu;
    });
}

int WINAPI GetMenuItemCount(HMENU menu) {
    return platform::fail_when_memory_runs_out<int>(static_cast<int>(-1), [&]() -> int {
        const MenuObject *object = menu_object(menu);
        if (object == nullptr) {
            SetLastError(ERROR_INVALID_MENU_HANDLE);
            return -1;
        }
        return static_cast<int>(object->items.size());
    });
}

UINT WINAPI GetMenuItemID(HMENU menu, int position) {
    return platform::fail_when_memory_runs_out<UINT>(static_cast<UINT>(-1), [&]() -> UINT {
        const MenuObject *object = menu_object(menu);
        if (object == nullptr || position < 0 ||
            static_cast<std::size_t>(position) >= object->items.size()) {
            return static_cast<UINT>(-1);
        }
        const MenuItem &item = object->items[static_cast<std::size_t>(position)];
        return (item.flags & MF_POPUP) != 0 ? static_cast<UINT>(-1) : item.id;
    });
}

int WINAPI GetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int max_count, UINT flags) {
    return platform::fail_when_memory_runs_out<int>(static_cast<int>(0), [&]() -> int {
        const MenuItem *entry = platform::find_item(menu, item, flags);
        if (entry == nullptr) return 0;
        const int length = static_cast<int>(entry->text.size());
        // With no buffer the call only reports the length, as Windows does.
        if (buffer == nullptr || max_count <= 0) return length;
        const int copied = std::min(length, max_count - 1);
        std::memcpy(buffer, entry->text.data(), static_cast<std::size_t>(copied));
        buffer[copied] = '\0';
        return copied;
    });
}

UINT WINAPI GetMenuState(HMENU menu, UINT item, UINT flags) {
    return platform::fail_when_memory_runs_out<UINT>(static_cast<UINT>(-1), [&]() -> UINT {
        const MenuItem *entry = platform::find_item(menu, item, flags);
        if (entry == nullptr) return static_cast<UINT>(-1);
        if ((entry->flags & MF_POPUP) != 0) {
            // For a popup the high byte holds the number of items in it.
            const MenuObject *child = menu_object(entry->submenu);
            const UINT count = child != nullptr ? static_cast<UINT>(child->items.size()) : 0;
            return ((count & 0xFF) << 8) | (entry->flags & 0xFF);
        }
        // A separator can never be chosen, and says so: it reports itself grayed and disabled.
        if ((entry->flags & MF_SEPARATOR) != 0) return entry->flags | MF_GRAYED | MF_DISABLED;
        return entry->flags;
    });
}

}  // extern "C"

namespace platform {

// The window is going away: stop tracking it and free its bar with the popups in it.
void menus_window_destroyed(HWND owner) {
    std::vector<HMENU> bars;
    for (const auto &[handle, object] : registry()) {
        if (object->owner == owner) bars.push_back(handle);
    }
    // A bar given to CreateWindowExA was attached without SetMenu; it goes with the window too.
    const HMENU attached = window_attached_menu(owner);
    if (const MenuObject *object = menu_object(attached);
        object != nullptr && object->parent == nullptr && object->owner == nullptr) {
        bars.push_back(attached);
    }
    for (HMENU bar : bars) destroy_tree(bar);
}

}  // namespace platform
