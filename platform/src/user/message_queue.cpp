// message_queue.cpp: GetMessageA, PeekMessageA, PostMessageA, PostQuitMessage, DispatchMessageA.
//
// Retrieval order, as on Windows: posted messages (FIFO, first one passing the filter), then
// WM_QUIT once PostQuitMessage was called and no posted message passes the filter, then input
// (keyboard and mouse share one FIFO; keys read while no window has the focus go to the active
// window as WM_SYSKEYDOWN and WM_SYSKEYUP, as Windows sends them to a minimised active window),
// then a synthesized WM_PAINT for a window with an update region, then a synthesized WM_TIMER for
// an expired timer. With nothing to retrieve the host waits for input until the next timer
// deadline, so the program never polls.
//
// A termination signal is turned into the quit message here, on the program's thread.
//
// Depends on the window table, the timers, the keyboard state, the quit signals and the host.
// Re-entrant: a dispatch may run a nested message loop (the modal menu loop does), so no iterator
// or window pointer is held across a call that may run a window procedure.
#include "user/message_queue.h"
#include "core/memory_exhaustion.h"

#include <cstdio>
#include <deque>

#include "host/host.h"
#include "user/keyboard_state.h"
#include "user/quit_signals.h"
#include "user/timers.h"
#include "user/window_activation.h"
#include "user/window_surface.h"
#include "user/window_table.h"

namespace platform {

namespace {

std::deque<MSG> posted_messages;
std::deque<MSG> input_messages;
bool quit_requested = false;
int quit_code = 0;

struct Filter {
    HWND window = nullptr;
    UINT first = 0;
    UINT last = 0;

    bool takes(UINT message) const {
        if (first == 0 && last == 0) return true;
        return message >= first && message <= last;
    }
    bool matches(const MSG &msg) const {
        return hwnd_filter_matches(window, msg.hwnd) && takes(msg.message);
    }
};

DWORD tick_now() { return static_cast<DWORD>(host().now_ms()); }

MSG make_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wparam;
    msg.lParam = lparam;
    msg.time = tick_now();
    return msg;
}

bool take_from(std::deque<MSG> &queue, const Filter &filter, bool remove, MSG *out) {
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!filter.matches(*it)) continue;
        *out = *it;
        if (remove) queue.erase(it);
        return true;
    }
    return false;
}

bool take_quit(bool remove, MSG *out) {
    if (!quit_requested) return false;
    *out = make_message(nullptr, WM_QUIT, static_cast<WPARAM>(quit_code), 0);
    if (remove) quit_requested = false;
    return true;
}

// A key read while no window has the focus goes to the active window as a system key, whichever
// window it was queued for (the focus went away after it was queued, as when a window minimises).
void route_keys_without_focus() {
    const HWND active = active_window();
    if (active == nullptr || GetFocus() != nullptr) return;
    for (MSG &msg : input_messages) {
        if (msg.message == WM_KEYDOWN) msg.message = WM_SYSKEYDOWN;
        if (msg.message == WM_KEYUP) msg.message = WM_SYSKEYUP;
        if (msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSKEYUP) msg.hwnd = active;
    }
}

// A press on an inactive window activates it as it is retrieved, and may be eaten by the
// window's WM_MOUSEACTIVATE answer; the next input message is taken then.
// Keys are routed again after each eaten press, whose activation may have moved the focus.
bool take_input(const Filter &filter, bool remove, MSG *out) {
    for (;;) {
        route_keys_without_focus();
        if (!take_from(input_messages, filter, remove, out)) return false;
        if (!remove) return true;
        keyboard_note_retrieved(*out);
        if (!window_click_activation(*out)) return true;
    }
}

bool take_paint(const Filter &filter, MSG *out) {
    if (!filter.takes(WM_PAINT)) return false;
    HWND window = window_needing_paint(filter.window);
    if (window == nullptr) return false;
    *out = make_message(window, WM_PAINT, 0, 0);
    return true;
}

bool take_timer(const Filter &filter, bool remove, MSG *out) {
    if (!filter.takes(WM_TIMER)) return false;
    if (!timers_take_expired(filter.window, host().now_ms(), remove, out)) return false;
    out->time = tick_now();
    return true;
}

// One retrieval attempt over all five sources, in Windows' order.
bool retrieve(const Filter &filter, bool remove, MSG *out) {
    return take_from(posted_messages, filter, remove, out) || take_quit(remove, out) ||
           take_input(filter, remove, out) || take_paint(filter, out) ||
           take_timer(filter, remove, out);
}

