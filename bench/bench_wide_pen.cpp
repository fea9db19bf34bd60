// bench_wide_pen.cpp: the cost of ovals drawn with very wide pens, the package calls that once
// took seconds (a wide outline visited twice the width in extra rows and stamped a disc of up to
// the canvas's height on each), next to the game's own width-2 shapes, which must stay cheap.
//
// Runs on the headless host, so every figure is canvas work only.
#include <benchmark/benchmark.h>

#include <climits>

#include "package_start.h"
#include "vorbl_internal.h"

namespace {

// A tall oval crossing the canvas with a 10000-pixel pen.
void BM_tall_oval_pen_10000(benchmark::State &state) {
    bench::start_package_headless_once();
    for (auto _ : state) VORBL_draw_oval(RED, -300, 100000, 300, -100000, 10000);
}
BENCHMARK(BM_tall_oval_pen_10000)->Unit(benchmark::kMillisecond);

// The same with the widest pen there is.
void BM_tall_oval_pen_65536(benchmark::State &state) {
    bench::start_package_headless_once();
    for (auto _ : state) VORBL_draw_oval(RED, -300, 100000, 300, -100000, 65536);
}
BENCHMARK(BM_tall_oval_pen_65536)->Unit(benchmark::kMillisecond);

// A box reaching near the ends of the coordinate range, with the widest pen.
void BM_huge_oval_huge_pen(benchmark::State &state) {
    bench::start_package_headless_once();
    for (auto _ : state) VORBL_draw_oval(ICE_BLUE, -1000, 2147483646, 448, -1165875974, 2147483646);
}
BENCHMARK(BM_huge_oval_huge_pen)->Unit(benchmark::kMillisecond);

// A box far wider than the canvas whose outline passes near it, with the widest pen: the canvas
// lies inside the stroke's reach but its rows are never wholly covered (found by fuzzing).
void BM_wide_box_near_outline_huge_pen(benchmark::State &state) {
    bench::start_package_headless_once();
    for (auto _ : state) VORBL_draw_oval(RED, -65424, 65536, 1073741824, INT_MIN, 150994944);
}
BENCHMARK(BM_wide_box_near_outline_huge_pen)->Unit(benchmark::kMillisecond);

// The stroke's outer edge crossing the canvas: the left end of a huge oval 32,468 columns left
// of it, so the widest pen reaches to column 300 of every row, never across the whole row.
void BM_stroke_edge_across_canvas(benchmark::State &state) {
    bench::start_package_headless_once();
    for (auto _ : state) VORBL_draw_oval(RED, -32765, 100000000, 100000000, -100000000, 65536);
}
BENCHMARK(BM_stroke_edge_across_canvas)->Unit(benchmark::kMillisecond);

// The stroke's inner edge crossing the canvas: a circle of radius 40,000 whose ring, with the
// widest pen, leaves a hole of radius about 7,200 that reaches into the canvas. Every chain row
// within the pen's reach bounds that hole, so this is the dearest case there is.
void BM_stroke_hole_across_canvas(benchmark::State &state) {
    bench::start_package_headless_once();
    for (auto _ : state) VORBL_draw_oval(RED, -47229, 40000, 32771, -40000, 65536);
}
BENCHMARK(BM_stroke_hole_across_canvas)->Unit(benchmark::kMillisecond);

// What the game draws: a butterfly-sized oval outlined with a 2-pixel pen.
void BM_small_oval_pen_2(benchmark::State &state) {
    bench::start_package_headless_once();
    for (auto _ : state) VORBL_draw_oval(BLACK, -12, 6, 12, -6, 2);
}
BENCHMARK(BM_small_oval_pen_2)->Unit(benchmark::kMicrosecond);

// An 80-pixel circle outlined with a 5-pixel pen.
void BM_round_oval_pen_5(benchmark::State &state) {
    bench::start_package_headless_once();
    for (auto _ : state) VORBL_draw_oval(WHITE, -40, 40, 40, -40, 5);
}
BENCHMARK(BM_round_oval_pen_5)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
