// On a real X display (run under Xvfb) with VORBL_SCALE=2: the package's windows are shown twice
// as large, each pixel a sharp 2 x 2 square, and a real click, made by xdotool at a screen pixel,
// reaches the program at the logical point it covers, as at scale 1.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "vorbl_internal.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

constexpr int kScale = 2;
// Without a window manager the content (menu bar, then client area) is where Windows puts the
// client area: inside the 3-pixel frame and below the 19-pixel caption, then scaled.
constexpr int kContentX = 3 * kScale;
constexpr int kContentY = (3 + 19) * kScale;
constexpr int kBar = 19 * kScale;

std::string run(const std::string &command) {
    std::string output;
    if (FILE *pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
        pclose(pipe);
    }
    return output;
}

}  // namespace

TEST(PackageScaled, WindowsAreTwiceAsLargeAndClicksMapBack) {
    ASSERT_EQ(std::system("command -v xdotool >/dev/null 2>&1"), 0) << "xdotool is needed";
    setenv("VORBL_SCALE", "2", 1);
    VORBL_startup(GetModuleHandleA(nullptr), nullptr, const_cast<char *>(""), SW_SHOWNORMAL);
    ASSERT_NE(graphics_hwnd, nullptr);
    VORBL_set_logging(0);
    VORBL_clear_canvas();
    RECT client{};
    GetClientRect(graphics_hwnd, &client);
    EXPECT_EQ(client.right, 595) << "the program sees the same client area at every scale";
    EXPECT_EQ(client.bottom, 496);
    const std::string geometry =
        run("xdotool search --sync --name '^VORBL Graphics$' getwindowgeometry");
    EXPECT_NE(geometry.find("Geometry: 1190x1030"), std::string::npos) << geometry;

    // Click the screen pixel that shows client pixel (400, 100): logical (103, 148).
    const int x = kContentX + 400 * kScale + 1;
    const int y = kContentY + kBar + 100 * kScale + 1;
    const std::string script = "(sleep 1; xdotool mousemove " + std::to_string(x) + " " +
                               std::to_string(y) + " click 1) >/dev/null 2>&1 &";
    ASSERT_EQ(std::system(script.c_str()), 0);
    int kind = 0, event_x = 0, event_y = 0;
    unsigned char key = 0;
    for (int waits = 0; waits < 400 && kind != EVENT_MOUSE && kind != EVENT_QUIT; ++waits) {
        kind = VORBL_wait_event(&event_x, &event_y, &key);
    }
    ASSERT_EQ(kind, EVENT_MOUSE);
    EXPECT_EQ(event_x, 400 - origin_x);
    EXPECT_EQ(event_y, origin_y - 100);
    VORBL_shutdown();
}
