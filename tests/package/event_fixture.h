// event_fixture.h: a started package on the headless host, and small helpers that schedule
// input at virtual times and collect what VORBL_wait_event returns and when.
//
// Each test runs in its own process, so every test starts from the package's load-time state.
#pragma once

#include <gtest/gtest.h>
#include <headless_host.h>

#include "vorbl_internal.h"

using namespace vorbl;  // the package's internal state, which these read and set

struct WaitResult {
    int kind;
    int x;
    int y;
    unsigned char key;
    unsigned at_ms;  // virtual time when the wait returned
};

// One wait, with out-parameters primed to values the wait must overwrite.
inline WaitResult wait_for_event() {
    WaitResult result{0, -777, -777, 0xAB, 0};
    result.kind = VORBL_wait_event(&result.x, &result.y, &result.key);
    result.at_ms = headless_host_now_ms();
    return result;
}

// Run `action` `ms` virtual milliseconds from now. Captureless lambdas convert to the pointer.
inline void after(unsigned ms, void (*action)(void *), void *arg = nullptr) {
    headless_host_after(ms, action, arg);
}

// Ctrl held around one letter key, as a person types it (optionally with Shift as well).
inline void press_ctrl_letter(int letter, bool with_shift = false) {
    headless_host_key(VK_CONTROL, 1);
    if (with_shift) {
        headless_host_key(VK_SHIFT, 1);
    }
    headless_host_key(letter, 1);
    headless_host_key(letter, 0);
    if (with_shift) {
        headless_host_key(VK_SHIFT, 0);
    }
    headless_host_key(VK_CONTROL, 0);
}

inline void click_graphics_at(int x, int y) { headless_host_click(graphics_hwnd, x, y); }

// The centre of the graphics window's client area, which is logical (0, 0).
inline POINT client_centre() {
    RECT client{};
    GetClientRect(graphics_hwnd, &client);
    return POINT{client.right / 2, client.bottom / 2};
}

inline void click_centre(void *) {
    const POINT centre = client_centre();
    click_graphics_at(centre.x, centre.y);
}

class StartedPackage : public ::testing::Test {
protected:
    void SetUp() override {
        headless_host_use();
        VORBL_startup(GetModuleHandleA(nullptr), nullptr, const_cast<char *>(""), SW_SHOWNORMAL);
        ASSERT_NE(graphics_hwnd, nullptr);
        VORBL_clear_canvas();
    }
    void TearDown() override { VORBL_shutdown(); }
};
