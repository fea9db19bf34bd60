// timers.cpp: SetTimer, KillTimer and the expiry bookkeeping behind WM_TIMER.
//
// Periods are clamped to [10, 0x7FFFFFFF] ms as on Windows. The first expiry is one period after
// SetTimer. Timers of no window (hwnd NULL) get an identifier of their own, as Windows gives.
// Depends on the window table (handle checks) and the host clock.
#include "user/timers.h"
#include "core/memory_exhaustion.h"

#include <vector>

#include "core/object_counts.h"
#include "host/host.h"
#include "user/message_queue.h"
#include "user/window_table.h"

namespace platform {

namespace {

constexpr UINT kMinimumPeriod = 10;
constexpr UINT kMaximumPeriod = 0x7FFFFFFF;
constexpr UINT_PTR kFirstThreadTimerId = 0x7FFF;

struct Timer {
    HWND window = nullptr;
    UINT_PTR id = 0;
    UINT period = 0;
    TIMERPROC callback = nullptr;
    std::uint64_t due = 0;
};

std::vector<Timer> timers;
UINT_PTR next_thread_timer_id = kFirstThreadTimerId;

Timer *find_timer(HWND window, UINT_PTR id) {
    for (Timer &timer : timers) {
        if (timer.window == window && timer.id == id) return &timer;
    }
    return nullptr;
}

UINT clamp_period(UINT ms) {
    if (ms < kMinimumPeriod) return kMinimumPeriod;
    if (ms > kMaximumPeriod) return kMaximumPeriod;
    return ms;
}

// The expired timer passing the filter that is due first (ties: the older timer).
Timer *first_expired(HWND filter, std::uint64_t now) {
    Timer *best = nullptr;
    for (Timer &timer : timers) {
        if (timer.due > now || !hwnd_filter_matches(filter, timer.window)) continue;
        if (best == nullptr || timer.due < best->due) best = &timer;
    }
    return best;
}

// The next due time after `now` on the timer's original schedule.
void reschedule(Timer &timer, std::uint64_t now) {
    std::uint64_t missed = (now - timer.due) / timer.period;
    timer.due += (missed + 1) * timer.period;
}

UINT_PTR new_thread_timer_id() {
    while (find_timer(nullptr, next_thread_timer_id) != nullptr || next_thread_timer_id == 0) {
        ++next_thread_timer_id;
    }
    return next_thread_timer_id++;
}

}  // namespace

void timers_kill_window(HWND window) {
    std::size_t before = timers.size();
    std::erase_if(timers, [window](const Timer &t) { return t.window == window; });
    object_counts::timers -= static_cast<int>(before - timers.size());
}

std::uint64_t timers_next_deadline(HWND filter) {
    std::uint64_t deadline = kNoDeadline;
    for (const Timer &timer : timers) {
        if (hwnd_filter_matches(filter, timer.window) && timer.due < deadline) deadline = timer.due;
    }
    return deadline;
}

bool timers_take_expired(HWND filter, std::uint64_t now, bool remove, MSG *out) {
    Timer *timer = first_expired(filter, now);
    if (timer == nullptr) return false;
    *out = MSG{};
    out->hwnd = timer->window;
    out->message = WM_TIMER;
    out->wParam = timer->id;
    out->lParam = reinterpret_cast<LPARAM>(timer->callback);
    if (remove) reschedule(*timer, now);
    return true;
}

bool timer_callback_is_live(HWND window, UINT_PTR id, TIMERPROC proc) {
    const Timer *timer = find_timer(window, id);
    return timer != nullptr && proc != nullptr && timer->callback == proc;
}

}  // namespace platform

extern "C" UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT elapse_ms, TIMERPROC proc) {
    return platform::fail_when_memory_runs_out<UINT_PTR>(
        static_cast<UINT_PTR>(0), [&]() -> UINT_PTR {
            using namespace platform;
            if (window != nullptr && find_window(window) == nullptr) {
                SetLastError(ERROR_INVALID_WINDOW_HANDLE);
                return 0;
            }
            if (window == nullptr && find_timer(nullptr, id) == nullptr) id = new_thread_timer_id();
            UINT period = clamp_period(elapse_ms);
            std::uint64_t due = host().now_ms() + period;
            if (Timer *existing = find_timer(window, id)) {
                // The same (window, id) replaces the timer and restarts its period.
                existing->period = period;
                existing->callback = proc;
                existing->due = due;
            } else {
                timers.push_back(Timer{window, id, period, proc, due});
                ++object_counts::timers;
            }
            return id != 0 ? id : 1;
        });
}

extern "C" BOOL WINAPI KillTimer(HWND window, UINT_PTR id) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        using namespace platform;
        for (auto it = timers.begin(); it != timers.end(); ++it) {
            if (it->window == window && it->id == id) {
                timers.erase(it);
                --object_counts::timers;
                return TRUE;
            }
        }
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    });
}
