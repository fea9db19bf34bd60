// Tests of the messages Windows sends around showing, hiding, destroying, moving and sizing
// top-level windows: activation passing between two windows, the focus following it, and the
// window-position messages with the WM_MOVE and WM_SIZE that follow them. The expected orders
// are those a Win32 program records on Wine for the same calls (less the messages this layer
// does not send: WM_GETMINMAXINFO, WM_NCCALCSIZE, WM_NCPAINT, WM_GETICON, WM_QUERYNEWPALETTE
// and the input-method ones). A show or a resize erases the client area at once, as there.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "recording_window.h"

namespace {

class WindowMessages : public ::testing::Test {
protected:
    void SetUp() override {
        headless_host_use();
        recording::register_class();
        graphics = make("G", WS_CAPTION | WS_SYSMENU, 0, 0, 601, 540);
        text = make("T", WS_OVERLAPPEDWINDOW, 0, 550, 601, 256);
        recording::seen.clear();
    }

    static HWND make(const char *title, DWORD style, int x, int y, int width, int height) {
        return CreateWindowExA(0, recording::kClassName, title, style, x, y, width, height, nullptr,
                               nullptr, nullptr, nullptr);
    }

    // The recorded messages as "window message detail" lines, without paints and timers.
    std::vector<std::string> trace() const {
        std::vector<std::string> lines;
        for (const recording::Seen &s : recording::seen) {
            std::string line = name_of(s.hwnd);
            add_field(line, message_name(s.message));
            if (line.back() == '?') continue;
            if (s.message == WM_ACTIVATE) {
                add_field(line, std::to_string(LOWORD(s.wparam)));
                add_field(line, name_of(reinterpret_cast<HWND>(s.lparam)));
            }
            if (s.message == WM_NCACTIVATE || s.message == WM_ACTIVATEAPP ||
                s.message == WM_SHOWWINDOW) {
                add_field(line, std::to_string(s.wparam));
            }
            if (s.message == WM_SETFOCUS || s.message == WM_KILLFOCUS) {
                add_field(line, name_of(reinterpret_cast<HWND>(s.wparam)));
            }
            if (s.message == WM_SIZE || s.message == WM_MOVE) {
                add_field(line, std::to_string(static_cast<short>(LOWORD(s.lparam))) + "," +
                                    std::to_string(static_cast<short>(HIWORD(s.lparam))));
            }
            lines.push_back(line);
        }
        recording::seen.clear();
        return lines;
    }

    // Appends in place: GCC 12's optimiser reports a false -Wrestrict for `" " + std::string`
    // in this function, which breaks the release build under -Werror.
    static void add_field(std::string &line, const std::string &field) {
        line += ' ';
        line += field;
    }

    std::string name_of(HWND window) const {
        if (window == nullptr) return "0";
        if (window == graphics) return "G";
        if (window == text) return "T";
        return "other";
    }

    static std::string message_name(UINT message) {
        switch (message) {
            case WM_SHOWWINDOW: return "SHOWWINDOW";
            case WM_WINDOWPOSCHANGING: return "POSCHANGING";
            case WM_WINDOWPOSCHANGED: return "POSCHANGED";
            case WM_ACTIVATEAPP: return "ACTIVATEAPP";
            case WM_NCACTIVATE: return "NCACTIVATE";
            case WM_ACTIVATE: return "ACTIVATE";
            case WM_SETFOCUS: return "SETFOCUS";
            case WM_KILLFOCUS: return "KILLFOCUS";
            case WM_SIZE: return "SIZE";
            case WM_MOVE: return "MOVE";
            case WM_ERASEBKGND: return "ERASEBKGND";
            case WM_DESTROY: return "DESTROY";
            case WM_NCDESTROY: return "NCDESTROY";
            default: return "?";
        }
    }

