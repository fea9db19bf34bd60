// A real window on the SDL2 host (run under Xvfb): a key press and a click made with xdotool
// arrive as window messages, the key translated to its character.
#include <SDL.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "x_error_about_gone_window.h"

namespace {

constexpr const char *kTitle = "VORBL Platform Display Test";
constexpr DWORD kPatienceMs = 8000;

std::vector<MSG> received;

LRESULT CALLBACK record(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != WM_TIMER && message != WM_PAINT) {
        MSG msg{};
        msg.hwnd = window;
        msg.message = message;
        msg.wParam = wparam;
        msg.lParam = lparam;
        received.push_back(msg);
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

// Output of a shell command, trimmed; empty when it fails.
std::string run(const std::string &command) {
    std::string out;
    FILE *pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
    pclose(pipe);
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    if (auto newline = out.find('\n'); newline != std::string::npos) out.resize(newline);
    return out;
}

// Dispatch messages (a 50 ms timer keeps the loop turning) until `done` or the patience ends.
template <typename Done>
bool pump_until(Done done) {
    DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < kPatienceMs) {
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) return false;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (done()) return true;
    }
    return false;
}

bool has(UINT message, WPARAM wparam) {
    for (const MSG &m : received) {
        if (m.message == message && m.wParam == wparam) return true;
    }
    return false;
}

const MSG *first(UINT message) {
    for (const MSG &m : received) {
        if (m.message == message) return &m;
    }
    return nullptr;
}

TEST(PlatformRealWindow, KeyPressAndClickFromTheDesktopArriveAsMessages) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = record;
    wc.hbrBackground = CreateSolidBrush(RGB(255, 255, 255));
    wc.lpszClassName = "PlatformDisplayTest";
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND window = CreateWindowExA(0, wc.lpszClassName, kTitle, WS_OVERLAPPEDWINDOW, 0, 0, 320, 240,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr) << "no display";
    ShowWindow(window, SW_SHOW);
    SetTimer(window, 1, 50, nullptr);
    int turns = 0;
    pump_until([&] { return ++turns > 4; });

    std::string id = run(std::string("timeout 10 xdotool search --sync --onlyvisible --name '^") +
                         kTitle + "$'");
    ASSERT_FALSE(id.empty()) << "xdotool did not find the window";
    ASSERT_EQ(std::system(("timeout 10 xdotool windowfocus --sync " + id + " key a").c_str()), 0);
    ASSERT_TRUE(pump_until([] { return has(WM_CHAR, 'a') && has(WM_KEYUP, 'A'); }))
        << "the key did not arrive";
    EXPECT_TRUE(has(WM_KEYDOWN, 'A'));
    EXPECT_TRUE(has(WM_KEYUP, 'A'));
    const MSG *down = first(WM_KEYDOWN);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ((down->lParam >> 16) & 0xFF, 0x1E) << "the scan code of A";

    // Text that follows no key-down (an input method's, here the euro sign) is a character of
    // its own and never sticks to the key pressed before it: the 9 after it stays a 9.
    auto push_key = [](bool pressed) {
        SDL_Event event{};
        event.type = pressed ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.state = pressed ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.scancode = SDL_SCANCODE_9;
        event.key.keysym.sym = SDLK_9;
        SDL_PushEvent(&event);
    };
    auto push_text = [](const char *text) {
        SDL_Event event{};
        event.type = SDL_TEXTINPUT;
        std::snprintf(event.text.text, sizeof event.text.text, "%s", text);
        SDL_PushEvent(&event);
    };
    push_key(true), push_text("9"), push_key(false);
    push_text("\xE2\x82\xAC");
    push_key(true), push_text("9"), push_key(false);
    auto characters = [] {
        std::string typed;
        for (const MSG &m : received) {
            if (m.message == WM_CHAR) typed += static_cast<char>(m.wParam);
        }
        return typed;
    };
    pump_until([&] { return characters().size() >= 4; });
    EXPECT_EQ(characters(),
              "a9\x80"
              "9");

    ASSERT_EQ(
        std::system(("timeout 10 xdotool mousemove --window " + id + " 40 30 click 1").c_str()), 0);
    ASSERT_TRUE(pump_until([] { return first(WM_LBUTTONUP) != nullptr; }))
        << "the click did not arrive";
    const MSG *press = first(WM_LBUTTONDOWN);
    ASSERT_NE(press, nullptr);
    EXPECT_EQ(press->wParam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(LOWORD(press->lParam), 40);
    EXPECT_EQ(HIWORD(press->lParam), 30);

    KillTimer(window, 1);
    DestroyWindow(window);
    DeleteObject(wc.hbrBackground);
}

// Xlib's default answer to a protocol error is to end the program. A late request about a
// window that is already gone (SDL's wake-up message to a closing window, seen once as a game
// that ended with exit code 1 after quitting) must not end it.
TEST(PlatformRealWindow, AnXErrorAboutAGoneWindowDoesNotEndTheProgram) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = record;
    wc.lpszClassName = "PlatformDisplayErrorTest";
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "Error test", WS_OVERLAPPEDWINDOW, 0, 0, 320,
                                  240, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr) << "no display";
    ASSERT_TRUE(provoke_x_error_about_gone_window()) << "no display for the second connection";
    EXPECT_TRUE(IsWindow(window)) << "still running, the window still there";
    DestroyWindow(window);
}

// SDL puts back the X error handler it found at start-up when it quits, and only then reads
// some answers (one to its wake-up message for a window already destroyed). The error must not
// turn the program's normal exit into exit code 1. Run in a child process: it ends the host.
TEST(PlatformRealWindowDeathTest, AnXErrorReadAfterShutdownDoesNotChangeTheExitCode) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto program = [] {
        if (!leave_x_error_about_gone_window_until_exit()) std::_Exit(2);
        WNDCLASSA wc{};
        wc.lpfnWndProc = record;
        wc.lpszClassName = "PlatformDisplayExitErrorTest";
        RegisterClassA(&wc);
        HWND window = CreateWindowExA(0, wc.lpszClassName, "Exit error test", WS_OVERLAPPEDWINDOW,
                                      0, 0, 320, 240, nullptr, nullptr, nullptr, nullptr);
        if (window == nullptr) std::_Exit(3);
        DestroyWindow(window);
        std::exit(0);
    };
    EXPECT_EXIT(program(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
