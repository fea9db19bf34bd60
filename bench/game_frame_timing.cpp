// game_frame_timing.cpp: the cost of one play-phase frame, built natively and for the browser,
// so both are measured with the same code, the same scene and the same clock arithmetic.
//
// The scene is bench_game_frame's: a round set up with the random seed 2026 and 6 or 10
// butterflies, drawn with the drawing log off. Two measurements:
//   scene  the frame drawn on the off-screen canvas (draw_scene), on the headless host: the
//          package's and the game's own work, nothing of the screen;
//   shown  the same frame drawn, copied to the graphics window and handed to the real host
//          (SDL2 on the desktop, the page's canvas in the browser), as the event wait does.
// Each measurement times batches of 20 frames until `seconds` of wall time passed (0.5 s unless
// an argument says otherwise) and prints, in microseconds per frame, the fastest batch (other
// work on the machine only adds time) and the median one, one line each:
// "scene 6 butterflies: 123.4 us per frame (median 130.2, 4060 frames)". The browser's clock
// is coarse (0.1 ms or coarser), which is why frames are timed in batches.
//
// Run natively: ./build/release/bench/game_frame_timing [scene|shown] [seconds]; "shown" needs a
// display (xvfb-run -a). In the browser: build/browser/web/checks/game_frame_timing.html prints
// the same lines (tests/browser/measure.mjs reads them).
#include <headless_host.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "night_scene.h"
#include "package_start.h"
#include "package_windows.h"
#include "round_start.h"
#include "vorbl_internal.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

// The canvas goes to the window and the window to the host, as after a dispatched message.
void show_frame(void) {
    copy_canvas_to_window();
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Times batches of 20 frames for `seconds` and prints the fastest batch's time per frame (the
// machine's other work only ever adds time) and the median batch's.
void time_frames(const char *mode, bool shown, std::int32_t enemy_last, double seconds) {
    constexpr int kBatch = 20;
    const GameState state = bench::round_start(enemy_last);
    for (int warm = 0; warm < kBatch; ++warm) {
        draw_scene(state);
    }
    std::vector<double> batches;
    const auto start = std::chrono::steady_clock::now();
    do {
        const auto batch_start = std::chrono::steady_clock::now();
        for (int frame = 0; frame < kBatch; ++frame) {
            draw_scene(state);
            if (shown) {
                show_frame();
            }
        }
        batches.push_back(seconds_since(batch_start) * 1e6 / kBatch);
    } while (seconds_since(start) < seconds);
    std::sort(batches.begin(), batches.end());
    std::printf("%s %d butterflies: %.1f us per frame (median %.1f, %zu frames)\n", mode,
                enemy_last + 1, batches.front(), batches[batches.size() / 2],
                batches.size() * kBatch);
}

}  // namespace

int main(int argc, char **argv) {
    const char *mode = argc > 1 ? argv[1] : "scene";
    const double seconds = argc > 2 ? std::atof(argv[2]) : 0.5;
    const bool shown = std::strcmp(mode, "shown") == 0;
    if (!shown && std::strcmp(mode, "scene") != 0) {
        std::fprintf(stderr, "usage: game_frame_timing [scene|shown] [seconds]\n");
        return 2;
    }
    if (!shown) {
        headless_host_use();
    }
    bench::start_package();
    time_frames(mode, shown, 5, seconds > 0 ? seconds : 0.5);
    time_frames(mode, shown, 9, seconds > 0 ? seconds : 0.5);
    VORBL_shutdown();
    return 0;
}
