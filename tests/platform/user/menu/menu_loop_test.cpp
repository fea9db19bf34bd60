// menu_loop_test.cpp: the modal menu loop on the headless host: commands chosen with the mouse
// and the keyboard reach the window procedure as WM_COMMAND after the loop, grayed lines and
// separators send none, timers keep ticking while a menu is open, and the loop gives way to
// a quit, a destroyed window and a click outside the menu. The system menu follows its window,
// and no key sequence leaves the menu open or a key held.
#include <gtest/gtest.h>
#include <headless_host.h>
#include <platform_object_counts.h>
#include <windows.h>

#include <random>
#include <vector>

#include "user/menu/menu_font.h"
#include "user/menu/menu_modal_loop.h"
#include "user/window_surface.h"

namespace {

struct Seen {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    bool menu_open;  // a menu was being tracked on the window when it arrived
};

std::vector<Seen> seen;
HWND window = nullptr;
LPARAM last_size = 0;       // lParam of the latest WM_SIZE
bool refuse_close = false;  // WM_CLOSE is answered without closing

// Bar "&Run" holding: 0 "&Animate\tCtrl+A" (1), 1 separator, 2 "&Logging" checked (4),
// 3 "&Info" grayed (9), 4 "&Quit" (8).
void build_menu(HWND owner) {
    HMENU bar = CreateMenu();
    HMENU run = CreatePopupMenu();
    AppendMenuA(run, MF_STRING, 1, "&Animate\tCtrl+A");
    AppendMenuA(run, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(run, MF_STRING | MF_CHECKED, 4, "&Logging");
    AppendMenuA(run, MF_STRING | MF_GRAYED, 9, "&Info");
    AppendMenuA(run, MF_STRING, 8, "&Quit");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(run), "&Run");
    SetMenu(owner, bar);
}

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    seen.push_back({message, wparam, lparam, platform::menu_state_of(hwnd) != nullptr});
    if (message == WM_CREATE) build_menu(hwnd);
    if (message == WM_SIZE) last_size = lparam;
    if (message == WM_CLOSE && refuse_close) return 0;
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

class MenuLoop : public ::testing::Test {
protected:
    void SetUp() override {
        headless_host_use();
        WNDCLASSA wc{};
        wc.lpfnWndProc = procedure;
        wc.lpszClassName = "MenuLoopTest";
        RegisterClassA(&wc);
        window = CreateWindowExA(0, "MenuLoopTest", "menus", WS_CAPTION | WS_SYSMENU, 0, 0, 601,
                                 540, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        ShowWindow(window, SW_SHOW);
        SetTimer(window, 2, 50, nullptr);
        seen.clear();
    }

    // Pump as a program's loop does until `ms` of virtual time have passed or the quit comes.
    static void pump_for(unsigned ms) {
        headless_host_after(
            ms, [](void *) { PostQuitMessage(0); }, nullptr);
        pump_until_quit();
    }
    static int pump_until_quit() {
        MSG msg;
        BOOL got;
        while ((got = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return got == 0 ? static_cast<int>(msg.wParam) : -1;
    }

    // Where an item of the "&Run" popup lies, client coordinates, laid out with the real font.
    static POINT run_item_centre(int index) {
        platform::MenuFontDC font;
        HMENU run = GetSubMenu(GetMenu(window), 0);
        const platform::PopupLayout layout =
            platform::layout_popup(*platform::menu_object(run), font.measure());
        const RECT r = layout.items.at(static_cast<std::size_t>(index));
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    static std::vector<Seen> of_kind(UINT message) {
        std::vector<Seen> out;
        for (const Seen &s : seen) {
            if (s.message == message) out.push_back(s);
        }
        return out;
    }
    static std::vector<WPARAM> commands() {
        std::vector<WPARAM> ids;
        for (const Seen &s : of_kind(WM_COMMAND)) ids.push_back(s.wparam);
        return ids;
    }
    static void click_title() { headless_host_click(window, 12, -9); }
    static void click_item(int index) {
        const POINT p = run_item_centre(index);
        headless_host_click(window, p.x, p.y);
    }
    static void tap(int vk) {
        headless_host_key(vk, 1);
        headless_host_key(vk, 0);
    }
};

TEST_F(MenuLoop, SetMenuTakesOneBarRowFromTheClientAreaAndDetachingGivesItBack) {
    EXPECT_EQ(last_size, MAKELPARAM(595, 496));  // 601 x 540 less frame, caption and bar
    HMENU bar = GetMenu(window);
    ASSERT_TRUE(SetMenu(window, nullptr));
    EXPECT_EQ(last_size, MAKELPARAM(595, 515));
    EXPECT_FALSE(SetMenu(window, GetSubMenu(bar, 0)));  // a popup is no bar
    DestroyMenu(bar);
}

TEST_F(MenuLoop, ClickTitleThenItemPostsItsCommandAfterTheLoopWhileTimersTick) {
    headless_host_after(
        10, [](void *) { click_title(); }, nullptr);
    headless_host_after(
        510, [](void *) { click_item(2); }, nullptr);
    pump_for(700);
    ASSERT_EQ(commands(), std::vector<WPARAM>{4});
    const Seen command = of_kind(WM_COMMAND)[0];
    EXPECT_FALSE(command.menu_open);
    EXPECT_EQ(command.lparam, 0);
    // Notifications frame the loop, and the command comes after it closed.
    std::vector<UINT> order;
    for (const Seen &s : seen) {
        if (s.message == WM_ENTERMENULOOP || s.message == WM_INITMENUPOPUP ||
            s.message == WM_EXITMENULOOP || s.message == WM_COMMAND) {
            order.push_back(s.message);
        }
    }
    EXPECT_EQ(order,
              (std::vector<UINT>{WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_EXITMENULOOP, WM_COMMAND}));
    int ticks_while_open = 0;
    for (const Seen &s : of_kind(WM_TIMER)) ticks_while_open += s.menu_open ? 1 : 0;
    EXPECT_GE(ticks_while_open, 9);  // 500 ms open with a 50 ms timer
    // No mouse message of the menu's clicks reached the window.
    EXPECT_TRUE(of_kind(WM_LBUTTONDOWN).empty());
    // Highlights the mouse made say so; the closing one has its own flags.
    const auto selects = of_kind(WM_MENUSELECT);
    ASSERT_GE(selects.size(), 3u);
    for (std::size_t i = 0; i + 1 < selects.size(); ++i) {
        EXPECT_NE(HIWORD(selects[i].wparam) & MF_MOUSESELECT, 0u) << "highlight " << i;
    }
    EXPECT_EQ(HIWORD(selects.back().wparam), 0xFFFFu);
}

TEST_F(MenuLoop, GrayedLinesAndSeparatorsSendNothingAndKeepTheMenuOpen) {
    static bool open_after_clicks = false;
    headless_host_after(
        10, [](void *) { click_title(); }, nullptr);
    headless_host_after(
        20, [](void *) { click_item(3); }, nullptr);
    headless_host_after(
        30, [](void *) { click_item(1); }, nullptr);
    headless_host_after(
        40,
        [](void *) {
            open_after_clicks = platform::menu_state_of(window) != nullptr;
            tap(VK_ESCAPE);
        },
        nullptr);
    pump_for(200);
    EXPECT_TRUE(open_after_clicks);
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(platform::menu_state_of(window), nullptr);
}

TEST_F(MenuLoop, AltRAndALetterChooseAnItem) {
    headless_host_after(
        10,
        [](void *) {
            headless_host_key(VK_MENU, 1);
            tap('R');
            headless_host_key(VK_MENU, 0);
            tap('Q');
        },
        nullptr);
    pump_for(200);
    EXPECT_EQ(commands(), std::vector<WPARAM>{8});
    // The letters went to the menu, not to the program.
    EXPECT_TRUE(of_kind(WM_CHAR).empty());
}

TEST_F(MenuLoop, MnemonicOfAGrayedLineClosesWithoutCommandAndAltLeavesForGood) {
    static bool open_after_alt = true;
    headless_host_after(
        10,
        [](void *) {
            headless_host_key(VK_MENU, 1);
            tap('R');
            headless_host_key(VK_MENU, 0);
            tap('I');
        },
        nullptr);
    headless_host_after(
        50, [](void *) { tap(VK_F10); }, nullptr);  // enters the bar
    headless_host_after(
        60, [](void *) { tap(VK_MENU); }, nullptr);  // and leaves it
    headless_host_after(
        100,
        [](void *) {
            open_after_alt = platform::menu_state_of(window) != nullptr;
            headless_host_char('x');
        },
        nullptr);
    pump_for(200);
    EXPECT_TRUE(commands().empty());
    EXPECT_FALSE(open_after_alt);  // the release of Alt did not open the bar again
    const auto chars = of_kind(WM_CHAR);
    ASSERT_EQ(chars.size(), 1u);  // typing reaches the program again
    EXPECT_EQ(chars[0].wparam, static_cast<WPARAM>('x'));
}

TEST_F(MenuLoop, AClickOutsideClosesTheMenuAndReachesTheWindow) {
    headless_host_after(
        10, [](void *) { click_title(); }, nullptr);
    headless_host_after(
        20, [](void *) { headless_host_click(window, 400, 300); }, nullptr);
    pump_for(100);
    EXPECT_TRUE(commands().empty());
    const auto presses = of_kind(WM_LBUTTONDOWN);
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_FALSE(presses[0].menu_open);
    EXPECT_EQ(presses[0].lparam, MAKELPARAM(400, 300));
}

TEST_F(MenuLoop, AQuitDuringTheMenuEndsItAndReachesTheOuterLoop) {
    headless_host_after(
        10, [](void *) { click_title(); }, nullptr);
    headless_host_after(
        100, [](void *) { PostQuitMessage(7); }, nullptr);
    EXPECT_EQ(pump_until_quit(), 7);
    EXPECT_EQ(platform::menu_state_of(window), nullptr);
    EXPECT_EQ(of_kind(WM_EXITMENULOOP).size(), 1u);
}

TEST_F(MenuLoop, ClosingTheWindowWhileTheMenuIsOpenFreesItsMenus) {
    PlatformObjectCounts before{};
    platform_object_counts(&before);
    ASSERT_GE(before.menus, 2);
    headless_host_after(
        10, [](void *) { click_title(); }, nullptr);
    headless_host_after(
        100, [](void *) { headless_host_close(window); }, nullptr);
    headless_host_after(
        200, [](void *) { PostQuitMessage(0); }, nullptr);
    pump_until_quit();
    EXPECT_FALSE(IsWindow(window));
    PlatformObjectCounts after{};
    platform_object_counts(&after);
    EXPECT_EQ(after.menus, before.menus - 2);
    EXPECT_EQ(after.pens, before.pens);
    EXPECT_EQ(after.brushes, before.brushes);
    EXPECT_EQ(after.fonts, before.fonts);
    EXPECT_EQ(after.memory_dcs, before.memory_dcs);
}

TEST_F(MenuLoop, TheOpenPopupIsDrawnOverTheClientAreaAndGoesWhenClosed) {
    static std::uint32_t open_face = 0, open_highlight = 0, closed_face = 0;
    static std::uint32_t title_open = 0;
    headless_host_after(
        10, [](void *) { click_title(); }, nullptr);
    headless_host_after(
        20,
        [](void *) {
            const POINT item = run_item_centre(0);
            headless_host_move(window, item.x, item.y);
        },
        nullptr);
    headless_host_after(
        30,
        [](void *) {
            const platform::PixelSurface frame = platform::window_composed_surface(window);
            const POINT logging = run_item_centre(2);
            const POINT animate = run_item_centre(0);
            // Sample left of the text, in the check column's empty part below the check mark.
            open_face = frame.pixels[(logging.y + 19 + 7) * frame.stride + 4];
            open_highlight = frame.pixels[(animate.y + 19) * frame.stride + 5];
            title_open = frame.pixels[9 * frame.stride + 2];
            tap(VK_ESCAPE);
        },
        nullptr);
    headless_host_after(
        50,
        [](void *) {
            const platform::PixelSurface frame = platform::window_composed_surface(window);
            const POINT logging = run_item_centre(2);
            closed_face = frame.pixels[(logging.y + 19 + 7) * frame.stride + 4];
        },
        nullptr);
    pump_for(100);
    EXPECT_EQ(open_face, 0xD4D0C8u);       // classic light gray (pixels are 0x00RRGGBB)
    EXPECT_EQ(open_highlight, 0x000080u);  // the highlighted item in navy
    EXPECT_EQ(title_open, 0x000080u);      // so is the title of the open popup
    EXPECT_NE(closed_face, 0xD4D0C8u);     // the client area shows again
}

}  // namespace

TEST_F(MenuLoop, EscapeClosesOneLevelAtATimeAndTheLoopEatsEveryKeyItUses) {
    headless_host_after(
        10,
        [](void *) {
            headless_host_key(VK_MENU, 1);
            tap('R');
            headless_host_key(VK_MENU, 0);
            tap(VK_DOWN);
            tap(VK_ESCAPE);  // closes the popup, the title stays highlighted
            tap(VK_ESCAPE);  // leaves the menu
        },
        nullptr);
    pump_for(200);
    std::vector<UINT> menu_messages;
    for (const Seen &s : seen) {
        if (s.message == WM_KEYDOWN || s.message == WM_CHAR) ADD_FAILURE() << "key reached window";
        if ((s.message == WM_KEYUP || s.message == WM_SYSKEYUP) && s.menu_open) {
            ADD_FAILURE() << "release during the menu reached the window: " << s.wparam;
        }
        if (s.message == WM_ENTERMENULOOP || s.message == WM_EXITMENULOOP ||
            s.message == WM_INITMENU || s.message == WM_INITMENUPOPUP ||
            s.message == WM_UNINITMENUPOPUP || s.message == WM_MENUSELECT) {
            menu_messages.push_back(s.message);
        }
    }
    const std::vector<UINT> expected{WM_ENTERMENULOOP,   WM_INITMENU,   WM_MENUSELECT,
                                     WM_INITMENUPOPUP,   WM_MENUSELECT, WM_MENUSELECT,
                                     WM_UNINITMENUPOPUP, WM_MENUSELECT, WM_EXITMENULOOP};
    EXPECT_EQ(menu_messages, expected);
    const auto selects = of_kind(WM_MENUSELECT);
    ASSERT_EQ(selects.size(), 4u);
    EXPECT_EQ(selects[1].wparam, MAKEWPARAM(1, MF_HILITE));               // "&Animate", id 1
    EXPECT_EQ(selects[2].wparam, MAKEWPARAM(4, MF_HILITE | MF_CHECKED));  // over the separator
    EXPECT_EQ(selects[3].wparam, MAKEWPARAM(0, 0xFFFF));
    EXPECT_EQ(selects[3].lparam, 0);
    EXPECT_EQ(GetKeyState(VK_MENU) & 0x8000, 0);
    EXPECT_EQ(platform::menu_state_of(window), nullptr);
}

TEST_F(MenuLoop, TheSystemMenuBelongsToItsWindow) {
    const int menus_before = [] {
        PlatformObjectCounts counts{};
        platform_object_counts(&counts);
        return counts.menus;
    }();
    HMENU system = GetSystemMenu(window, FALSE);
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(GetSystemMenu(window, FALSE), system);
    EXPECT_EQ(GetMenuItemCount(system), 7);
    EXPECT_EQ(GetMenuItemID(system, 6), static_cast<UINT>(SC_CLOSE));
    EXPECT_EQ(GetSystemMenu(window, TRUE), nullptr);  // reverting drops this copy
    EXPECT_EQ(GetMenuItemCount(system), -1);
    EXPECT_NE(GetSystemMenu(window, FALSE), nullptr);
    SetLastError(0);
    EXPECT_EQ(GetSystemMenu(nullptr, FALSE), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    HWND plain = CreateWindowExA(0, "MenuLoopTest", "plain", WS_CAPTION, 0, 0, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    EXPECT_EQ(GetSystemMenu(plain, FALSE), nullptr);  // no WS_SYSMENU, no system menu
    DestroyWindow(plain);
    DestroyWindow(window);  // takes its bar and its system menu
    PlatformObjectCounts after{};
    platform_object_counts(&after);
    EXPECT_LT(after.menus, menus_before + 2);
    EXPECT_EQ(GetSystemMenu(window, FALSE), nullptr);
}

// Random key sequences through the bar and the system menu; three Escapes afterwards must leave
// no menu open and no key held.
TEST_F(MenuLoop, NoKeySequenceLeavesTheMenuOpenOrAKeyHeld) {
    refuse_close = true;
    static std::vector<std::pair<int, bool>> keys;
    static bool open_after = false;
    static bool held_after = false;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        const int pool[] = {VK_LEFT,  VK_RIGHT, VK_UP, VK_DOWN, VK_ESCAPE, VK_RETURN,
                            VK_SPACE, VK_F10,   'R',   'C',     'M',       'N',
                            'X',      'A',      'L',   VK_MENU, VK_MENU};
        keys.clear();
        bool alt_down = false;
        for (int i = 0; i < 14; ++i) {
            const int vk = pool[random() % std::size(pool)];
            if (vk == VK_MENU) {
                alt_down = !alt_down;
                keys.emplace_back(VK_MENU, alt_down);
            } else {
                keys.emplace_back(vk, true);
                keys.emplace_back(vk, false);
            }
        }
        if (alt_down) keys.emplace_back(VK_MENU, false);
        for (int i = 0; i < 3; ++i) {
            keys.emplace_back(VK_ESCAPE, true);
            keys.emplace_back(VK_ESCAPE, false);
        }
        headless_host_after(
            10,
            [](void *) {
                for (const auto &[vk, down] : keys) headless_host_key(vk, down ? 1 : 0);
            },
            nullptr);
        headless_host_after(
            400,
            [](void *) {
                open_after = platform::menu_state_of(window) != nullptr;
                held_after = false;
                for (int vk :
                     {VK_MENU, VK_F10, VK_ESCAPE, VK_LEFT, VK_DOWN, VK_SPACE, int{'R'}, int{'C'}}) {
                    held_after = held_after || (GetKeyState(vk) & 0x8000) != 0;
                }
            },
            nullptr);
        pump_for(500);
        EXPECT_FALSE(open_after) << "seed " << seed;
        EXPECT_FALSE(held_after) << "seed " << seed;
        ASSERT_TRUE(IsWindow(window));
    }
    refuse_close = false;
}
