// host_headless.cpp: the headless host: no screen, virtual time, injected input.
//
// Time is virtual and starts at 0 when the host is selected. A wait with nothing to retrieve
// moves the clock straight to the next timer deadline or scheduled action, whichever is first,
// and runs the actions due then, so tests are fast and repeatable. A wait on which nothing can
// ever happen prints one line and aborts: a test fails loudly instead of hanging. Windows are
// laid out as on Windows (the window system does that); this host only keeps no pixels of them.
//
// Depends on host_input.h (how input reaches the window system) and the US keyboard tables.
#include <headless_host.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/us_keyboard_layout.h"
#include "host/host.h"
#include "host/host_input.h"

namespace platform {

namespace {

struct ScheduledAction {
    std::uint64_t due = 0;
    std::uint64_t order = 0;  // actions due together run in the order they were scheduled
    void (*action)(void *) = nullptr;
    void *argument = nullptr;
};

bool headless_selected = false;
std::uint64_t virtual_now = 0;
std::uint64_t next_action_order = 0;
std::vector<ScheduledAction> scheduled;
int screen_width = 1024;
int screen_height = 768;
HostWindow next_host_window = 1;

// The scheduled action due first, or scheduled.end().
std::vector<ScheduledAction>::iterator earliest_action() {
    return std::min_element(scheduled.begin(), scheduled.end(),
                            [](const ScheduledAction &a, const ScheduledAction &b) {
                                return a.due != b.due ? a.due < b.due : a.order < b.order;
                            });
}

// Run every action due by now, including ones that those actions schedule for now.
void run_due_actions() {
    for (;;) {
        auto it = earliest_action();
        if (it == scheduled.end() || it->due > virtual_now) return;
        ScheduledAction due = *it;
        scheduled.erase(it);
        due.action(due.argument);
    }
}

HostWindow create_window(HWND, const char *, const HostPlacement &) { return next_host_window++; }

void destroy_window(HostWindow) {}
void show_window(HostWindow, bool) {}
void place_window(HostWindow, const HostPlacement &) {}
void present(HostWindow, const PixelSurface &) {}

void screen_size(int *width, int *height) {
    *width = screen_width;
    *height = screen_height;
}

std::uint64_t now_ms() { return virtual_now; }

void collect_input() { run_due_actions(); }

[[noreturn]] void report_deadlock() {
    std::fprintf(stderr,
                 "VORBL headless host: waiting for a message at %llu ms, but no input, timer or "
                 "scheduled action can ever arrive\n",
                 static_cast<unsigned long long>(virtual_now));
    std::abort();
}

bool wait_input(std::uint64_t deadline_ms) {
    auto next = earliest_action();
    std::uint64_t wake = deadline_ms;
    if (next != scheduled.end()) wake = std::min(wake, next->due);
    if (wake == kNoDeadline) report_deadlock();
    virtual_now = std::max(virtual_now, wake);
    run_due_actions();
    return true;
}

// Show states are kept by the window system alone: there is no desktop window to change.
void set_show_state(HostWindow, HostShowState) {}

constexpr HostBackend kHeadlessBackend = {false,         create_window, destroy_window, show_window,
                                          place_window,  present,       screen_size,    now_ms,
                                          collect_input, wait_input,    set_show_state};

void press(int vk, bool down) {
    ScanCode scan = scan_code_for_virtual_key(vk);
    host_input_key(vk, scan.code, scan.extended, down);
}

// Type a byte that no US key gives: remember it for a scan code of its own (the byte itself;
// no real key sends a make code above 0x7F), then press and release a key with that scan code.
void type_foreign_byte(unsigned char code) {
    host_input_text(kVirtualKeyForeignChar, code, code);
    host_input_key(kVirtualKeyForeignChar, code, false, true);
    host_input_key(kVirtualKeyForeignChar, code, false, false);
}

void type_us_stroke(const KeyStroke &stroke) {
    if (stroke.ctrl) press(VK_CONTROL, true);
    if (stroke.shift) press(VK_SHIFT, true);
    press(stroke.vk, true);
    press(stroke.vk, false);
    if (stroke.shift) press(VK_SHIFT, false);
    if (stroke.ctrl) press(VK_CONTROL, false);
}

// Content coordinates of a client point (the bar strip lies above the client area).
// A point near the largest int stays at it instead of wrapping.
int content_y(HWND window, int client_y) {
    const long long y = static_cast<long long>(client_y) + host_input_client_top(window);
    return static_cast<int>(std::min<long long>(y, INT_MAX));
}

}  // namespace

const HostBackend &headless_backend() { return kHeadlessBackend; }

bool headless_host_selected() { return headless_selected; }

}  // namespace platform

using namespace platform;

extern "C" void headless_host_use(void) { headless_selected = true; }

extern "C" unsigned headless_host_now_ms(void) { return static_cast<unsigned>(virtual_now); }

extern "C" void headless_host_after(unsigned ms, void (*action)(void *), void *arg) {
    if (action == nullptr) return;
    scheduled.push_back(ScheduledAction{virtual_now + ms, next_action_order++, action, arg});
}

extern "C" void headless_host_key(int vk, int down) {
    if (vk <= 0 || vk > 0xFE) return;
    press(vk, down != 0);
}

extern "C" void headless_host_char(unsigned char code) {
    KeyStroke stroke;
    if (us_layout_key_for_char(code, &stroke)) {
        type_us_stroke(stroke);
    } else {
        type_foreign_byte(code);
    }
}

extern "C" void headless_host_click(HWND window, int x, int y) {
    int at_y = content_y(window, y);
    host_input_mouse(window, false, true, x, at_y);
    host_input_mouse(window, false, false, x, at_y);
}

extern "C" void headless_host_move(HWND window, int x, int y) {
    host_input_mouse(window, true, false, x, content_y(window, y));
}

extern "C" void headless_host_resize(HWND window, int width, int height) {
    host_input_content_size(window, std::max(width, 0), std::max(height, 0));
}

extern "C" void headless_host_close(HWND window) { host_input_close(window); }

extern "C" void headless_host_set_screen(int width, int height) {
    screen_width = std::max(width, 0);
    screen_height = std::max(height, 0);
}
