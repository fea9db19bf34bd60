// timers.h: window timers (SetTimer / KillTimer) and the WM_TIMER messages made from them.
//
// A timer is never queued: at retrieval an expired timer yields one WM_TIMER however many
// periods went by, and removing it moves its due time to the first multiple of the period after
// now, so the phase is kept and missed ticks are dropped.
#pragma once

#include <windows.h>

#include <cstdint>

namespace platform {

// The window is being destroyed: free its timers.
void timers_kill_window(HWND window);
// The earliest due time of a timer that passes the window filter (kNoDeadline if none).
std::uint64_t timers_next_deadline(HWND filter);
// Fill `out` with the WM_TIMER of the expired timer (passing the filter) that expired first;
// with `remove`, schedule its next expiry. False when no timer has expired.
bool timers_take_expired(HWND filter, std::uint64_t now, bool remove, MSG *out);
// True when (window, id) is a live timer whose callback is `proc`; DispatchMessageA calls only
// such callbacks, never an arbitrary address taken from a message.
bool timer_callback_is_live(HWND window, UINT_PTR id, TIMERPROC proc);

}  // namespace platform
