// menu_real_clicks.cpp: on a real X display (run under Xvfb), a window with a menu bar drawn
// by the platform layer; xdotool clicks its title and an item, then types Alt+R and a mnemonic,
// and each choice reaches the window procedure as WM_COMMAND, with timers ticking meanwhile.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "user/menu/menu_font.h"
#include "user/menu/menus.h"

namespace {

constexpr UINT_PTR kTickTimer = 2;
constexpr UINT_PTR kGiveUpTimer = 3;

std::vector<WPARAM> commands;
int ticks = 0;

void build_menu(HWND owner) {
    HMENU bar = CreateMenu();
    HMENU run = CreatePopupMenu();
    AppendMenuA(run, MF_STRING, 1, "&Animate\tCtrl+A");
    AppendMenuA(run, MF_STRING, 2, "&Halt animation\tCtrl+H");
    AppendMenuA(run, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(run, MF_STRING | MF_CHECKED, 4, "&Logging\tCtrl+L");
    AppendMenuA(run, MF_STRING | MF_GRAYED, 9, "VORBL package");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(run), "&Run");
    SetMenu(owner, bar);
    DrawMenuBar(owner);
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE: build_menu(window); return 0;
        case WM_COMMAND:
            commands.push_back(wparam);
            if (commands.size() == 2) PostQuitMessage(0);
            return 0;
        case WM_TIMER:
            if (wparam == kGiveUpTimer) PostQuitMessage(1);
            ticks += wparam == kTickTimer;
            return 0;
        case WM_DESTROY: PostQuitMessage(2); return 0;
        default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

// Screen position of the content area (bar, then client). Without a window manager the content
// goes where Windows puts it: inside the fixed frame and below the caption.
POINT content_on_screen(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const int edge = GetSystemMetrics(SM_CXFIXEDFRAME);
    return {frame.left + edge, frame.top + edge + GetSystemMetrics(SM_CYCAPTION)};
}

// Screen point of the centre of item `index` of the window's first popup.
POINT item_on_screen(HWND window, int index, int bar_height) {
    const POINT content = content_on_screen(window);
    platform::MenuFontDC font;
    const HMENU run = GetSubMenu(GetMenu(window), 0);
    const platform::PopupLayout layout =
        platform::layout_popup(*platform::menu_object(run), font.measure());
    const RECT r = layout.items.at(static_cast<std::size_t>(index));
    return {content.x + (r.left + r.right) / 2, content.y + bar_height + (r.top + r.bottom) / 2};
}

std::string input_script(POINT title, POINT item) {
    const auto at = [](POINT p) { return std::to_string(p.x) + " " + std::to_string(p.y); };
    return "(sleep 1; xdotool mousemove " + at(title) + " click 1; sleep 0.5; xdotool mousemove " +
           at(item) + " click 1; sleep 0.5; xdotool mousemove 300 300; sleep 0.3; " +
           "xdotool key alt+r; sleep 0.5; xdotool key l) >/dev/null 2>&1 &";
}

}  // namespace

TEST(MenuOnDesktop, RealClicksAndAltLetterChooseCommands) {
    ASSERT_EQ(std::system("command -v xdotool >/dev/null 2>&1"), 0) << "xdotool is needed";
    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure;
    wc.hbrBackground = CreateSolidBrush(RGB(255, 255, 255));
    wc.lpszClassName = "MenuOnDesktop";
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND window = CreateWindowExA(0, "MenuOnDesktop", "Menu test", WS_CAPTION | WS_SYSMENU, 0, 0,
                                  601, 540, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    SetTimer(window, kTickTimer, 50, nullptr);
    SetTimer(window, kGiveUpTimer, 15000, nullptr);

    RECT client{};
    GetClientRect(window, &client);
    ASSERT_EQ(client.right, 595);
    ASSERT_EQ(client.bottom, 496);
    const int bar_height = GetSystemMetrics(SM_CYMENU);
    const POINT content = content_on_screen(window);
    const POINT title{content.x + 14, content.y + bar_height / 2};
    ASSERT_EQ(std::system(input_script(title, item_on_screen(window, 1, bar_height)).c_str()), 0);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(msg.wParam, 0u) << "1: gave up waiting; 2: the window went away";
    EXPECT_EQ(commands, (std::vector<WPARAM>{2, 4}));
    EXPECT_GT(ticks, 20) << "timers tick through the whole run, menus open or not";
    KillTimer(window, kTickTimer);
    KillTimer(window, kGiveUpTimer);
    DestroyWindow(window);
    DeleteObject(wc.hbrBackground);
}
