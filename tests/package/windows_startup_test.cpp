// The two windows: their classes, titles and frames, typing into the text window, closing
// either one, the logging switch, and start-up and shutdown giving back what they take.
#include <platform_object_counts.h>

#include <array>
#include <string>

#include "event_fixture.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

RECT frame_of(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return frame;
}

// The two windows' frames as start-up places them on a screen of this size.
struct Frames {
    RECT graphics;
    RECT text;
};
Frames started_frames(int screen_width, int screen_height) {
    headless_host_use();
    headless_host_set_screen(screen_width, screen_height);
    VORBL_startup(GetModuleHandleA(nullptr), nullptr, const_cast<char *>(""), SW_SHOWNORMAL);
    const Frames frames = {frame_of(graphics_hwnd), frame_of(text_hwnd)};
    VORBL_shutdown();
    return frames;
}

}  // namespace

TEST_F(StartedPackage, WindowsHaveTheirClassesTitlesAndFrames) {
    EXPECT_EQ(FindWindowA("DrawWndClass", "VORBL Graphics"), graphics_hwnd);
    EXPECT_EQ(FindWindowA("TextWndClass", "VORBL Text"), text_hwnd);
    const RECT graphics = frame_of(graphics_hwnd);
    EXPECT_EQ(graphics.left, 0);
    EXPECT_EQ(graphics.top, 0);
    EXPECT_EQ(graphics.right, 601);
    EXPECT_EQ(graphics.bottom, 540);
    const RECT text = frame_of(text_hwnd);
    EXPECT_EQ(text.left, 0);
    EXPECT_EQ(text.top, 550);
    EXPECT_EQ(text.right - text.left, 601);
    EXPECT_TRUE(IsWindowVisible(graphics_hwnd));
    EXPECT_TRUE(IsWindowVisible(text_hwnd));
    // The origin is the centre of the client area left inside the frame, the caption and the
    // menu bar: 595 x 496, as Windows lays the graphics window out.
    RECT client{};
    GetClientRect(graphics_hwnd, &client);
    EXPECT_EQ(client.right, 595);
    EXPECT_EQ(client.bottom, 496);
    EXPECT_EQ(origin_x, 297);
    EXPECT_EQ(origin_y, 248);
}

// Shutdown gives everything back, so one process can start the package once per screen. A screen
// tall enough keeps the text window a third of its height, below the graphics window; a shorter
// one keeps the text window's bottom rows (its newest lines) on the screen, and the graphics
// window where it is.
TEST(WindowPlaces, TheTextWindowIsAThirdOfTheScreenHighAndStaysOnTheScreen) {
    const struct {
        int screen_width, screen_height;
        RECT text;
    } cases[] = {
        {1280, 1024, {0, 550, 601, 891}},  // 341: a third, rounded down
        {1280, 891, {0, 550, 601, 847}},   // 297 fits exactly: the described layout
        {1024, 768, {0, 550, 601, 768}},   // shortened to the screen's bottom
        {640, 480, {0, 320, 601, 480}},    // too little room below: a third, raised
        {560, 400, {0, 267, 560, 400}},    // and no wider than the screen
    };
    for (const auto &c : cases) {
        const Frames frames = started_frames(c.screen_width, c.screen_height);
        const RECT &text = frames.text;
        EXPECT_EQ((std::array{text.left, text.top, text.right, text.bottom}),
                  (std::array{c.text.left, c.text.top, c.text.right, c.text.bottom}))
            << c.screen_width << " x " << c.screen_height;
        const RECT &graphics = frames.graphics;
        EXPECT_EQ((std::array{graphics.left, graphics.top, graphics.right, graphics.bottom}),
                  (std::array<LONG, 4>{0, 0, 601, 540}));
    }
}

TEST_F(StartedPackage, KeysTypedIntoTheTextWindowReachTheProgram) {
    SetFocus(text_hwnd);
    after(10, [](void *) { headless_host_char('x'); });
    const WaitResult typed = wait_for_event();
    EXPECT_EQ(typed.kind, EVENT_KBD);
    EXPECT_EQ(typed.key, 'x');
    after(10, [](void *) { press_ctrl_letter('Q'); });
    EXPECT_EQ(wait_for_event().kind, EVENT_QUIT);
}

TEST_F(StartedPackage, ClosingTheTextWindowLeavesTheProgramRunning) {
    VORBL_set_animation(ANIMATE_RUN);
    after(10, [](void *) { headless_host_close(text_hwnd); });
    EXPECT_EQ(wait_for_event().kind, EVENT_PERIODIC);
    EXPECT_EQ(wait_for_event().kind, EVENT_PERIODIC);
    EXPECT_FALSE(IsWindow(text_hwnd));
}

TEST_F(StartedPackage, ClosingTheGraphicsWindowEndsThisAndEveryLaterWait) {
    VORBL_set_animation(ANIMATE_RUN);
    after(70, [](void *) { headless_host_close(graphics_hwnd); });
    EXPECT_EQ(wait_for_event().kind, EVENT_PERIODIC);
    const WaitResult closed = wait_for_event();
    EXPECT_EQ(closed.kind, EVENT_QUIT);
    EXPECT_EQ(closed.at_ms, 70u);
    // The window is gone: a further wait has nothing to block on and must not hang.
    const WaitResult later = wait_for_event();
    EXPECT_EQ(later.kind, EVENT_QUIT);
    EXPECT_EQ(later.at_ms, 70u);
    VORBL_shutdown();  // still gives back the context and the text window
    PlatformObjectCounts counts{};
    platform_object_counts(&counts);
    EXPECT_EQ(counts.window_dcs, 0);
    EXPECT_EQ(counts.windows, 0);
}

