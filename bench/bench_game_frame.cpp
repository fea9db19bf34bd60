// bench_game_frame.cpp: the cost of one play-phase frame against a memset of the bytes it covers.
//
// The package runs on the headless host with the drawing log off, as in play. A frame is one
// draw_scene with 6 or with 10 butterflies in view. Its yardstick is a memset of as many bytes
// as the frame's primitives write: the whole canvas (601 x 540 x 4 bytes) for the sky, plus the
// pixels each later primitive covers, counted once before the timing by drawing that primitive
// alone on a canvas filled with a colour no primitive uses. Compare the two times per frame.
#include <benchmark/benchmark.h>

#include <cstring>
#include <functional>
#include <vector>

#include "night_scene.h"
#include "package_start.h"
#include "round_start.h"
#include "vorbl_internal.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

constexpr COLORREF SENTINEL = RGB(1, 2, 3);

// Pixels that `draw` changes on a canvas filled with SENTINEL.
long covered_pixels(const std::function<void()> &draw) {
    const RECT whole = {0, 0, CANVAS_WIDTH, CANVAS_HEIGHT};
    HBRUSH brush = CreateSolidBrush(SENTINEL);
    FillRect(canvas_dc, &whole, brush);
    DeleteObject(brush);
    draw();
    long count = 0;
    for (int y = 0; y < CANVAS_HEIGHT; ++y) {
        for (int x = 0; x < CANVAS_WIDTH; ++x) {
            count += GetPixel(canvas_dc, x, y) != SENTINEL;
        }
    }
    return count;
}

// The scene's primitives after the sky, one at a time, in the scene's order.
std::vector<std::function<void()>> primitives_after_sky(const GameState &s) {
    std::vector<std::function<void()>> list = {
        [&] { VORBL_draw_circle(WHITE, s.moon_x, s.moon_y, 20); },
        [&] {
            VORBL_draw_oval(DUSTY_PLUM, s.moon_x, s.moon_y - 20, s.moon_x + 50, s.moon_y + 20, 0);
        },
        [&] { draw_star(s.star1_x, s.star1_y, s.star1_size, s.star1_color); },
        [&] { draw_star(s.star2_x, s.star2_y, s.star2_size, s.star2_color); },
        [] { VORBL_draw_triangle(GRAY_20, -300, -50, 300, -50, -37, 208, 0); },
        [] { VORBL_draw_triangle(GRAY_50, -300, -50, 300, -50, -100, 187, 0); },
        [] { VORBL_draw_triangle(BROWN, -300, -50, 300, -50, 75, 166, 0); },
        [] { VORBL_draw_triangle(OLIVE, -375, -50, 100, -50, -225, 166, 0); },
        [] { VORBL_draw_triangle(FOREST_GREEN, -100, -50, 300, -50, 300, 166, 0); },
        [] { VORBL_draw_rectangle(SEA_GREEN, -300, -250, 300, -50, 0); },
        [] { VORBL_draw_oval(BLUE, -400, -50, 100, -100, 0); },
        [] { VORBL_draw_circle(RED, 100, -210, 8); },
        [] { VORBL_draw_circle(YELLOW, 100, -210, 2); },
        [] { VORBL_draw_line(FOREST_GREEN, 100, -218, 100, -233, 2); },
        [] { VORBL_draw_line(FOREST_GREEN, 100, -228, 105, -221, 2); },
        [] { VORBL_draw_rectangle(BROWN, -250, -200, -240, -150, 0); },
        [] { VORBL_draw_circle(FOREST_GREEN, -245, -140, 30); },
        [&] { draw_sailboat(s.boat_x, s.boat_y, s.boat_half_length, s.boat_sail); },
        [&] { draw_player_butterfly(s.player_x, s.player_y, s.player_half); },
    };
    for (int i = 0; i <= s.enemy_last; ++i) {
        list.push_back(
            [&s, i] { draw_enemy_butterfly(s.enemy_x[i], s.enemy_y[i], s.enemy_half[i]); });
    }
    return list;
}

// Bytes a frame writes: the whole canvas for the sky, then every later primitive's pixels.
std::size_t covered_bytes(const GameState &state) {
    long pixels = static_cast<long>(CANVAS_WIDTH) * CANVAS_HEIGHT;
    for (const auto &draw : primitives_after_sky(state)) {
        pixels += covered_pixels(draw);
    }
    return static_cast<std::size_t>(pixels) * 4;
}

void frame(benchmark::State &bench, std::int32_t enemy_last) {
    bench::start_package_headless_once();
    const GameState state = bench::round_start(enemy_last);
    for (auto _ : bench) {
        draw_scene(state);
        benchmark::DoNotOptimize(canvas_dirty);
    }
    bench.counters["covered_bytes"] = static_cast<double>(covered_bytes(state));
}

void fill(benchmark::State &bench, std::int32_t enemy_last) {
    bench::start_package_headless_once();
    const std::size_t bytes = covered_bytes(bench::round_start(enemy_last));
    std::vector<unsigned char> buffer(bytes);
    unsigned char value = 0;
    for (auto _ : bench) {
        std::memset(buffer.data(), ++value, buffer.size());
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    bench.counters["covered_bytes"] = static_cast<double>(bytes);
}

void BM_PlayFrame6Butterflies(benchmark::State &bench) { frame(bench, 5); }
void BM_PlayFrame10Butterflies(benchmark::State &bench) { frame(bench, 9); }
void BM_MemsetOfFrame6Bytes(benchmark::State &bench) { fill(bench, 5); }
void BM_MemsetOfFrame10Bytes(benchmark::State &bench) { fill(bench, 9); }

}  // namespace

BENCHMARK(BM_PlayFrame6Butterflies)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemsetOfFrame6Bytes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlayFrame10Butterflies)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemsetOfFrame10Bytes)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
