// rect_ellipse.cpp: Rectangle, Ellipse and FillRect.
//
// Boxes are normalised (swapped corners accepted); an empty box draws nothing and succeeds. A
// shape covers [left, right) x [top, bottom). Rectangle with the one-pixel pen: the border
// pixels in the pen, the interior in the brush, so a one-pixel box paints its pixel (the package
// relies on that for a circle of radius 0; Windows would draw nothing). With NULL_PEN the brush
// fills [left, right - 1) x [top, bottom - 1), the classic rule. Ellipse: the brush fills the
// ellipse inscribed in the box, then the pen draws its outline chain; boxes 2 pixels or less in
// a dimension are drawn as rectangles. Wide pens stroke the outline's pixel chain with round
// joins (raster_wide_outline.h).
//
// Depends on: draw_target.h, raster_pen.h, raster_ellipse.h.
#include <algorithm>
#include <array>

#include "core/memory_exhaustion.h"
#include "gdi/draw_target.h"
#include "gdi/raster/raster_ellipse.h"
#include "gdi/raster/raster_pen.h"
#include "gdi/raster/raster_wide_outline.h"

using namespace platform::gdi;
using namespace platform::raster;
using platform::PixelSurface;

namespace {

struct Box {
    Coord left, top, right, bottom;
    Coord width() const { return right - left; }
    Coord height() const { return bottom - top; }
};

Box normalised(int left, int top, int right, int bottom) {
    return Box{std::min(left, right), std::min(top, bottom), std::max(left, right),
               std::max(top, bottom)};
}

// The pixels [first, end) one axis of a FillRect covers.
void fill_axis(Coord from, Coord to, Coord *first, Coord *end) {
    *first = from <= to ? from : to + 1;
    *end = from <= to ? to : from + 1;
}

Box fill_extent(const RECT &rect) {
    Box box{};
    fill_axis(rect.left, rect.right, &box.left, &box.right);
    fill_axis(rect.top, rect.bottom, &box.top, &box.bottom);
    return box;
}

// What one shape paints with: the pen and, when it is not hollow, the brush.
struct ShapePaint {
    PenPaint pen;
    bool filled = false;
    std::uint32_t fill = 0;
};

ShapePaint shape_paint(const DeviceContext &dc) {
    ShapePaint paint;
    paint.pen = pen_paint(dc);
    paint.filled = brush_paint(dc, &paint.fill);
    return paint;
}

void draw_rectangle(const PixelSurface &surface, const Box &box, const ShapePaint &paint) {
    const Coord l = box.left, t = box.top, r = box.right, b = box.bottom;
    if (!paint.pen.visible || paint.pen.wide()) {
        if (paint.filled) fill_box(surface, l, t, r - 1, b - 1, paint.fill);
        if (!paint.pen.visible) return;
        const std::array<Point64, 4> corners = {Point64{r - 1, b - 1}, Point64{l, b - 1},
                                                Point64{l, t}, Point64{r - 1, t}};
        wide_polyline(surface, corners, true, paint.pen.width, paint.pen.pixel);
        return;
    }
    const std::uint32_t pen = paint.pen.pixel;
    if (paint.filled && paint.fill == pen) {  // a filled shape outlined in its own colour: one box
        fill_box(surface, l, t, r, b, pen);
        return;
    }
    if (paint.filled) fill_box(surface, l + 1, t + 1, r - 1, b - 1, paint.fill);
    fill_box(surface, l, t, r, t + 1, pen);
    fill_box(surface, l, b - 1, r, b, pen);
    fill_box(surface, l, t, l + 1, b, pen);
    fill_box(surface, r - 1, t, r, b, pen);
}

// The rows of the ellipse that can touch the surface, widened by `margin`.
void visible_rows(const PixelSurface &surface, const Box &box, Coord margin, Coord *first,
                  Coord *end) {
    *first = std::max<Coord>(0, -box.top - margin);
    *end = std::min<Coord>(box.height(), surface.height - box.top + margin);
}

void fill_ellipse(const PixelSurface &surface, const Box &box, const EllipseRows &rows,
                  std::uint32_t pixel) {
    Coord first = 0, end = 0;
    visible_rows(surface, box, 0, &first, &end);
    for (Coord row = first; row < end; ++row) {
        const EllipseRun run = rows.row(row);
        fill_span(surface, box.top + row, box.left + box.width() - 1 - run.outer,
                  box.left + run.outer + 1, pixel);
    }
}

void outline_ellipse(const PixelSurface &surface, const Box &box, const EllipseRows &rows,
                     const PenPaint &pen) {
    if (pen.wide()) {
        wide_ellipse_outline(surface, box.left, box.top, rows, pen.width, pen.pixel);
        return;
    }
    Coord first = 0, end = 0;
    visible_rows(surface, box, 0, &first, &end);
    for (Coord row = first; row < end; ++row) {
        const EllipseRun run = rows.row(row);
        const Coord y = box.top + row, mirror = box.left + box.width() - 1;
        fill_span(surface, y, mirror - run.outer, mirror - run.inner + 1, pen.pixel);
        fill_span(surface, y, box.left + run.inner, box.left + run.outer + 1, pen.pixel);
    }
}

void draw_ellipse(const PixelSurface &surface, const Box &box, const ShapePaint &paint) {
    if (box.width() <= 2 || box.height() <= 2) {
        draw_rectangle(surface, box, paint);
        return;
    }
    const EllipseRows &rows = ellipse_rows(box.width(), box.height());
    if (paint.filled) fill_ellipse(surface, box, rows, paint.fill);
    // The fill already covers a one-pixel outline, so one in the fill's colour adds nothing.
    const bool outline_hidden = paint.filled && !paint.pen.wide() && paint.pen.pixel == paint.fill;
    if (paint.pen.visible && !outline_hidden) outline_ellipse(surface, box, rows, paint.pen);
}

}  // namespace

extern "C" {

BOOL WINAPI Rectangle(HDC handle, int left, int top, int right, int bottom) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        DrawTarget target;
        if (!open_target(handle, &target)) return FALSE;
        const Box box = normalised(left, top, right, bottom);
        if (box.width() == 0 || box.height() == 0) return TRUE;
        draw_rectangle(target.surface, box, shape_paint(*target.dc));
        dc_drawn(*target.dc);
        return TRUE;
    });
}

BOOL WINAPI Ellipse(HDC handle, int left, int top, int right, int bottom) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        DrawTarget target;
        if (!open_target(handle, &target)) return FALSE;
        const Box box = normalised(left, top, right, bottom);
        if (box.width() == 0 || box.height() == 0) return TRUE;
        draw_ellipse(target.surface, box, shape_paint(*target.dc));
        dc_drawn(*target.dc);
        return TRUE;
    });
}

// FillRect ignores the selected pen and brush. A reversed axis is a block transfer with a
// negative extent, which covers the pixels from the far edge back to the near one, both moved by
// one: left 9, right 2 fills columns 3 to 9.
int WINAPI FillRect(HDC handle, const RECT *rect, HBRUSH brush) {
    return platform::fail_when_memory_runs_out<int>(static_cast<int>(0), [&]() -> int {
        DrawTarget target;
        if (!open_target(handle, &target) || rect == nullptr) return 0;
        COLORREF color = 0;
        if (!brush_paint_color(brush, &color))
            return find_object(brush, ObjectKind::brush) != nullptr;
        const Box box = fill_extent(*rect);
        fill_box(target.surface, box.left, box.top, box.right, box.bottom, to_pixel(color));
        dc_drawn(*target.dc);
        return 1;
    });
}

}  // extern "C"
