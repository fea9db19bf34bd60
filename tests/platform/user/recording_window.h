// recording_window.h: a window class for the platform tests that records every message its
// procedure receives, and small helpers to pump the queue of the headless host.
#pragma once

#include <headless_host.h>
#include <windows.h>

#include <string>
#include <vector>

namespace recording {

struct Seen {
    HWND hwnd;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};

inline std::vector<Seen> seen;

// The creation record of each WM_NCCREATE and WM_CREATE, copied while it is valid.
struct Creation {
    void *param;
    int x, y, cx, cy;
    LONG style;
    std::string title;
};
inline std::vector<Creation> creations;
// When false, WM_PAINT is recorded and left unvalidated (the handler "forgets" to paint).
inline bool validate_paint = true;
// What WM_CREATE returns (-1 aborts creation).
inline LRESULT create_result = 0;
// Called inside WM_CREATE, if set (to attach a menu, for instance).
inline void (*on_create)(HWND) = nullptr;

inline LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    seen.push_back(Seen{window, message, wparam, lparam});
    if (message == WM_NCCREATE || message == WM_CREATE) {
        const auto *record = reinterpret_cast<const CREATESTRUCTA *>(lparam);
        creations.push_back(Creation{record->lpCreateParams, record->x, record->y, record->cx,
                                     record->cy, record->style,
                                     record->lpszName != nullptr ? record->lpszName : ""});
    }
    if (message == WM_CREATE) {
        if (on_create != nullptr) on_create(window);
        return create_result;
    }
    if (message == WM_PAINT && !validate_paint) return 0;
    return DefWindowProcA(window, message, wparam, lparam);
}

inline constexpr const char *kClassName = "RecordingClass";

inline void register_class(HBRUSH background = nullptr) {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.hbrBackground = background;
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
}

inline HWND make_window(const char *title, int width = 200, int height = 100) {
    return CreateWindowExA(0, kClassName, title, WS_OVERLAPPEDWINDOW, 0, 0, width, height, nullptr,
                           nullptr, nullptr, nullptr);
}

// The messages recorded so far with this code.
inline std::vector<Seen> of_kind(UINT message) {
    std::vector<Seen> out;
    for (const Seen &s : seen) {
        if (s.message == message) out.push_back(s);
    }
    return out;
}

// Retrieve every message that is ready now without waiting; WM_PAINT is validated so it does
// not come back, everything else is translated and returned (not dispatched).
inline std::vector<MSG> drain() {
    std::vector<MSG> out;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_PAINT) {
            ValidateRect(msg.hwnd, nullptr);
            continue;
        }
        TranslateMessage(&msg);
        out.push_back(msg);
    }
    return out;
}

// The wParam of each message of this kind in `messages`.
inline std::vector<WPARAM> params_of(const std::vector<MSG> &messages, UINT kind) {
    std::vector<WPARAM> out;
    for (const MSG &m : messages) {
        if (m.message == kind) out.push_back(m.wParam);
    }
    return out;
}

}  // namespace recording