TEST_F(StartedPackage, WindowQuitMessageSentToTheGraphicsWindowEndsTheWait) {
    SendMessageA(graphics_hwnd, WM_QUIT, 0, 0);
    EXPECT_EQ(wait_for_event().kind, EVENT_QUIT);
}

TEST_F(StartedPackage, LoggingSwitchSetsTheFlagCheckMarkAndShowsTheTextWindow) {
    VORBL_show_text_window(0);
    PostMessageA(graphics_hwnd, WM_COMMAND, CMD_LOGGING, 0);  // logging off, as from the menu
    PostMessageA(graphics_hwnd, WM_COMMAND, CMD_LOGGING, 0);  // and on again
    after(100, click_centre);
    wait_for_event();
    EXPECT_EQ(logging_on, 1);
    EXPECT_FALSE(IsWindowVisible(text_hwnd));  // the command does not show the window

    EXPECT_EQ(VORBL_set_logging(0), 1);
    EXPECT_EQ(GetMenuState(run_menu, CMD_LOGGING, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(VORBL_set_logging(7), 1);
    EXPECT_EQ(logging_on, 1);
    EXPECT_EQ(GetMenuState(run_menu, CMD_LOGGING, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
    EXPECT_TRUE(IsWindowVisible(text_hwnd));
    EXPECT_NE(VORBL_show_text_window(0), 0);  // answers that the window was visible
}

TEST(PackageLifetime, ShutdownGivesBackEverythingAndLaterCallsAreHarmless) {
    EXPECT_EQ(VORBL_set_logging(1), 0);
    headless_host_use();
    PlatformObjectCounts before{}, after_shutdown{};
    platform_object_counts(&before);
    VORBL_startup(GetModuleHandleA(nullptr), nullptr, const_cast<char *>(""), SW_SHOWNORMAL);
    HWND first = graphics_hwnd;
    VORBL_startup(GetModuleHandleA(nullptr), nullptr, const_cast<char *>(""), SW_SHOWNORMAL);
    EXPECT_EQ(graphics_hwnd, first);  // a second start-up makes no second set of windows
    VORBL_set_logging(0);
    VORBL_clear_canvas();
    EXPECT_EQ(VORBL_shutdown(), 1);
    platform_object_counts(&after_shutdown);
    EXPECT_EQ(after_shutdown.windows, before.windows);
    EXPECT_EQ(after_shutdown.window_dcs, before.window_dcs);
    EXPECT_EQ(after_shutdown.memory_dcs, before.memory_dcs);
    EXPECT_EQ(after_shutdown.bitmaps, before.bitmaps);
    EXPECT_EQ(after_shutdown.brushes, before.brushes);
    EXPECT_EQ(after_shutdown.menus, before.menus);
    EXPECT_EQ(after_shutdown.timers, before.timers);
    EXPECT_EQ(VORBL_draw_circle(RED, 0, 0, 10), 1);  // no canvas any more: drawing does nothing
    EXPECT_EQ(VORBL_wait_event(nullptr, nullptr, nullptr), EVENT_QUIT);
    EXPECT_EQ(VORBL_shutdown(), 1);
}

// Shutdown puts the package back to its load-time state: the quit posted when the graphics
// window went, the program's quit request and the text ring's lines do not reach a later run.
TEST(PackageLifetime, AStartUpAfterShutdownBeginsClean) {
    headless_host_use();
    PlatformObjectCounts at_load{};
    platform_object_counts(&at_load);
    VORBL_startup(GetModuleHandleA(nullptr), nullptr, const_cast<char *>(""), SW_SHOWNORMAL);
    VORBL_set_logging(0);
    VORBL_set_animation(ANIMATE_QUIT);
    VORBL_text_printf("from the first run");
    VORBL_shutdown();
    PlatformObjectCounts after_shutdown{};
    platform_object_counts(&after_shutdown);
    EXPECT_EQ(after_shutdown.global_blocks, at_load.global_blocks);
    EXPECT_EQ(text_first, -1);
    EXPECT_EQ(text_next, 0);

    VORBL_startup(GetModuleHandleA(nullptr), nullptr, const_cast<char *>(""), SW_SHOWNORMAL);
    EXPECT_EQ(logging_on, 1);
    after(100, click_centre);
    const WaitResult first = wait_for_event();
    EXPECT_EQ(first.kind, EVENT_MOUSE);
    EXPECT_EQ(first.at_ms, 100u);
    VORBL_shutdown();
}

// A graphics window that cannot be made (here its class refuses creation) leaves the package
// not started, and start-up says so: 0 and one line. Nothing blocks, nothing is drawn, and
// shutdown still gives everything back.
TEST(PackageLifetime, WithoutAGraphicsWindowThePackageStaysInert) {
    headless_host_use();
    WNDCLASSA refusing{};
    refusing.lpfnWndProc = [](HWND window, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
        return message == WM_CREATE ? -1 : DefWindowProcA(window, message, wparam, lparam);
    };
    refusing.lpszClassName = "DrawWndClass";
    ASSERT_NE(RegisterClassA(&refusing), 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(VORBL_startup(GetModuleHandleA(nullptr), nullptr, "", 1), 0);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "VORBL: the graphics window could not be made; the package did not start\n");
    EXPECT_EQ(graphics_hwnd, nullptr);
    EXPECT_EQ(VORBL_set_animation(ANIMATE_RUN), 0);
    EXPECT_EQ(VORBL_draw_circle(RED, 0, 0, 10), 1);
    EXPECT_EQ(VORBL_wait_event(nullptr, nullptr, nullptr), EVENT_QUIT);
    VORBL_shutdown();
    PlatformObjectCounts counts{};
    platform_object_counts(&counts);
    EXPECT_EQ(counts.windows, 0);
    EXPECT_EQ(counts.brushes, 0);
}
