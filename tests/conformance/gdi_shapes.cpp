// gdi_shapes.cpp: the pixels of every shape the package draws (Rectangle, Ellipse, Polygon,
// MoveToEx/LineTo), with pen widths 0 to 5 and NULL_PEN, a solid brush and NULL_BRUSH; shapes
// partly outside the bitmap, reversed and empty boxes; then bad and wrong-kind handles.
//
// Depends on: trace.h, canvas.h. Prints a trace on standard output (see trace.h).
#include <iterator>

#include "canvas.h"
#include "trace.h"

namespace {

constexpr int kWidth = 24;
constexpr int kHeight = 20;

enum class Kind { rectangle, ellipse, polygon, line };

struct Shape {
    const char *name;
    Kind kind;
    int a, b, c, d;    // box, or line ends, or the first two polygon corners
    int e = 0, f = 0;  // the polygon's third corner
    // Drawn with NULL_BRUSH only: Wine fills a 3-pixel-wide ellipse's outermost rows from
    // memory it never wrote (they hold whatever was there before), so only its outline compares.
    bool outline_only = false;
};

const Shape kShapes[] = {
    {"rect", Kind::rectangle, 3, 3, 17, 14},
    {"rect_3x2", Kind::rectangle, 5, 5, 8, 7},
    {"rect_1x1", Kind::rectangle, 5, 5, 6, 6},
    {"rect_2x2", Kind::rectangle, 5, 5, 7, 7},
    {"rect_outside", Kind::rectangle, -4, -3, 10, 9},
    {"rect_past_corner", Kind::rectangle, 12, 10, 40, 40},
    {"rect_reversed", Kind::rectangle, 17, 14, 3, 3},
    {"rect_reversed_x", Kind::rectangle, 17, 3, 3, 14},
    {"rect_empty", Kind::rectangle, 5, 5, 5, 12},
    {"ellipse", Kind::ellipse, 3, 3, 18, 14},
    {"ellipse_circle7", Kind::ellipse, 4, 4, 11, 11},
    {"ellipse_circle8", Kind::ellipse, 4, 4, 12, 12},
    {"ellipse_flat", Kind::ellipse, 3, 6, 20, 10},
    {"ellipse_tall", Kind::ellipse, 6, 2, 10, 17},
    {"ellipse_flat_3", Kind::ellipse, 1, 8, 23, 11},
    {"ellipse_flat_4", Kind::ellipse, 0, 8, 24, 12},
    {"ellipse_thin_3", Kind::ellipse, 9, 0, 12, 20, 0, 0, true},
    {"ellipse_15x11", Kind::ellipse, 5, 4, 20, 15},
    {"ellipse_3x3", Kind::ellipse, 5, 5, 8, 8},
    {"ellipse_2x4", Kind::ellipse, 5, 5, 7, 9},
    {"ellipse_outside_left", Kind::ellipse, -6, 8, 12, 26},
    {"ellipse_outside_top", Kind::ellipse, 14, -5, 30, 9},
    {"ellipse_reversed", Kind::ellipse, 18, 14, 3, 3},
    {"ellipse_empty", Kind::ellipse, 4, 9, 15, 9},
    {"triangle", Kind::polygon, 3, 3, 19, 7, 8, 17},
    {"triangle_thin", Kind::polygon, 2, 10, 21, 12, 4, 13},
    {"triangle_outside", Kind::polygon, -5, 5, 15, -6, 30, 18},
    {"triangle_collinear", Kind::polygon, 2, 2, 8, 8, 14, 14},
    {"line_horizontal", Kind::line, 3, 4, 19, 4},
    {"line_vertical_up", Kind::line, 5, 17, 5, 3},
    {"line_diagonal", Kind::line, 2, 3, 20, 15},
    {"line_shallow_up", Kind::line, 3, 16, 19, 9},
    {"line_steep", Kind::line, 10, 2, 13, 18},
    {"line_45", Kind::line, 4, 4, 14, 14},
    {"line_backwards", Kind::line, 20, 12, 4, 6},
    {"line_zero", Kind::line, 8, 8, 8, 8},
    {"line_outside", Kind::line, -5, 18, 30, 2},
};

void draw(HDC dc, const Shape &shape) {
    switch (shape.kind) {
        case Kind::rectangle:
            trace::value("result", "%d", Rectangle(dc, shape.a, shape.b, shape.c, shape.d));
            break;
        case Kind::ellipse:
            trace::value("result", "%d", Ellipse(dc, shape.a, shape.b, shape.c, shape.d));
            break;
        case Kind::polygon: {
            const POINT corners[3] = {{shape.a, shape.b}, {shape.c, shape.d}, {shape.e, shape.f}};
            trace::value("result", "%d", Polygon(dc, corners, 3));
            break;
        }
        case Kind::line:
            MoveToEx(dc, shape.a, shape.b, nullptr);
            trace::value("result", "%d", LineTo(dc, shape.c, shape.d));
            break;
    }
}

// Width -1 stands for NULL_PEN.
HPEN make_pen(int width, const trace::Palette &palette) {
    if (width < 0) return static_cast<HPEN>(GetStockObject(NULL_PEN));
    return CreatePen(PS_SOLID, width, palette.pen);
}

int draw_all_shapes(conformance::Canvas &canvas) {
    const trace::Palette palette;
    HBRUSH solid = CreateSolidBrush(palette.brush);
    HGDIOBJ hollow = GetStockObject(NULL_BRUSH);
    int pixels = 0;
    for (const Shape &shape : kShapes) {
        for (int width = -1; width <= 5; ++width) {
            for (int filled = 1; filled >= 0; --filled) {
                // The brush plays no part in a line.
                if (shape.kind == Kind::line && !filled) continue;
                if (shape.outline_only && filled) continue;
                char name[96];
                std::snprintf(name, sizeof name, "%s pen=%s%d brush=%s", shape.name,
                              width < 0 ? "null" : "", width < 0 ? 0 : width,
                              filled ? "solid" : "null");
                trace::section(name);
                conformance::clear(canvas, palette.background);
                HPEN pen = make_pen(width, palette);
                HGDIOBJ old_pen = SelectObject(canvas.dc, pen);
                HGDIOBJ old_brush = SelectObject(canvas.dc, filled ? solid : hollow);
                draw(canvas.dc, shape);
                pixels += trace::picture(canvas.dc, kWidth, kHeight, palette);
                SelectObject(canvas.dc, old_brush);
                SelectObject(canvas.dc, old_pen);
                DeleteObject(pen);
            }
        }
    }
    DeleteObject(solid);
    return pixels;
}

// Every call above with no DC, a deleted DC, a DC's handle of the wrong kind and bad points.
void bad_handles(conformance::Canvas &canvas) {
    trace::section("bad handles");
    HDC gone = CreateCompatibleDC(canvas.dc);
    DeleteDC(gone);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HDC wrong_kind = reinterpret_cast<HDC>(pen);
    const HDC bad[] = {nullptr, gone, wrong_kind};
    const char *names[] = {"null", "deleted", "pen_as_dc"};
    const POINT corners[3] = {{1, 1}, {5, 1}, {1, 5}};
    for (std::size_t i = 0; i < std::size(bad); ++i) {
        char key[64];
        std::snprintf(key, sizeof key, "Rectangle %s", names[i]);
        trace::value(key, "%d", Rectangle(bad[i], 1, 1, 5, 5));
        std::snprintf(key, sizeof key, "Ellipse %s", names[i]);
        trace::value(key, "%d", Ellipse(bad[i], 1, 1, 5, 5));
        std::snprintf(key, sizeof key, "Polygon %s", names[i]);
        trace::value(key, "%d", Polygon(bad[i], corners, 3));
        std::snprintf(key, sizeof key, "MoveToEx %s", names[i]);
        trace::value(key, "%d", MoveToEx(bad[i], 1, 1, nullptr));
        std::snprintf(key, sizeof key, "LineTo %s", names[i]);
        trace::value(key, "%d", LineTo(bad[i], 5, 5));
    }
    DeleteObject(pen);
    trace::value("Polygon 1 point", "%d", Polygon(canvas.dc, corners, 1));
    trace::value("Polygon 0 points", "%d", Polygon(canvas.dc, corners, 0));
    trace::value("Polygon -1 points", "%d", Polygon(canvas.dc, corners, -1));
    POINT previous{-7, -7};
    MoveToEx(canvas.dc, 3, 4, nullptr);
    trace::value("MoveToEx returns", "%d", MoveToEx(canvas.dc, 9, 8, &previous));
    trace::value("MoveToEx previous", "%ld,%ld", static_cast<long>(previous.x),
                 static_cast<long>(previous.y));
    LineTo(canvas.dc, 12, 2);
    MoveToEx(canvas.dc, 0, 0, &previous);
    trace::value("LineTo moves to", "%ld,%ld", static_cast<long>(previous.x),
                 static_cast<long>(previous.y));
}

}  // namespace

int main() {
    conformance::Canvas canvas = conformance::open_canvas(kWidth, kHeight);
    const int pixels = draw_all_shapes(canvas);
    bad_handles(canvas);
    conformance::close_canvas(canvas);
    std::fprintf(stderr, "gdi_shapes: %d pixels\n", pixels);
    return 0;
}
