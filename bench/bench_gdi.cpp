// bench_gdi.cpp: the software GDI's primitives on the 601 x 540 canvas against memset of the
// same bytes: full-bitmap FillRect and filled Rectangle, triangles and ellipses of the sizes a
// scene draws, 1- and 2-pixel lines, one filled shape record with its pen and brush, and a
// 60-character line of 14-pixel text.
//
// Run: bench_gdi --benchmark_min_time=0.2 (from a Release build). The fills should stay within
// 1.5x of BM_MemsetCanvas.
#include <benchmark/benchmark.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 601;
constexpr int kHeight = 540;

// The canvas as the package makes it: a bitmap selected into a memory DC.
class Canvas {
public:
    Canvas() {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, kWidth, kHeight);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;
    HDC dc() const { return dc_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

// A pen and a brush of one colour selected for the whole benchmark, as a filled shape uses them.
class FilledPaint {
public:
    FilledPaint(HDC dc, int pen_width, bool filled) : dc_(dc) {
        pen_ = CreatePen(PS_SOLID, pen_width, RGB(200, 30, 30));
        brush_ = CreateSolidBrush(RGB(200, 30, 30));
        old_pen_ = SelectObject(dc, pen_);
        old_brush_ =
            SelectObject(dc, filled ? static_cast<HGDIOBJ>(brush_) : GetStockObject(NULL_BRUSH));
    }
    ~FilledPaint() {
        SelectObject(dc_, old_pen_);
        SelectObject(dc_, old_brush_);
        DeleteObject(pen_);
        DeleteObject(brush_);
    }
    FilledPaint(const FilledPaint &) = delete;
    FilledPaint &operator=(const FilledPaint &) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HBRUSH brush_;
    HGDIOBJ old_pen_, old_brush_;
};

void set_bytes(benchmark::State &state, std::int64_t pixels_per_iteration) {
    state.SetBytesProcessed(state.iterations() * pixels_per_iteration * 4);
}

void BM_MemsetCanvas(benchmark::State &state) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kWidth) * kHeight);
    int value = 0;
    for (auto _ : state) {
        std::memset(pixels.data(), ++value & 0xFF, pixels.size() * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    set_bytes(state, kWidth * kHeight);
}
BENCHMARK(BM_MemsetCanvas);

void BM_FillRectCanvas(benchmark::State &state) {
    Canvas canvas;
    HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
    const RECT all{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        FillRect(canvas.dc(), &all, brush);
        benchmark::ClobberMemory();
    }
    DeleteObject(brush);
    set_bytes(state, kWidth * kHeight);
}
BENCHMARK(BM_FillRectCanvas);

void BM_FilledRectangleCanvas(benchmark::State &state) {
    Canvas canvas;
    FilledPaint paint(canvas.dc(), 1, true);
    for (auto _ : state) {
        Rectangle(canvas.dc(), 0, 0, kWidth, kHeight);
        benchmark::ClobberMemory();
    }
    set_bytes(state, kWidth * kHeight);
}
BENCHMARK(BM_FilledRectangleCanvas);

// A filled triangle of the given height (its base as wide as it is high).
void BM_FilledTriangle(benchmark::State &state) {
    Canvas canvas;
    FilledPaint paint(canvas.dc(), 1, true);
    const int size = static_cast<int>(state.range(0));
    const POINT corners[3] = {
        {300 - size / 2, 270 + size / 2}, {300 + size / 2, 270 + size / 2}, {300, 270 - size / 2}};
    for (auto _ : state) {
        Polygon(canvas.dc(), corners, 3);
        benchmark::ClobberMemory();
    }
    set_bytes(state, static_cast<std::int64_t>(size) * size / 2);
}
BENCHMARK(BM_FilledTriangle)->Arg(20)->Arg(120)->Arg(400);

// A filled circle of the given radius, as VORBL_draw_circle draws it.
void BM_FilledEllipse(benchmark::State &state) {
    Canvas canvas;
    FilledPaint paint(canvas.dc(), 1, true);
    const int radius = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Ellipse(canvas.dc(), 300 - radius, 270 - radius, 300 + radius + 1, 270 + radius + 1);
        benchmark::ClobberMemory();
    }
    set_bytes(state, static_cast<std::int64_t>(radius) * radius * 314 / 100);
}
BENCHMARK(BM_FilledEllipse)->Arg(5)->Arg(40)->Arg(200);

// A hollow ellipse with a pen of the given width.
void BM_OutlinedEllipse(benchmark::State &state) {
    Canvas canvas;
    FilledPaint paint(canvas.dc(), static_cast<int>(state.range(0)), false);
    for (auto _ : state) {
        Ellipse(canvas.dc(), 100, 100, 500, 400);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_OutlinedEllipse)->Arg(1)->Arg(3);

// A 500-pixel diagonal line with a pen of the given width.
void BM_Line(benchmark::State &state) {
    Canvas canvas;
    FilledPaint paint(canvas.dc(), static_cast<int>(state.range(0)), false);
    for (auto _ : state) {
        MoveToEx(canvas.dc(), 50, 20, nullptr);
        LineTo(canvas.dc(), 550, 400);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Line)->Arg(1)->Arg(2);

// What the renderer pays for one filled shape record: a pen and a brush made, selected, a small
// triangle (a butterfly's wing) drawn, both given back and deleted. The pixels are few, so this
// is mostly the object table's cost.
void BM_ShapeRecord(benchmark::State &state) {
    Canvas canvas;
    const POINT wing[3] = {{300, 270}, {285, 255}, {285, 285}};
    for (auto _ : state) {
        HPEN pen = CreatePen(PS_SOLID, 0, RGB(200, 30, 30));
        HGDIOBJ old_pen = SelectObject(canvas.dc(), pen);
        HBRUSH brush = CreateSolidBrush(RGB(200, 30, 30));
        HGDIOBJ old_brush = SelectObject(canvas.dc(), brush);
        Polygon(canvas.dc(), wing, 3);
        SelectObject(canvas.dc(), old_pen);
        SelectObject(canvas.dc(), old_brush);
        DeleteObject(pen);
        DeleteObject(brush);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ShapeRecord);

// A 60-character line of 14-pixel text, transparent, as the package draws text.
void BM_TextLine(benchmark::State &state) {
    Canvas canvas;
    HFONT font = CreateFontA(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "VORBL-font");
    HGDIOBJ old = SelectObject(canvas.dc(), font);
    SetBkMode(canvas.dc(), TRANSPARENT);
    const char text[] = "The quick brown fox jumps over the lazy dog: 0123456789 ABCD";
    static_assert(sizeof text - 1 == 60);
    for (auto _ : state) {
        TextOutA(canvas.dc(), 10, 200, text, 60);
        benchmark::ClobberMemory();
    }
    SelectObject(canvas.dc(), old);
    DeleteObject(font);
}
BENCHMARK(BM_TextLine);

// What the renderer pays for one text record: create, select, measure, draw, give back.
void BM_TextRecord(benchmark::State &state) {
    Canvas canvas;
    SetBkMode(canvas.dc(), TRANSPARENT);
    const char text[] = "Score: 12";
    for (auto _ : state) {
        HFONT font = CreateFontA(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "VORBL-font");
        HGDIOBJ old = SelectObject(canvas.dc(), font);
        SIZE size{};
        GetTextExtentPointA(canvas.dc(), text, 9, &size);
        TextOutA(canvas.dc(), 10, 200 - size.cy, text, 9);
        SelectObject(canvas.dc(), old);
        DeleteObject(font);
    }
}
BENCHMARK(BM_TextRecord);

}  // namespace

BENCHMARK_MAIN();
