// message_queue.h: the program's one message queue (posted messages, the quit flag, input).
//
// Posted messages and input are real queues; WM_PAINT and WM_TIMER are made on demand at
// retrieval (see message_queue.cpp for the order).
#pragma once

#include <windows.h>

namespace platform {

// The window filter of GetMessageA / PeekMessageA: nullptr takes every message, (HWND)-1 only
// messages of no window (thread messages), any other handle only that window's messages.
inline bool hwnd_filter_matches(HWND filter, HWND hwnd) {
    if (filter == nullptr) return true;
    if (filter == reinterpret_cast<HWND>(static_cast<intptr_t>(-1))) return hwnd == nullptr;
    return filter == hwnd;
}

// Input from a host: keyboard, mouse, the close button. Mouse moves merge with a pending move.
void queue_input(const MSG &msg);
// The window is being destroyed: drop everything posted or input to it.
void queue_drop_window(HWND window);

}  // namespace platform
