// bench_present.cpp: the way of one frame from the canvas to the picture a host is handed.
//
// The package runs on the headless host. One iteration is what happens after a frame is drawn:
// the whole canvas is copied into the graphics window's client pixels (BitBlt through the window
// DC, as the event wait does) and the window's picture is made for the host (menu bar strip and
// client area). Compare with a memcpy of the canvas, the least any presentation can cost.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "package_start.h"
#include "package_windows.h"
#include "user/window_surface.h"
#include "vorbl_internal.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

void BM_CanvasToHostPicture(benchmark::State &state) {
    bench::start_package_headless_once();
    for (auto _ : state) {
        canvas_dirty = 1;
        copy_canvas_to_window();
        platform::PixelSurface picture = platform::window_composed_surface(graphics_hwnd);
        benchmark::DoNotOptimize(picture.pixels);
    }
}
BENCHMARK(BM_CanvasToHostPicture);

void BM_MemcpyOfTheCanvas(benchmark::State &state) {
    std::vector<std::uint32_t> from(CANVAS_WIDTH * CANVAS_HEIGHT, 0x00FFFFFF);
    std::vector<std::uint32_t> to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyOfTheCanvas);

}  // namespace

BENCHMARK_MAIN();