// A window filter that names no live window is an error (a thread filter is not).
bool filter_is_valid(HWND window) {
    if (window == nullptr) return true;
    if (window == reinterpret_cast<HWND>(static_cast<intptr_t>(-1))) return true;
    return find_window(window) != nullptr;
}

// A termination signal caught since the last look is the program's quit (quit_signals.h).
void post_quit_for_signal() {
    if (quit_signals_take()) PostQuitMessage(0);
}

void prepare_retrieval() {
    windows_present_pending();
    host().collect_input();
    post_quit_for_signal();
}

}  // namespace

void queue_input(const MSG &msg) {
    MSG stamped = msg;
    stamped.time = tick_now();
    bool merges = stamped.message == WM_MOUSEMOVE && !input_messages.empty() &&
                  input_messages.back().message == WM_MOUSEMOVE &&
                  input_messages.back().hwnd == stamped.hwnd;
    if (merges) {
        input_messages.back() = stamped;
    } else {
        input_messages.push_back(stamped);
    }
}

void queue_drop_window(HWND window) {
    std::erase_if(posted_messages, [window](const MSG &m) { return m.hwnd == window; });
    // The key messages go with the window, but the key state still follows them, so a key
    // released after its window closed (Alt of Alt+F4) does not stay held.
    std::erase_if(input_messages, [window](const MSG &m) {
        if (m.hwnd != window) return false;
        keyboard_note_retrieved(m);
        return true;
    });
}

}  // namespace platform

using platform::Filter;

extern "C" BOOL WINAPI GetMessageA(LPMSG msg, HWND window, UINT filter_min, UINT filter_max) {
    return platform::fail_when_memory_runs_out<BOOL>(static_cast<BOOL>(-1), [&]() -> BOOL {
        if (msg == nullptr) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return -1;
        }
        *msg = MSG{};
        if (!platform::filter_is_valid(window)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return -1;
        }
        Filter filter{window, filter_min, filter_max};
        platform::prepare_retrieval();
        for (;;) {
            if (platform::retrieve(filter, true, msg)) return msg->message != WM_QUIT;
            std::uint64_t deadline = filter.takes(WM_TIMER) ? platform::timers_next_deadline(window)
                                                            : platform::kNoDeadline;
            platform::windows_present_pending();
            if (!platform::host().wait_input(deadline)) {
                // Nothing can ever arrive (no display, no timer): fail instead of blocking forever.
                *msg = MSG{};
                SetLastError(ERROR_INVALID_PARAMETER);
                return -1;
            }
            platform::post_quit_for_signal();
            if (!platform::filter_is_valid(window)) {  // the window went away while we waited
                SetLastError(ERROR_INVALID_WINDOW_HANDLE);
                return -1;
            }
        }
    });
}

extern "C" BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filter_min, UINT filter_max,
                                    UINT remove) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        if (msg == nullptr || !platform::filter_is_valid(window)) {
            SetLastError(msg == nullptr ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        platform::prepare_retrieval();
        Filter filter{window, filter_min, filter_max};
        MSG found{};
        if (!platform::retrieve(filter, (remove & PM_REMOVE) != 0, &found)) return FALSE;
        *msg = found;
        return TRUE;
    });
}

extern "C" BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        if (window != nullptr && platform::find_window(window) == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        platform::posted_messages.push_back(
            platform::make_message(window, message, wparam, lparam));
        return TRUE;
    });
}

extern "C" void WINAPI PostQuitMessage(int exit_code) {
    platform::fail_when_memory_runs_out([&] {
        platform::quit_requested = true;
        platform::quit_code = exit_code;  // several calls coalesce; the last code wins
    });
}

extern "C" LRESULT WINAPI DispatchMessageA(const MSG *msg) {
    return platform::fail_when_memory_runs_out<LRESULT>(static_cast<LRESULT>(0), [&]() -> LRESULT {
        if (msg == nullptr) return 0;
        if (msg->message == WM_TIMER && msg->lParam != 0) {
            auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
            if (!platform::timer_callback_is_live(msg->hwnd, msg->wParam, proc)) return 0;
            proc(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
            return 0;
        }
        if (msg->hwnd == nullptr) return 0;  // a thread message has no procedure to go to
        platform::Window *target = platform::find_window(msg->hwnd);
        if (target == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        WNDPROC procedure = target->procedure;
        return procedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    });
}
