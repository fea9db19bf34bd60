// The "&Run" menu: its items after start-up, choosing commands with the mouse and with the
// keyboard, the Ctrl keys that stand for them, and the modal menu loop holding events back.
#include <string>

#include "event_fixture.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

std::string item_text(HMENU menu, int position) {
    char text[128] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

int menu_bar_middle_y() {
    const int bar_height = GetSystemMetrics(SM_CYMENU);
    return -(bar_height > 0 ? bar_height : 16) / 2;
}

}  // namespace

TEST_F(StartedPackage, RunMenuHoldsItsItemsInOrderWithOnlyLoggingChecked) {
    HMENU bar = GetMenu(graphics_hwnd);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(item_text(bar, 0), "&Run");
    ASSERT_EQ(GetSubMenu(bar, 0), run_menu);
    const struct {
        const char *text;
        UINT id;
        UINT state;
    } expected[] = {{"&Animate\tCtrl+A", 1, 0},
                    {"&Halt animation\tCtrl+H", 2, 0},
                    {"Advance one &frame\tCtrl+F", 3, 0},
                    {"", 0, MF_SEPARATOR | MF_GRAYED},
                    {"&Logging\tCtrl+L", 4, MF_CHECKED},
                    {"", 0, MF_SEPARATOR | MF_GRAYED},
                    {"&Record Script\tCtrl+R", 5, 0},
                    {"&Playback Script\tCtrl+P", 6, 0},
                    {"Play &One Script\tCtrl+O", 7, 0},
                    {"", 0, MF_SEPARATOR | MF_GRAYED},
                    {"&Quit\tCtrl+Q", 8, 0},
                    {"", 0, MF_SEPARATOR | MF_GRAYED},
                    {"VORBL package 1.0", 9, MF_GRAYED},
                    {"MAC: see README.md in the project's repository", 9, MF_GRAYED},
                    {"WINDOWS: see README.md in the project's repository", 9, MF_GRAYED},
                    {"UPDATES: the project's issue tracker", 9, MF_GRAYED}};
    ASSERT_EQ(GetMenuItemCount(run_menu), 16);
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(item_text(run_menu, i), expected[i].text);
        EXPECT_EQ(GetMenuItemID(run_menu, i), expected[i].id);
        const UINT state = GetMenuState(run_menu, i, MF_BYPOSITION);
        EXPECT_EQ(state & (MF_SEPARATOR | MF_CHECKED | MF_GRAYED), expected[i].state);
    }
}

TEST_F(StartedPackage, AnimateChosenWithTheMouseStartsTheAnimation) {
    after(10, [](void *) { click_graphics_at(12, menu_bar_middle_y()); });  // opens "&Run"
    after(20, [](void *) { click_graphics_at(30, 8); });  // its first item, just below the bar
    EXPECT_EQ(wait_for_event().kind, EVENT_PERIODIC);
    EXPECT_EQ(animating, 1);
}

TEST_F(StartedPackage, AltRAndAMnemonicChooseAnItem) {
    after(10, [](void *) {
        headless_host_key(VK_MENU, 1);
        headless_host_key('R', 1);
        headless_host_key('R', 0);
        headless_host_key(VK_MENU, 0);
        headless_host_char('l');
    });
    after(100, click_centre);
    EXPECT_EQ(wait_for_event().kind, EVENT_MOUSE);
    EXPECT_EQ(logging_on, 0);
    EXPECT_EQ(GetMenuState(run_menu, CMD_LOGGING, MF_BYCOMMAND) & MF_CHECKED, 0u);
}

TEST_F(StartedPackage, OpenMenuHoldsBackTheTickUntilItCloses) {
    VORBL_set_animation(ANIMATE_RUN);
    after(10, [](void *) { click_graphics_at(12, menu_bar_middle_y()); });
    after(500, [](void *) {
        // The first Escape closes the popup, the second leaves the bar.
        for (int level = 0; level < 2; ++level) {
            headless_host_key(VK_ESCAPE, 1);
            headless_host_key(VK_ESCAPE, 0);
        }
    });
    const WaitResult held = wait_for_event();
    EXPECT_EQ(held.kind, EVENT_PERIODIC);
    EXPECT_GE(held.at_ms, 500u);
    EXPECT_LT(held.at_ms, 550u);  // ticks inside the menu loop count: no timer wait afterwards
}

TEST_F(StartedPackage, CtrlKeysSwitchWithOrWithoutShiftAndNeverTypeCharacters) {
    after(10, [](void *) { press_ctrl_letter('A', true); });
    EXPECT_EQ(wait_for_event().kind, EVENT_PERIODIC);
    VORBL_set_animation(ANIMATE_HALT);
    after(10, [](void *) { press_ctrl_letter('A'); });
    EXPECT_EQ(wait_for_event().kind, EVENT_PERIODIC);
    VORBL_set_animation(ANIMATE_HALT);

    after(10, [](void *) { press_ctrl_letter('B'); });
    after(200, [](void *) {
        headless_host_key('A', 1);
        headless_host_key('A', 0);
    });
    const WaitResult typed = wait_for_event();
    EXPECT_EQ(typed.kind, EVENT_KBD);
    EXPECT_EQ(typed.key, 'a');
    EXPECT_EQ(animating, 0);
}

TEST_F(StartedPackage, AutoRepeatedCtrlLTogglesLoggingOnEveryKeyDown) {
    after(10, [](void *) {
        headless_host_key(VK_CONTROL, 1);
        for (int repeat = 0; repeat < 3; ++repeat) {
            headless_host_key('L', 1);
        }
    });
    after(100, click_centre);
    wait_for_event();
    EXPECT_EQ(logging_on, 0);  // on, then off, on, off
    EXPECT_EQ(GetMenuState(run_menu, CMD_LOGGING, MF_BYCOMMAND) & MF_CHECKED, 0u);
}
