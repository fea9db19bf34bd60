// gdi_pixels.cpp: FillRect (normal, reversed, empty, partly outside, system colour and bad
// brushes), BitBlt (between and within DCs, overlapping, clipped at both ends), ScrollDC (whole
// bitmap, scroll and clip rectangles, the update rectangle), SetPixel and GetPixel in and out of
// the bitmap, and every call with bad and wrong-kind handles.
//
// Depends on: trace.h, canvas.h. Prints a trace on standard output (see trace.h).
#include <iterator>

#include "canvas.h"
#include "trace.h"

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 12;
const trace::Palette kPalette;

void fill_case(conformance::Canvas &canvas, const char *name, RECT rect, HBRUSH brush) {
    trace::section(name);
    conformance::clear(canvas, kPalette.background);
    trace::value("result", "%d", FillRect(canvas.dc, &rect, brush) != 0 ? 1 : 0);
    trace::picture(canvas.dc, kWidth, kHeight, kPalette);
}

void fill_rects(conformance::Canvas &canvas) {
    HBRUSH brush = CreateSolidBrush(kPalette.brush);
    fill_case(canvas, "FillRect normal", RECT{2, 3, 9, 7}, brush);
    fill_case(canvas, "FillRect reversed", RECT{9, 7, 2, 3}, brush);
    fill_case(canvas, "FillRect reversed x", RECT{9, 3, 2, 7}, brush);
    fill_case(canvas, "FillRect reversed y", RECT{2, 7, 9, 3}, brush);
    fill_case(canvas, "FillRect empty", RECT{4, 4, 4, 9}, brush);
    fill_case(canvas, "FillRect outside", RECT{-5, -5, 6, 4}, brush);
    fill_case(canvas, "FillRect past corner", RECT{12, 8, 30, 30}, brush);
    fill_case(canvas, "FillRect far off", RECT{100, 100, 200, 200}, brush);
    fill_case(canvas, "FillRect system black", RECT{1, 1, 5, 5},
              reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(7 + 1)));  // COLOR_WINDOWFRAME
    fill_case(canvas, "FillRect stock null brush", RECT{1, 1, 5, 5},
              static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    fill_case(canvas, "FillRect stock black brush", RECT{1, 1, 5, 5},
              static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HPEN pen = CreatePen(PS_SOLID, 1, kPalette.pen);
    fill_case(canvas, "FillRect pen as brush", RECT{1, 1, 5, 5}, reinterpret_cast<HBRUSH>(pen));
    DeleteObject(pen);
    HBRUSH gone = CreateSolidBrush(kPalette.pen);
    DeleteObject(gone);
    fill_case(canvas, "FillRect deleted brush", RECT{1, 1, 5, 5}, gone);
    trace::section("FillRect bad DC");
    RECT rect{1, 1, 5, 5};
    trace::value("null", "%d", FillRect(nullptr, &rect, brush) != 0 ? 1 : 0);
    trace::value("brush as DC", "%d",
                 FillRect(reinterpret_cast<HDC>(brush), &rect, brush) != 0 ? 1 : 0);
    DeleteObject(brush);
}

// A recognisable pattern: a pen-coloured frame with a brush-coloured cross in it.
void draw_pattern(HDC dc) {
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const bool frame = x == 1 || y == 1 || x == 6 || y == 5;
            const bool cross = (x == 3 || y == 3) && x < 6 && y < 5;
            if (frame && x <= 6 && y <= 5)
                SetPixel(dc, x, y, kPalette.pen);
            else if (cross)
                SetPixel(dc, x, y, kPalette.brush);
            else
                SetPixel(dc, x, y, kPalette.background);
        }
}

void blit_case(conformance::Canvas &canvas, conformance::Canvas &source, const char *name, int x,
               int y, int w, int h, int sx, int sy, bool same_dc) {
    trace::section(name);
    conformance::clear(canvas, kPalette.background);
    draw_pattern(source.dc);
    if (same_dc) draw_pattern(canvas.dc);
    HDC from = same_dc ? canvas.dc : source.dc;
    trace::value("result", "%d", BitBlt(canvas.dc, x, y, w, h, from, sx, sy, SRCCOPY));
    trace::picture(canvas.dc, kWidth, kHeight, kPalette);
}

void blits(conformance::Canvas &canvas) {
    conformance::Canvas source = conformance::open_canvas(kWidth, kHeight);
    blit_case(canvas, source, "BitBlt plain", 5, 4, 7, 6, 0, 0, false);
    blit_case(canvas, source, "BitBlt source partly outside", 2, 2, 8, 8, -3, -2, false);
    blit_case(canvas, source, "BitBlt destination partly outside", -3, 8, 7, 6, 0, 0, false);
    blit_case(canvas, source, "BitBlt source past its corner", 0, 0, 10, 10, 12, 8, false);
    blit_case(canvas, source, "BitBlt overlap down right", 2, 2, 7, 6, 0, 0, true);
    blit_case(canvas, source, "BitBlt overlap up left", 0, 0, 7, 6, 2, 2, true);
    blit_case(canvas, source, "BitBlt zero size", 3, 3, 0, 5, 0, 0, false);
    trace::section("BitBlt bad handles");
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    trace::value("null destination", "%d", BitBlt(nullptr, 0, 0, 2, 2, source.dc, 0, 0, SRCCOPY));
    trace::value("null source", "%d", BitBlt(canvas.dc, 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));
    trace::value("pen as source", "%d",
                 BitBlt(canvas.dc, 0, 0, 2, 2, reinterpret_cast<HDC>(pen), 0, 0, SRCCOPY));
    trace::value("pen as destination", "%d",
                 BitBlt(reinterpret_cast<HDC>(pen), 0, 0, 2, 2, source.dc, 0, 0, SRCCOPY));
    DeleteObject(pen);
    conformance::close_canvas(source);
}