    HWND graphics = nullptr;
    HWND text = nullptr;
};

using Lines = std::vector<std::string>;

TEST_F(WindowMessages, TheFirstShowsActivateAndSendTheSizeAndMoveKeptForThem) {
    ShowWindow(text, SW_SHOWNORMAL);
    EXPECT_EQ(trace(), (Lines{"T SHOWWINDOW 1", "T POSCHANGING", "T ACTIVATEAPP 1",
                              "G ACTIVATEAPP 1", "T NCACTIVATE 1", "T ACTIVATE 1 0", "T SETFOCUS 0",
                              "T ERASEBKGND", "T POSCHANGED", "T SIZE 593,229", "T MOVE 4,573"}));
    ShowWindow(graphics, SW_SHOWNORMAL);
    EXPECT_EQ(trace(), (Lines{"G SHOWWINDOW 1", "G POSCHANGING", "T NCACTIVATE 0", "T ACTIVATE 0 G",
                              "G NCACTIVATE 1", "G ACTIVATE 1 T", "T KILLFOCUS G", "G SETFOCUS T",
                              "G ERASEBKGND", "G POSCHANGED", "G SIZE 595,515", "G MOVE 3,22"}));
    EXPECT_EQ(GetActiveWindow(), graphics);
    EXPECT_EQ(GetFocus(), graphics);
    ShowWindow(graphics, SW_SHOW);
    EXPECT_EQ(trace(), Lines{}) << "showing the active window again changes nothing";
}

TEST_F(WindowMessages, HidingOrDestroyingTheActiveWindowPassesActivationOn) {
    ShowWindow(text, SW_SHOWNORMAL);
    ShowWindow(graphics, SW_SHOWNORMAL);
    trace();
    ShowWindow(graphics, SW_HIDE);
    EXPECT_EQ(trace(), (Lines{"G SHOWWINDOW 0", "G POSCHANGING", "G POSCHANGED", "G NCACTIVATE 0",
                              "G ACTIVATE 0 T", "T NCACTIVATE 1", "T ACTIVATE 1 G", "G KILLFOCUS T",
                              "T SETFOCUS G"}));
    ShowWindow(graphics, SW_SHOW);
    EXPECT_EQ(trace(), (Lines{"G SHOWWINDOW 1", "G POSCHANGING", "T NCACTIVATE 0", "T ACTIVATE 0 G",
                              "G NCACTIVATE 1", "G ACTIVATE 1 T", "T KILLFOCUS G", "G SETFOCUS T",
                              "G ERASEBKGND", "G POSCHANGED"}))
        << "shown again: erased again, and no WM_SIZE or WM_MOVE this time";
    DestroyWindow(graphics);
    EXPECT_EQ(trace(), (Lines{"G POSCHANGING", "G POSCHANGED", "G NCACTIVATE 0", "G ACTIVATE 0 T",
                              "T NCACTIVATE 1", "T ACTIVATE 1 G", "G KILLFOCUS T", "T SETFOCUS G",
                              "G DESTROY", "G NCDESTROY"}))
        << "a top-level window gets no WM_SHOWWINDOW when it is destroyed";
    DestroyWindow(text);
    EXPECT_EQ(trace(), (Lines{"T POSCHANGING", "T POSCHANGED", "T NCACTIVATE 0", "T ACTIVATE 0 0",
                              "T ACTIVATEAPP 0", "T KILLFOCUS 0", "T DESTROY", "T NCDESTROY"}));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowMessages, MoveWindowAndSetWindowPosMoveAndSizeWithTheirMessages) {
    ShowWindow(graphics, SW_SHOWNORMAL);
    trace();
    EXPECT_TRUE(MoveWindow(graphics, 10, 20, 601, 540, TRUE));
    EXPECT_EQ(trace(), (Lines{"G POSCHANGING", "G POSCHANGED", "G MOVE 13,42"}));
    EXPECT_TRUE(SetWindowPos(graphics, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
    EXPECT_EQ(trace(), (Lines{"G POSCHANGING", "G POSCHANGED", "G MOVE 33,62"}));
    EXPECT_TRUE(SetWindowPos(graphics, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER));
    EXPECT_EQ(trace(), (Lines{"G POSCHANGING", "G ERASEBKGND", "G POSCHANGED", "G SIZE 494,375"}));
    EXPECT_TRUE(
        SetWindowPos(graphics, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER));
    EXPECT_EQ(trace(), Lines{"G POSCHANGING"}) << "nothing changed, nothing more is said";
    RECT outer, client;
    GetWindowRect(graphics, &outer);
    GetClientRect(graphics, &client);
    EXPECT_EQ(outer.left, 30);
    EXPECT_EQ(outer.top, 40);
    EXPECT_EQ(outer.right, 530);
    EXPECT_EQ(outer.bottom, 440);
    EXPECT_EQ(client.right, 494);
    EXPECT_EQ(client.bottom, 375);
    EXPECT_FALSE(MoveWindow(reinterpret_cast<HWND>(0x5678), 0, 0, 10, 10, TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(WindowMessages, AResizeOnTheDesktopReachesTheProgramAsWmSize) {
    ShowWindow(text, SW_SHOWNORMAL);
    trace();
    headless_host_resize(text, 700, 300);
    EXPECT_EQ(trace(), (Lines{"T POSCHANGING", "T ERASEBKGND", "T POSCHANGED", "T SIZE 700,300"}));
    RECT outer;
    GetWindowRect(text, &outer);
    EXPECT_EQ(outer.right - outer.left, 708) << "the frame is added around the new content";
    EXPECT_EQ(outer.bottom - outer.top, 327);
}

TEST_F(WindowMessages, WindowRectanglesSaturateInsteadOfOverflowing) {
    HWND far = make("far", WS_OVERLAPPEDWINDOW, INT_MAX - 647, INT_MAX - 647, 2000, 2000);
    ASSERT_NE(far, nullptr);
    RECT outer;
    ASSERT_TRUE(GetWindowRect(far, &outer));
    EXPECT_EQ(outer.left, INT_MAX - 647);
    EXPECT_EQ(outer.right, INT_MAX);
    EXPECT_EQ(outer.bottom, INT_MAX);
    EXPECT_TRUE(MoveWindow(far, INT_MAX, INT_MIN, INT_MAX, INT_MAX, FALSE));
    ASSERT_TRUE(GetWindowRect(far, &outer));
    EXPECT_EQ(outer.left, INT_MAX);
    EXPECT_EQ(outer.right, INT_MAX);
    EXPECT_EQ(outer.top, INT_MIN);
    EXPECT_GE(outer.bottom, outer.top);
    DestroyWindow(far);

    // Points a host reports near the largest int saturate too (the sanitizer build checks the
    // arithmetic); the click lands far outside the window and gives no message.
    HWND small = make("small", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    ASSERT_NE(small, nullptr);
    ShowWindow(small, SW_SHOWNORMAL);
    trace();
    headless_host_click(small, 0, INT_MAX);
    headless_host_move(small, INT_MAX, INT_MAX);
    EXPECT_EQ(trace(), Lines{});
    DestroyWindow(small);
}

}  // namespace
