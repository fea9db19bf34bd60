// menu_objects_test.cpp: menus as objects: items, order, states, check marks, strings, counts,
// and what happens to handles when menus are destroyed.
#include <gtest/gtest.h>
#include <platform_object_counts.h>
#include <windows.h>

#include <string>

#include "user/menu/menus.h"

namespace {

int live_menus() {
    PlatformObjectCounts counts{};
    platform_object_counts(&counts);
    return counts.menus;
}

// A bar with one popup "&Run" holding commands 1 and 4 (checked), a separator and a grayed line.
struct RunMenu {
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    RunMenu() {
        AppendMenuA(popup, MF_STRING, 1, "&Animate\tCtrl+A");
        AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(popup, MF_STRING | MF_CHECKED, 4, "&Logging\tCtrl+L");
        AppendMenuA(popup, MF_STRING | MF_GRAYED, 9, "VORBL 1.0");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&Run");
    }
};

std::string menu_string(HMENU menu, UINT item, UINT flags) {
    char buffer[64] = "untouched";
    const int length = GetMenuStringA(menu, item, buffer, sizeof buffer, flags);
    return std::string(buffer, static_cast<std::size_t>(length));
}

TEST(MenuObjects, ItemsKeepOrderTextsIdsAndStates) {
    RunMenu menu;
    ASSERT_EQ(GetMenuItemCount(menu.bar), 1);
    EXPECT_EQ(GetSubMenu(menu.bar, 0), menu.popup);
    EXPECT_EQ(GetMenuItemID(menu.bar, 0), static_cast<UINT>(-1));  // a popup has no command
    EXPECT_EQ(menu_string(menu.bar, 0, MF_BYPOSITION), "&Run");

    ASSERT_EQ(GetMenuItemCount(menu.popup), 4);
    EXPECT_EQ(GetMenuItemID(menu.popup, 0), 1u);
    EXPECT_EQ(GetMenuItemID(menu.popup, 2), 4u);
    EXPECT_EQ(GetMenuItemID(menu.popup, 4), static_cast<UINT>(-1));
    EXPECT_EQ(GetSubMenu(menu.popup, 0), nullptr);
    EXPECT_EQ(menu_string(menu.popup, 0, MF_BYPOSITION), "&Animate\tCtrl+A");
    EXPECT_EQ(menu_string(menu.popup, 1, MF_BYPOSITION), "");
    // Strings are cut to the buffer and always terminated; with no buffer the length comes back.
    char small[5];
    EXPECT_EQ(GetMenuStringA(menu.popup, 1, small, sizeof small, MF_BYCOMMAND), 4);
    EXPECT_STREQ(small, "&Ani");
    EXPECT_EQ(GetMenuStringA(menu.popup, 1, nullptr, 0, MF_BYCOMMAND), 15);

    EXPECT_EQ(GetMenuState(menu.popup, 0, MF_BYPOSITION), static_cast<UINT>(MF_STRING));
    // A separator reports itself grayed and disabled as well: it can never be chosen.
    EXPECT_EQ(GetMenuState(menu.popup, 1, MF_BYPOSITION),
              static_cast<UINT>(MF_SEPARATOR | MF_GRAYED | MF_DISABLED));
    EXPECT_EQ(GetMenuState(menu.popup, 4, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(GetMenuState(menu.popup, 9, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
    // A popup item reports MF_POPUP and, in its high byte, how many items the popup holds.
    EXPECT_EQ(GetMenuState(menu.bar, 0, MF_BYPOSITION), static_cast<UINT>(MF_POPUP | (4 << 8)));
    EXPECT_EQ(GetMenuState(menu.popup, 77, MF_BYCOMMAND), static_cast<UINT>(-1));
    DestroyMenu(menu.bar);
}

TEST(MenuObjects, CheckMenuItemReturnsThePreviousStateAndSearchesPopups) {
    RunMenu menu;
    // By command through the bar: the item lives in the popup.
    EXPECT_EQ(CheckMenuItem(menu.bar, 4, MF_BYCOMMAND | MF_UNCHECKED),
              static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(menu.popup, 4, MF_BYCOMMAND | MF_UNCHECKED),
              static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(GetMenuState(menu.popup, 4, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(CheckMenuItem(menu.popup, 0, MF_BYPOSITION | MF_CHECKED),
              static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(GetMenuState(menu.popup, 1, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
    // Checking keeps the other state bits.
    CheckMenuItem(menu.popup, 9, MF_BYCOMMAND | MF_CHECKED);
    EXPECT_EQ(GetMenuState(menu.popup, 9, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED | MF_CHECKED));
    // Missing items, separators (command 0), positions past the end and dead handles: -1.
    EXPECT_EQ(CheckMenuItem(menu.popup, 12, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(-1));
    EXPECT_EQ(CheckMenuItem(menu.popup, 0, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(-1));
    EXPECT_EQ(CheckMenuItem(menu.popup, 4, MF_BYPOSITION | MF_CHECKED), static_cast<DWORD>(-1));
    DestroyMenu(menu.bar);
    EXPECT_EQ(CheckMenuItem(menu.popup, 4, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(-1));
}

// EnableMenuItem answers like CheckMenuItem: the previous gray and disabled bits, or -1.
TEST(MenuObjects, EnableMenuItemReturnsThePreviousStateAndKeepsTheCheck) {
    RunMenu menu;
    EXPECT_EQ(EnableMenuItem(menu.popup, 9, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(menu.popup, 4, MF_BYCOMMAND | MF_DISABLED), MF_ENABLED);
    EXPECT_EQ(GetMenuState(menu.popup, 4, MF_BYCOMMAND),
              static_cast<UINT>(MF_CHECKED | MF_DISABLED));
    EXPECT_EQ(EnableMenuItem(menu.bar, 4, MF_BYCOMMAND | MF_GRAYED),
              MF_DISABLED);  // through the bar
    EXPECT_EQ(EnableMenuItem(menu.popup, 0, MF_BYPOSITION | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(GetMenuState(menu.popup, 1, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(EnableMenuItem(menu.popup, 12, MF_BYCOMMAND | MF_GRAYED), -1);
    EXPECT_EQ(EnableMenuItem(menu.popup, 4, MF_BYPOSITION | MF_GRAYED), -1);
    DestroyMenu(menu.bar);
    EXPECT_EQ(EnableMenuItem(menu.popup, 1, MF_BYCOMMAND | MF_GRAYED), -1);
}

TEST(MenuObjects, DestroyMenuFreesPopupsAndKillsEveryHandle) {
    const int before = live_menus();
    {
        RunMenu menu;
        EXPECT_EQ(live_menus(), before + 2);
        EXPECT_TRUE(DestroyMenu(menu.bar));
        EXPECT_EQ(live_menus(), before);
        EXPECT_FALSE(DestroyMenu(menu.popup));  // went with the bar
        EXPECT_FALSE(DestroyMenu(menu.bar));
        EXPECT_EQ(GetMenuItemCount(menu.popup), -1);
        EXPECT_FALSE(AppendMenuA(menu.bar, MF_STRING, 1, "x"));
    }
    // A popup destroyed on its own is unhooked from the bar that held it.
    RunMenu menu;
    EXPECT_TRUE(DestroyMenu(menu.popup));
    EXPECT_EQ(GetSubMenu(menu.bar, 0), nullptr);
    EXPECT_EQ(GetMenuItemCount(menu.bar), 1);
    EXPECT_TRUE(DestroyMenu(menu.bar));
    EXPECT_EQ(live_menus(), before);
    // A new menu never gets the handle of a dead one.
    HMENU fresh = CreateMenu();
    EXPECT_NE(fresh, menu.bar);
    EXPECT_NE(fresh, menu.popup);
    DestroyMenu(fresh);
}

TEST(MenuObjects, AppendRejectsBadPopupsThatWouldCycleOrShareOwnership) {
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    HMENU other = CreateMenu();
    EXPECT_FALSE(AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(bar), "&Self"));
    EXPECT_TRUE(AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&Run"));
    EXPECT_FALSE(AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(bar), "&Loop"));
    EXPECT_FALSE(AppendMenuA(other, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&Twice"));
    EXPECT_FALSE(AppendMenuA(other, MF_POPUP, 12345, "&Nothing"));
    EXPECT_FALSE(AppendMenuA(nullptr, MF_STRING, 1, "x"));
    EXPECT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(GetMenuItemCount(popup), 0);
    EXPECT_EQ(GetMenuItemCount(other), 0);
    EXPECT_EQ(GetSubMenu(bar, -1), nullptr);
    DestroyMenu(bar);
    DestroyMenu(other);
}

TEST(MenuObjects, ItemTextShowsOneAmpersandForTwoAndSplitsOffTheLabel) {
    const platform::MenuItemText shown = platform::split_menu_text("Salt && &Pepper\tCtrl+P");
    EXPECT_EQ(shown.text, "Salt & Pepper");
    EXPECT_EQ(shown.label, "Ctrl+P");
    EXPECT_EQ(shown.mnemonic_index, 7);
    EXPECT_EQ(shown.mnemonic, 'p');  // folded: 'P' and 'p' both choose it
    EXPECT_EQ(platform::split_menu_text("R&&D").mnemonic_index, -1);
    EXPECT_EQ(platform::split_menu_text("End&").text, "End");  // a trailing '&' marks nothing
    EXPECT_EQ(platform::split_menu_text("End&").mnemonic_index, -1);
    EXPECT_EQ(platform::split_menu_text("a\tb\tc").label, "b\tc");  // only the first tab splits
    EXPECT_EQ(platform::fold_menu_char(0xC9), 0xE9);  // Windows-1252 capitals fold too
}

}  // namespace
