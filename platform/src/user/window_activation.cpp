// window_activation.cpp: the active window and the stacking order of the top-level windows.
//
// The stacking order is kept only to know which window takes over activation when the active
// one is hidden or destroyed: the topmost other visible window, as on Windows. Every activation
// moves the window to the top.
#include "user/window_activation.h"
#include "core/memory_exhaustion.h"

#include <algorithm>
#include <vector>

#include "user/window_table.h"

namespace platform {

namespace {

std::vector<HWND> z_order;  // topmost first
HWND active = nullptr;

void send_activate_app(BOOL activating) {
    for (HWND each : std::vector<HWND>(z_order)) {
        if (find_window(each) != nullptr) SendMessageA(each, WM_ACTIVATEAPP, activating, 0);
    }
}

// The topmost visible window other than `leaving`, or nullptr.
HWND next_to_activate(HWND leaving) {
    for (HWND each : z_order) {
        const Window *window = find_window(each);
        if (each != leaving && window != nullptr && window->visible && !window->destroying) {
            return each;
        }
    }
    return nullptr;
}

void deactivate(HWND leaving, HWND next) {
    if (find_window(leaving) == nullptr) return;
    SendMessageA(leaving, WM_NCACTIVATE, FALSE, 0);
    SendMessageA(leaving, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(next));
}

void activate(HWND window, WORD how, HWND previous) {
    active = window;
    SendMessageA(window, WM_NCACTIVATE, TRUE, 0);
    if (find_window(window) == nullptr) return;
    SendMessageA(window, WM_ACTIVATE, MAKEWPARAM(how, 0), reinterpret_cast<LPARAM>(previous));
}

}  // namespace

HWND active_window() { return find_window(active) != nullptr ? active : nullptr; }

void z_order_add(HWND window) { z_order.insert(z_order.begin(), window); }

void z_order_remove(HWND window) {
    z_order.erase(std::remove(z_order.begin(), z_order.end(), window), z_order.end());
    if (active == window) active = nullptr;
}

void z_order_to_top(HWND window) {
    auto it = std::find(z_order.begin(), z_order.end(), window);
    if (it == z_order.end()) return;
    z_order.erase(it);
    z_order.insert(z_order.begin(), window);
}

void z_order_to_bottom(HWND window) {
    auto it = std::find(z_order.begin(), z_order.end(), window);
    if (it == z_order.end()) return;
    z_order.erase(it);
    z_order.push_back(window);
}

void window_activate(HWND window, WORD how) {
    if (find_window(window) == nullptr || window == active_window()) return;
    const HWND previous = active_window();
    z_order_to_top(window);
    if (previous != nullptr) {
        deactivate(previous, window);
    } else {
        send_activate_app(TRUE);
    }
    if (find_window(window) != nullptr) activate(window, how, previous);
}

void window_activate_restored(HWND window) {
    if (find_window(window) == nullptr) return;
    if (window != active_window()) {
        window_activate(window, WA_ACTIVE);
        return;
    }
    // Still the active window: it takes back the focus it lost as an icon, then hears
    // WM_ACTIVATE again (its caption never went inactive, so no WM_NCACTIVATE).
    window_change_focus(window);
    if (find_window(window) == nullptr) return;
    SendMessageA(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
}

bool window_click_activation(const MSG &press) {
    if (press.message != WM_LBUTTONDOWN && press.message != WM_NCLBUTTONDOWN) return false;
    if (find_window(press.hwnd) == nullptr || press.hwnd == active_window()) return false;
    const WORD hit = press.message == WM_LBUTTONDOWN ? HTCLIENT : LOWORD(press.wParam);
    const LRESULT answer =
        SendMessageA(press.hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(press.hwnd),
                     MAKELPARAM(hit, press.message));
    if (answer != MA_NOACTIVATE && answer != MA_NOACTIVATEANDEAT)
        window_activate(press.hwnd, WA_CLICKACTIVE);
    return answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT;
}

void window_pass_activation(HWND window) {
    if (window == active_window()) {
        const HWND next = next_to_activate(window);
        deactivate(window, next);
        active = nullptr;
        if (next != nullptr) {
            z_order_to_top(next);
            activate(next, WA_ACTIVE, window);
        } else {
            send_activate_app(FALSE);
        }
    }
    if (focused_window() == window) window_change_focus(nullptr);
}

}  // namespace platform

extern "C" HWND WINAPI GetActiveWindow(void) {
    return platform::fail_when_memory_runs_out<HWND>(
        nullptr, [&]() -> HWND { return platform::active_window(); });
}
