// bench_package_drawing.cpp: the cost of the package's drawing calls on the canvas, with the
// drawing log off and on, against the bare GDI primitive each one ends in; and the cost of one
// text-window message plus the paint it causes with a full ring.
//
// Runs on the headless host, so no screen is involved: every figure is canvas work only.
#include <benchmark/benchmark.h>

#include "package_start.h"
#include "vorbl_internal.h"

using namespace vorbl;  // the package's internal state, which these read and set

namespace {

// The package on the headless host with its ring of text lines full, so that every log line
// also frees the oldest one.
void start_package_once() {
    static bool started = false;
    if (started) return;
    started = true;
    bench::start_package_headless_once();
    for (int i = 0; i < TEXT_LINE_COUNT; ++i) VORBL_text_printf("filling the ring, line %d\n", i);
}

// Logging is the benchmark's argument: 0 off, 1 on (the ring is full, so every log line also
// frees the oldest one).
void set_logging_from(const benchmark::State &state) {
    start_package_once();
    logging_on = static_cast<unsigned char>(state.range(0));
}

void BM_circle(benchmark::State &state) {
    set_logging_from(state);
    for (auto _ : state) VORBL_draw_circle(RED, 10, 20, 15);
}
BENCHMARK(BM_circle)->Arg(0)->Arg(1);

void BM_triangle(benchmark::State &state) {
    set_logging_from(state);
    for (auto _ : state) VORBL_draw_triangle(GREEN, -20, -10, 20, -10, 0, 25, 0);
}
BENCHMARK(BM_triangle)->Arg(0)->Arg(1);

void BM_rectangle(benchmark::State &state) {
    set_logging_from(state);
    for (auto _ : state) VORBL_draw_rectangle(BLUE, -20, 10, 20, -10, 0);
}
BENCHMARK(BM_rectangle)->Arg(0)->Arg(1);

void BM_oval(benchmark::State &state) {
    set_logging_from(state);
    for (auto _ : state) VORBL_draw_oval(PINK, -20, 10, 20, -10, 0);
}
BENCHMARK(BM_oval)->Arg(0)->Arg(1);

void BM_line(benchmark::State &state) {
    set_logging_from(state);
    for (auto _ : state) VORBL_draw_line(BLACK, -30, -5, 30, 5, 0);
}
BENCHMARK(BM_line)->Arg(0)->Arg(1);

void BM_text(benchmark::State &state) {
    set_logging_from(state);
    for (auto _ : state) VORBL_draw_text(BLACK, -40, 0, 16, "Wingfeast");
}
BENCHMARK(BM_text)->Arg(0)->Arg(1);

void BM_printf(benchmark::State &state) {
    set_logging_from(state);
    for (auto _ : state) VORBL_draw_printf(BLACK, -40, 0, 16, "Score %d", 42);
}
BENCHMARK(BM_printf)->Arg(0)->Arg(1);

// ---- The bare primitives, with the objects created once and left selected ------------------

// The canvas pixel of logical (x, y), as the renderer maps it.
int px(int x) { return origin_x + x; }
int py(int y) { return origin_y - y; }

struct SelectedObjects {
    HPEN pen;
    HBRUSH brush;
    HGDIOBJ previous_pen;
    HGDIOBJ previous_brush;
    explicit SelectedObjects(COLORREF color)
        : pen(CreatePen(PS_SOLID, 0, color)),
          brush(CreateSolidBrush(color)),
          previous_pen(SelectObject(canvas_dc, pen)),
          previous_brush(SelectObject(canvas_dc, brush)) {}
    ~SelectedObjects() {
        SelectObject(canvas_dc, previous_pen);
        SelectObject(canvas_dc, previous_brush);
        DeleteObject(pen);
        DeleteObject(brush);
    }
    SelectedObjects(const SelectedObjects &) = delete;
    SelectedObjects &operator=(const SelectedObjects &) = delete;
};

void BM_bare_ellipse(benchmark::State &state) {
    start_package_once();
    SelectedObjects objects(color_rgb[RED]);
    for (auto _ : state) Ellipse(canvas_dc, px(-5), py(35), px(25) + 1, py(5) + 1);
}
BENCHMARK(BM_bare_ellipse);

void BM_bare_polygon(benchmark::State &state) {
    start_package_once();
    SelectedObjects objects(color_rgb[GREEN]);
    const POINT corners[3] = {{px(-20), py(-10)}, {px(20), py(-10)}, {px(0), py(25)}};
    for (auto _ : state) Polygon(canvas_dc, corners, 3);
}
BENCHMARK(BM_bare_polygon);

void BM_bare_rectangle(benchmark::State &state) {
    start_package_once();
    SelectedObjects objects(color_rgb[BLUE]);
    for (auto _ : state) Rectangle(canvas_dc, px(-20), py(10), px(20) + 1, py(-10) + 1);
}
BENCHMARK(BM_bare_rectangle);

void BM_bare_line(benchmark::State &state) {
    start_package_once();
    SelectedObjects objects(color_rgb[BLACK]);
    for (auto _ : state) {
        MoveToEx(canvas_dc, px(-30), py(-5), nullptr);
        LineTo(canvas_dc, px(30), py(5));
    }
}
BENCHMARK(BM_bare_line);

void BM_bare_text(benchmark::State &state) {
    start_package_once();
    HFONT font = CreateFontA(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "VORBL-font");
    HGDIOBJ previous = SelectObject(canvas_dc, font);
    SetBkMode(canvas_dc, TRANSPARENT);
    for (auto _ : state) TextOutA(canvas_dc, px(-40), py(0), "Wingfeast", 9);
    SelectObject(canvas_dc, previous);
    DeleteObject(font);
}
BENCHMARK(BM_bare_text);

// ---- The text window --------------------------------------------------------------------------

void BM_text_message_and_paint(benchmark::State &state) {
    start_package_once();
    logging_on = 0;
    for (auto _ : state) {
        VORBL_text_printf("red circle at (%d,%d), radius %d\n", 10, 20, 15);
        text_window_paint(text_hwnd);
    }
}
BENCHMARK(BM_text_message_and_paint);

}  // namespace

BENCHMARK_MAIN();
