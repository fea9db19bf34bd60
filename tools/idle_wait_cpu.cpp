// idle_wait_cpu: how much processor time a program costs while it blocks in GetMessageA with a
// 50 ms timer, on the real (SDL2) host. Run it under a display, for example
//   xvfb-run -a ./idle_wait_cpu 10
// It opens a window, runs a plain message loop for the given number of seconds (10 by default)
// and prints the timer messages received and the user and system CPU time used (getrusage).
#include <windows.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

namespace {

LRESULT CALLBACK idle_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(window, message, wparam, lparam);
}

double cpu_seconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval &t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

int main(int argc, char **argv) {
    int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    if (seconds <= 0) seconds = 10;
    WNDCLASSA wc{};
    wc.lpfnWndProc = idle_window_proc;
    wc.lpszClassName = "IdleWaitCpu";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "VORBL idle wait", WS_OVERLAPPEDWINDOW, 0, 0,
                                  601, 540, nullptr, nullptr, nullptr, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, SW_SHOW);
    SetTimer(window, 2, 50, nullptr);

    double cpu_before = cpu_seconds();
    DWORD start = GetTickCount();
    DWORD limit = static_cast<DWORD>(seconds) * 1000;
    long timer_messages = 0;
    MSG msg;
    while (GetTickCount() - start < limit && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER) ++timer_messages;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    double wall = (GetTickCount() - start) / 1000.0;
    double cpu = cpu_seconds() - cpu_before;
    std::printf("wall %.2f s, timer messages %ld, cpu %.3f s (user+sys), %.3f %% of one core\n",
                wall, timer_messages, cpu, 100.0 * cpu / wall);
    DestroyWindow(window);
    return 0;
}
