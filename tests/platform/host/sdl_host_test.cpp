// The SDL2 host without a display: window creation fails with one clear line on standard error
// (and the process entry can tell), SDL's invisible drivers serve only when named, and a wait
// that only a timer can end sleeps until the timer instead of failing or hanging.
#include <gtest/gtest.h>
#include <platform_display.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/wayland_desktop.h"

namespace {

LRESULT CALLBACK plain(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(window, message, wparam, lparam);
}

class SdlHostWithoutDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        setenv("SDL_VIDEODRIVER", "x11", 1);
        WNDCLASSA wc{};
        wc.lpfnWndProc = plain;
        wc.lpszClassName = "NoDisplay";
        RegisterClassA(&wc);
    }
    static HWND create() {
        return CreateWindowExA(0, "NoDisplay", "VORBL Graphics", WS_OVERLAPPEDWINDOW, 0, 0, 601,
                               540, nullptr, nullptr, nullptr, nullptr);
    }
};

TEST_F(SdlHostWithoutDisplay, CreationFailsWithOneClearLine) {
    testing::internal::CaptureStderr();
    HWND first = create();
    HWND second = create();
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(second, nullptr);
    const std::string expected =
        std::string(program_invocation_short_name) + ": no graphical display found: set DISPLAY";
    EXPECT_EQ(said.rfind(expected, 0), 0u) << said;
    EXPECT_NE(said.find("xvfb-run"), std::string::npos) << "it says what to do";
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line, once";
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 0);
    EXPECT_EQ(platform_display_failed(), 1);
}

TEST_F(SdlHostWithoutDisplay, WithNoDisplayNamedNoDriverIsTriedAndTheSameLineIsSaid) {
    unsetenv("SDL_VIDEODRIVER");
    testing::internal::CaptureStderr();
    EXPECT_EQ(create(), nullptr);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(": no graphical display found"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "nothing but the one line";
    EXPECT_EQ(platform_display_failed(), 1);
}

TEST_F(SdlHostWithoutDisplay, AnInvisibleDriverIsUsedOnlyWhenNamedAndSaysSo) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    testing::internal::CaptureStderr();
    HWND window = create();
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(window, nullptr);
    EXPECT_NE(said.find("the windows will not be visible"), std::string::npos) << said;
    EXPECT_EQ(platform_display_failed(), 0);
    DestroyWindow(window);
}

TEST_F(SdlHostWithoutDisplay, WaitsEndOnTimersAndFailWhenNothingCanArrive) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(create(), nullptr);
    testing::internal::GetCapturedStderr();
    MSG msg;
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), -1);
    EXPECT_EQ(msg.hwnd, nullptr);
    UINT_PTR timer = SetTimer(nullptr, 0, 10, nullptr);
    ASSERT_NE(timer, 0u);
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(msg.wParam, timer);
    KillTimer(nullptr, timer);
}

}  // namespace

// The Wayland probe that runs before SDL's Wayland driver: a socket name with no compositor
// behind it, or a runtime folder that does not exist, is no compositor, answered without hanging.
TEST(WaylandProbe, NoCompositorBehindTheNameIsUnreachable) {
    const auto runtime = std::filesystem::temp_directory_path() / "vorbl_wayland_probe_test";
    std::filesystem::create_directories(runtime);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    for (const char *name : {"vorbl-no-compositor", "wayland-0"}) {
        setenv("WAYLAND_DISPLAY", name, 1);
        EXPECT_EQ(platform::wayland::probe_compositor(), platform::wayland::Compositor::unreachable)
            << name;
    }
    setenv("XDG_RUNTIME_DIR", (runtime / "missing").c_str(), 1);
    EXPECT_EQ(platform::wayland::probe_compositor(), platform::wayland::Compositor::unreachable);
    unsetenv("WAYLAND_DISPLAY");
    std::filesystem::remove_all(runtime);
}
