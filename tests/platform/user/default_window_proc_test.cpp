// Tests of DefWindowProcA's keyboard entry to the menu bar and its closing paths: Alt or F10
// pressed and released alone, Alt+letter, a click between Alt's press and release, Alt+F4.
#include <gtest/gtest.h>

#include "recording_window.h"

namespace {

class DefaultWindowProc : public ::testing::Test {
protected:
    void SetUp() override {
        headless_host_use();
        recording::register_class();
        window = recording::make_window("Default");
        ASSERT_NE(window, nullptr);
        ShowWindow(window, SW_SHOW);
        dispatch_ready();
        recording::seen.clear();
    }

    // Translate and dispatch everything that is ready, as a message loop would.
    static void dispatch_ready() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    // The lParam of every WM_SYSCOMMAND SC_KEYMENU the window received.
    static std::vector<LPARAM> key_menu_requests() {
        std::vector<LPARAM> out;
        for (const recording::Seen &s : recording::of_kind(WM_SYSCOMMAND)) {
            if ((s.wparam & 0xFFF0) == SC_KEYMENU) out.push_back(s.lparam);
        }
        return out;
    }

    HWND window = nullptr;
};

// The window has no bar, so each request enters its system menu, which an Escape soon leaves.
TEST_F(DefaultWindowProc, AltOrF10PressedAndReleasedAloneAsksForTheMenuBar) {
    const auto escape_later = [] {
        headless_host_after(
            10,
            [](void *) {
                headless_host_key(VK_ESCAPE, 1);
                headless_host_key(VK_ESCAPE, 0);
            },
            nullptr);
    };
    headless_host_key(VK_MENU, 1);
    headless_host_key(VK_MENU, 1);  // auto-repeat while held
    headless_host_key(VK_MENU, 0);
    escape_later();
    dispatch_ready();
    EXPECT_EQ(key_menu_requests(), std::vector<LPARAM>{0});
    EXPECT_EQ(recording::of_kind(WM_EXITMENULOOP).size(), 1U);
    recording::seen.clear();
    headless_host_key(VK_F10, 1);
    headless_host_key(VK_F10, 0);
    escape_later();
    dispatch_ready();
    EXPECT_EQ(key_menu_requests(), std::vector<LPARAM>{0});
    EXPECT_EQ(recording::of_kind(WM_EXITMENULOOP).size(), 1U);
}

TEST_F(DefaultWindowProc, AnotherKeyOrAClickWhileAltIsDownCancelsTheMenuRequest) {
    headless_host_key(VK_MENU, 1);
    headless_host_click(window, 5, 5);
    headless_host_key(VK_MENU, 0);
    dispatch_ready();
    EXPECT_TRUE(key_menu_requests().empty()) << "a click in between";
    headless_host_key(VK_MENU, 1);
    headless_host_key(VK_F1, 1);
    headless_host_key(VK_F1, 0);
    headless_host_key(VK_MENU, 0);
    dispatch_ready();
    EXPECT_TRUE(key_menu_requests().empty()) << "another key in between";
}

TEST_F(DefaultWindowProc, AltWithALetterAsksForTheMnemonicButNotWithTabOrEscape) {
    headless_host_key(VK_MENU, 1);
    headless_host_key('R', 1);
    headless_host_key('R', 0);
    headless_host_key(VK_ESCAPE, 1);
    headless_host_key(VK_ESCAPE, 0);
    headless_host_key(VK_MENU, 0);
    dispatch_ready();
    EXPECT_EQ(key_menu_requests(), std::vector<LPARAM>{'r'});
}

TEST_F(DefaultWindowProc, AltF4ClosesTheWindow) {
    headless_host_key(VK_MENU, 1);
    headless_host_key(VK_F4, 1);
    dispatch_ready();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(recording::of_kind(WM_CLOSE).size(), 1u);
}

TEST_F(DefaultWindowProc, ASystemCharacterWithoutAltBeepsAndUnknownWindowsAreIgnored) {
    SendMessageA(window, WM_SYSCHAR, 'x', 0);
    EXPECT_TRUE(key_menu_requests().empty());
    HWND stale = recording::make_window("Stale");
    DestroyWindow(stale);
    EXPECT_EQ(DefWindowProcA(stale, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(DefWindowProcA(window, WM_ERASEBKGND, 0, 0), 0) << "no DC, no class brush";
}

}  // namespace
