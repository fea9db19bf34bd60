// canvas.h: a bitmap to draw on, the same way on both builds: a memory DC holding a bitmap made
// compatible with a hidden window's DC (a bitmap compatible with a fresh memory DC would be
// monochrome on Windows).
//
// Depends on: <windows.h>. Header only.
#pragma once

#include <windows.h>

namespace conformance {

struct Canvas {
    HWND window = nullptr;
    HDC window_dc = nullptr;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ first_bitmap = nullptr;
    int width = 0;
    int height = 0;
};

inline HWND hidden_window(const char *title) {
    static bool registered = false;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = instance;
        wc.lpszClassName = "ConformanceCanvas";
        registered = RegisterClassA(&wc) != 0;
    }
    return CreateWindowExA(0, "ConformanceCanvas", title, WS_OVERLAPPED | WS_CAPTION, 0, 0, 200,
                           200, nullptr, nullptr, instance, nullptr);
}

inline Canvas open_canvas(int width, int height) {
    Canvas canvas;
    canvas.window = hidden_window("canvas");
    canvas.window_dc = GetDC(canvas.window);
    canvas.dc = CreateCompatibleDC(canvas.window_dc);
    canvas.bitmap = CreateCompatibleBitmap(canvas.window_dc, width, height);
    canvas.first_bitmap = SelectObject(canvas.dc, canvas.bitmap);
    canvas.width = width;
    canvas.height = height;
    return canvas;
}

inline void clear(const Canvas &canvas, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    RECT all{0, 0, canvas.width, canvas.height};
    FillRect(canvas.dc, &all, brush);
    DeleteObject(brush);
}

inline void close_canvas(Canvas &canvas) {
    SelectObject(canvas.dc, canvas.first_bitmap);
    DeleteObject(canvas.bitmap);
    DeleteDC(canvas.dc);
    ReleaseDC(canvas.window, canvas.window_dc);
    DestroyWindow(canvas.window);
    canvas = Canvas{};
}

}  // namespace conformance
