// measure_event_wait.cpp: how much processor time the event wait costs on a real desktop.
//
// Opens the package's windows on the screen host, then
//   1. runs the animation for 10 s with no input, redrawing a small scene on every periodic
//      event as a game does, and reports the process's CPU time and the periodic events;
//   2. halts the animation and waits 10 s for input, reporting the CPU time of that wait. The
//      halted wait is ended by a click that xdotool makes in the graphics window (started in
//      the background before the wait); without xdotool the tool stops after step 1.
// Run it under Xvfb, for example:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/dev/tools/measure_event_wait
// Limits: CPU time is std::clock(), the time of the whole process (all its threads).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <windows.h>

#include "vorbl.h"

namespace {

constexpr double MEASURE_SECONDS = 10.0;

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double cpu_seconds(void) { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

void draw_frame(int frame) {
    VORBL_clear_canvas();
    VORBL_draw_circle(MAGENTA, (frame * 4) % 400 - 200, 0, 20);
}

void report(const char *phase, double wall, double cpu, int periodic) {
    std::printf("%s: %.2f s wall, %.3f s CPU (%.2f %% of one core), %d periodic events\n", phase,
                wall, cpu, 100.0 * cpu / wall, periodic);
}

// Returns false when the program is asked to quit.
bool measure_running(void) {
    VORBL_set_animation(ANIMATE_RUN);
    const auto start = std::chrono::steady_clock::now();
    const double cpu_start = cpu_seconds();
    int periodic = 0;
    while (seconds_since(start) < MEASURE_SECONDS) {
        const int kind = VORBL_wait_event(nullptr, nullptr, nullptr);
        if (kind == EVENT_QUIT) {
            return false;
        }
        if (kind == EVENT_PERIODIC) {
            draw_frame(++periodic);
        }
    }
    report("running", seconds_since(start), cpu_seconds() - cpu_start, periodic);
    return true;
}

void measure_halted(void) {
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0) {
        std::printf("halted: not measured (xdotool is needed to end the halted wait)\n");
        return;
    }
    VORBL_set_animation(ANIMATE_HALT);
    if (std::system("(sleep 10; xdotool mousemove 300 300 click 1) >/dev/null 2>&1 &") != 0) {
        std::printf("halted: not measured (the click could not be scheduled)\n");
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    const double cpu_start = cpu_seconds();
    int periodic = 0;
    int kind = 0;
    do {  // the tick decided before the halt may still arrive; the click ends the wait
        kind = VORBL_wait_event(nullptr, nullptr, nullptr);
        periodic += kind == EVENT_PERIODIC;
    } while (kind == EVENT_PERIODIC);
    report("halted", seconds_since(start), cpu_seconds() - cpu_start, periodic);
}

}  // namespace

int main(int argc, char **argv) {
    (void)argc;
    VORBL_startup(GetModuleHandleA(nullptr), nullptr, argv[0], SW_SHOWNORMAL);
    VORBL_set_logging(0);
    VORBL_clear_canvas();
    if (measure_running()) {
        measure_halted();
    }
    VORBL_shutdown();
    return 0;
}