void scroll_case(conformance::Canvas &canvas, const char *name, int dx, int dy, const RECT *scroll,
                 const RECT *clip) {
    trace::section(name);
    conformance::clear(canvas, kPalette.background);
    draw_pattern(canvas.dc);
    RECT update{-1, -1, -1, -1};
    trace::value("result", "%d", ScrollDC(canvas.dc, dx, dy, scroll, clip, nullptr, &update));
    trace::value("update", "%ld,%ld,%ld,%ld", static_cast<long>(update.left),
                 static_cast<long>(update.top), static_cast<long>(update.right),
                 static_cast<long>(update.bottom));
    trace::picture(canvas.dc, kWidth, kHeight, kPalette);
}

void scrolls(conformance::Canvas &canvas) {
    scroll_case(canvas, "ScrollDC up 3", 0, -3, nullptr, nullptr);
    scroll_case(canvas, "ScrollDC down 2 right 3", 3, 2, nullptr, nullptr);
    const RECT part{1, 1, 8, 6};
    scroll_case(canvas, "ScrollDC scroll rect", 2, 1, &part, nullptr);
    scroll_case(canvas, "ScrollDC clip rect", 2, 1, nullptr, &part);
    scroll_case(canvas, "ScrollDC by nothing", 0, 0, nullptr, nullptr);
    scroll_case(canvas, "ScrollDC past everything", 40, 0, nullptr, nullptr);
    trace::section("ScrollDC bad handles");
    trace::value("null", "%d", ScrollDC(nullptr, 0, 1, nullptr, nullptr, nullptr, nullptr));
    HBRUSH brush = CreateSolidBrush(0);
    trace::value("brush as DC", "%d",
                 ScrollDC(reinterpret_cast<HDC>(brush), 0, 1, nullptr, nullptr, nullptr, nullptr));
    DeleteObject(brush);
}

void pixels(conformance::Canvas &canvas) {
    trace::section("SetPixel GetPixel");
    conformance::clear(canvas, kPalette.background);
    trace::value("set inside", "%08lx",
                 static_cast<unsigned long>(SetPixel(canvas.dc, 3, 4, RGB(1, 2, 3))));
    trace::value("get inside", "%08lx", static_cast<unsigned long>(GetPixel(canvas.dc, 3, 4)));
    trace::value("set high byte", "%08lx",
                 static_cast<unsigned long>(SetPixel(canvas.dc, 5, 5, 0x7F102030)));
    trace::value("get high byte", "%08lx", static_cast<unsigned long>(GetPixel(canvas.dc, 5, 5)));
    const POINT outside[] = {{-1, 0}, {0, -1}, {kWidth, 0}, {0, kHeight}, {100000, -100000}};
    for (const POINT &p : outside) {
        char key[64];
        std::snprintf(key, sizeof key, "get %ld,%ld", static_cast<long>(p.x),
                      static_cast<long>(p.y));
        trace::value(key, "%08lx", static_cast<unsigned long>(GetPixel(canvas.dc, p.x, p.y)));
    }
    trace::value("get last corner", "%08lx",
                 static_cast<unsigned long>(GetPixel(canvas.dc, kWidth - 1, kHeight - 1)));
    trace::value("get null DC", "%08lx", static_cast<unsigned long>(GetPixel(nullptr, 0, 0)));
    trace::value("set null DC", "%08lx", static_cast<unsigned long>(SetPixel(nullptr, 0, 0, 0)));
    HBRUSH brush = CreateSolidBrush(0);
    trace::value("get brush as DC", "%08lx",
                 static_cast<unsigned long>(GetPixel(reinterpret_cast<HDC>(brush), 0, 0)));
    DeleteObject(brush);
    // A fresh memory DC holds the 1 x 1 stock bitmap.
    HDC fresh = CreateCompatibleDC(canvas.dc);
    trace::value("fresh DC get 0,0", "%08lx", static_cast<unsigned long>(GetPixel(fresh, 0, 0)));
    trace::value("fresh DC get 1,0", "%08lx", static_cast<unsigned long>(GetPixel(fresh, 1, 0)));
    DeleteDC(fresh);
}

}  // namespace

int main() {
    conformance::Canvas canvas = conformance::open_canvas(kWidth, kHeight);
    fill_rects(canvas);
    blits(canvas);
    scrolls(canvas);
    pixels(canvas);
    conformance::close_canvas(canvas);
    return 0;
}
