// input_probe.cpp: a plain Win32 program that prints the input messages its window receives, so
// the browser test can check what keys and clicks on the page become: virtual keys, scan codes,
// extended and transition bits, characters and client coordinates, as Windows gives them.
//
// One window "Input probe" at (40, 60), 300 x 200, with the keyboard focus. Every keyboard and
// mouse-button message is printed as one line, "<name> <wParam hex> <lParam hex>", for example
// "WM_KEYDOWN 41 001e0001"; mouse moves are not printed. Typing "m" also moves the window to
// (100, 120) and makes it 320 x 220 (MoveWindow) and prints "moved"; typing "n" minimises it
// (ShowWindow), and every WM_SIZE prints "WM_SIZE <kind>". Built only for the browser (web/).
#include <windows.h>

#include <cstdio>

namespace {

const char *message_name(UINT message) {
    switch (message) {
        case WM_KEYDOWN: return "WM_KEYDOWN";
        case WM_KEYUP: return "WM_KEYUP";
        case WM_CHAR: return "WM_CHAR";
        case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
        case WM_SYSKEYUP: return "WM_SYSKEYUP";
        case WM_SYSCHAR: return "WM_SYSCHAR";
        case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
        case WM_LBUTTONUP: return "WM_LBUTTONUP";
        default: return nullptr;
    }
}

LRESULT CALLBACK probe_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (const char *name = message_name(message)) {
        std::printf("%s %lx %08lx\n", name, static_cast<unsigned long>(wparam),
                    static_cast<unsigned long>(lparam) & 0xFFFFFFFFul);
        if (message == WM_CHAR && wparam == 'm') {
            MoveWindow(window, 100, 120, 320, 220, TRUE);
            std::printf("moved\n");
        }
        if (message == WM_CHAR && wparam == 'n') ShowWindow(window, SW_MINIMIZE);
        std::fflush(stdout);
        return 0;
    }
    if (message == WM_SIZE) {
        std::printf("WM_SIZE %lu\n", static_cast<unsigned long>(wparam));
        std::fflush(stdout);
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int main() {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = probe_window_proc;
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    window_class.lpszClassName = "InputProbe";
    RegisterClassA(&window_class);
    HWND window = CreateWindowExA(0, "InputProbe", "Input probe", WS_POPUP, 40, 60, 300, 200,
                                  nullptr, nullptr, nullptr, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, SW_SHOW);
    std::printf("ready\n");
    std::fflush(stdout);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
