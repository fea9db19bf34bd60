// On a real X display (run under Xvfb): the package's real windows, a real click on the "&Run"
// menu and a real Ctrl key, made by xdotool, reach the program through the event wait.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "vorbl_internal.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

// Without a window manager the graphics window's content (menu bar, then client area) is where
// Windows puts it: inside the 3-pixel fixed frame and below the 19-pixel caption.
constexpr int kContentX = 3;
constexpr int kContentY = 3 + 19;

// Choose "&Animate" with two clicks, halt with Ctrl+H, then click inside the canvas at screen
// (300, 300).
std::string input_script(int bar_height) {
    const auto at = [](int x, int y) { return std::to_string(x) + " " + std::to_string(y); };
    return "(sleep 1; xdotool mousemove " + at(kContentX + 14, kContentY + bar_height / 2) +
           " click 1; sleep 0.4; xdotool mousemove " +
           at(kContentX + 30, kContentY + bar_height + 8) +
           " click 1; sleep 1; xdotool mousemove 300 300; xdotool key ctrl+h; sleep 0.5; " +
           "xdotool click 1) >/dev/null 2>&1 &";
}

}  // namespace

TEST(PackageOnDesktop, RealMenuClickAndCtrlKeyReachTheProgram) {
    ASSERT_EQ(std::system("command -v xdotool >/dev/null 2>&1"), 0) << "xdotool is needed";
    VORBL_startup(GetModuleHandleA(nullptr), nullptr, const_cast<char *>(""), SW_SHOWNORMAL);
    ASSERT_NE(graphics_hwnd, nullptr);
    VORBL_set_logging(0);
    VORBL_clear_canvas();
    const int bar_height = GetSystemMetrics(SM_CYMENU);
    RECT client{};
    GetClientRect(graphics_hwnd, &client);
    ASSERT_EQ(client.right, 595);
    ASSERT_EQ(client.bottom, 496);
    ASSERT_EQ(std::system(input_script(bar_height).c_str()), 0);

    int periodic = 0, keyboard = 0, kind = 0, x = 0, y = 0;
    unsigned char key = 0;
    for (int waits = 0; waits < 400; ++waits) {
        kind = VORBL_wait_event(&x, &y, &key);
        periodic += kind == EVENT_PERIODIC;
        keyboard += kind == EVENT_KBD;
        if (kind == EVENT_MOUSE || kind == EVENT_QUIT) {
            break;
        }
    }
    EXPECT_GT(periodic, 0) << "choosing \"&Animate\" with the mouse starts the animation";
    EXPECT_EQ(keyboard, 0) << "a Ctrl key types no character";
    EXPECT_EQ(animating, 0) << "Ctrl+H halts the animation";
    ASSERT_EQ(kind, EVENT_MOUSE);
    EXPECT_EQ(x, 300 - kContentX - origin_x);
    EXPECT_EQ(y, origin_y - (300 - kContentY - bar_height));
    VORBL_shutdown();
}
