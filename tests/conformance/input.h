// input.h: real input for the input-driven conformance programs, the same calls on both builds.
//
// Under Windows (and Wine) the keys and clicks go through SendInput, as a person's would; on the
// platform layer through the headless host's injection, which feeds the same host input path the
// desktop does. settle() then runs the program's messages until nothing more arrives, so a
// section's trace holds everything the input caused.
//
// Depends on: <windows.h>, and on headless_host.h in the native build. Header only.
// Limits: left button only; a key's scan code comes from the US layout on both sides.
#pragma once

#include <windows.h>

#ifndef _WIN32
#include <headless_host.h>
#endif

namespace input {

inline void key(int vk, bool down) {
#ifdef _WIN32
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = static_cast<WORD>(vk);
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(static_cast<UINT>(vk), MAPVK_VK_TO_VSC));
    const bool extended = vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN ||
                          vk == VK_INSERT || vk == VK_DELETE || vk == VK_HOME || vk == VK_END ||
                          vk == VK_PRIOR || vk == VK_NEXT;
    in.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    SendInput(1, &in, sizeof in);
#else
    headless_host_key(vk, down ? 1 : 0);
#endif
}

inline void tap(int vk) {
    key(vk, true);
    key(vk, false);
}

// `vk` pressed and released while `modifier` is held.
inline void chord(int modifier, int vk) {
    key(modifier, true);
    tap(vk);
    key(modifier, false);
}

#ifdef _WIN32
// A mouse input at client point (x, y) of `window`, in SendInput's absolute coordinates.
inline INPUT absolute_mouse_input(HWND window, int x, int y, DWORD flags) {
    POINT at{x, y};
    ClientToScreen(window, &at);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((at.x * 65536 + width / 2) / width);
    in.mi.dy = static_cast<LONG>((at.y * 65536 + height / 2) / height);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return in;
}
#endif

// A press and release of the left button at client point (x, y) of `window`; a negative y lies
// in the menu bar.
inline void click(HWND window, int x, int y) {
#ifdef _WIN32
    INPUT in[3] = {absolute_mouse_input(window, x, y, MOUSEEVENTF_MOVE),
                   absolute_mouse_input(window, x, y, MOUSEEVENTF_LEFTDOWN),
                   absolute_mouse_input(window, x, y, MOUSEEVENTF_LEFTUP)};
    SendInput(3, in, sizeof in[0]);
#else
    headless_host_click(window, x, y);
#endif
}

// The mouse moves to client point (x, y) of `window`, no button held.
inline void move(HWND window, int x, int y) {
#ifdef _WIN32
    INPUT in = absolute_mouse_input(window, x, y, MOUSEEVENTF_MOVE);
    SendInput(1, &in, sizeof in);
#else
    headless_host_move(window, x, y);
#endif
}

// Run the program's messages until the input sent so far has had all its effects.
inline void settle() {
    MSG msg;
#ifdef _WIN32
    for (int idle = 0; idle < 4;) {
        bool any = false;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (any) {
            idle = 0;
        } else {
            ++idle;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 40, QS_ALLINPUT);
        }
    }
#else
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
#endif
}

}  // namespace input
