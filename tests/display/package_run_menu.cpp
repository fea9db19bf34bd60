// On a real X display (run under Xvfb): the package's real windows, a real click on the "&Run"
// menu and a real Ctrl key, made by xdotool, reach the program through the event wait.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "vorbl_internal.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

// Screen position of the graphics window's content: without a window manager it is the
// window's outer frame; the menu bar is the strip above the client area.
int menu_bar_height() {
    RECT frame{}, client{};
    GetWindowRect(graphics_hwnd, &frame);
    GetClientRect(graphics_hwnd, &client);
    return (frame.bottom - frame.top) - client.bottom;
}

// Choose "&Animate" with two clicks, halt with Ctrl+H, then click inside the canvas.
std::string input_script(int bar_height) {
    const int bar_y = bar_height / 2;
    const int first_item_y = bar_height + 8;
    return "(sleep 1; xdotool mousemove 14 " + std::to_string(bar_y) + " click 1; sleep 0.4; " +
           "xdotool mousemove 30 " + std::to_string(first_item_y) + " click 1; sleep 1; " +
           "xdotool mousemove 300 300; xdotool key ctrl+h; sleep 0.5; " +
           "xdotool click 1) >/dev/null 2>&1 &";
}

}  // namespace

TEST(PackageOnDesktop, RealMenuClickAndCtrlKeyReachTheProgram) {
    ASSERT_EQ(std::system("command -v xdotool >/dev/null 2>&1"), 0) << "xdotool is needed";
    VORBL_startup(GetModuleHandleA(nullptr), nullptr, const_cast<char *>(""), SW_SHOWNORMAL);
    ASSERT_NE(graphics_hwnd, nullptr);
    VORBL_set_logging(0);
    VORBL_clear_canvas();
    const int bar_height = menu_bar_height();
    ASSERT_GT(bar_height, 0) << "the menu bar takes a strip above the client area";
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
    EXPECT_EQ(x, 300 - origin_x);
    EXPECT_EQ(y, origin_y - (300 - bar_height));
    VORBL_shutdown();
}
