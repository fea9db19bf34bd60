// rect_ellipse.cpp: Rectangle, Ellipse and FillRect.
//
// Boxes are normalised (swapped corners accepted); an empty box draws nothing and succeeds. A
// shape covers [left, right) x [top, bottom). Rectangle with the one-pixel pen: the border
// pixels in the pen, the interior in the brush, so a one-pixel box paints its pixel (the package
// relies on that for a circle of radius 0; Windows would draw nothing). With NULL_PEN the brush
// fills [left, right - 1) x [top, bottom - 1), the classic rule. Ellipse: the brush fills the
// ellipse inscribed in the box, then the pen draws its outline chain; boxes 2 pixels or less in
// a dimension are drawn as rectangles. Wide pens straddle the outline with round joins.
//
// Depends on: draw_target.h, raster_pen.h, raster_ellipse.h.
#include <algorithm>
#include <array>

#include "gdi/draw_target.h"
#include "gdi/raster/raster_ellipse.h"
#include "gdi/raster/raster_pen.h"

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

// The rows of the ellipse that can touch the surface, widened by `margin` for a wide pen.
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

// Whether the chain steps diagonally between row `row` and the next row away from the middle,
// `outer_row`: the chain leaves a row at its innermost pixel and enters the next one at its
// outermost, so the step is diagonal when those two columns are one apart.
bool diagonal_step(const EllipseRows &rows, Coord row, Coord outer_row) {
    if (outer_row < 0 || outer_row >= rows.height()) return false;
    return rows.row(outer_row).outer + 1 == rows.row(row).inner;
}

// The band of the chain's diagonal step from row `row` to row `next`, one row further from the
// middle, on both sides. GDI walks the outline counter-clockwise from the right end of the
// middle row, so in the upper half the right side is walked inwards-up and the left side
// outwards-down, and the other way round in the lower half; the direction decides on which side
// a band's odd pixel falls.
void diagonal_band(const PixelSurface &surface, const Box &box, const EllipseRows &rows, Coord row,
                   Coord next, const PenPaint &pen) {
    if (!diagonal_step(rows, row, next)) return;
    const Coord inner = rows.row(row).inner, mirror = box.left + box.width() - 1;
    const Point64 right_from{box.left + inner, box.top + row};
    const Point64 right_to{box.left + inner - 1, box.top + next};
    const Point64 left_from{mirror - inner, box.top + row};
    const Point64 left_to{mirror - inner + 1, box.top + next};
    if (next < row) {
        wide_segment_body(surface, right_from, right_to, pen.width, pen.pixel);
        wide_segment_body(surface, left_to, left_from, pen.width, pen.pixel);
    } else {
        wide_segment_body(surface, left_from, left_to, pen.width, pen.pixel);
        wide_segment_body(surface, right_to, right_from, pen.width, pen.pixel);
    }
}

// The diagonal steps out of `row`: level and upright steps add nothing the discs do not cover
// already, while a sloped band pokes out beyond them. The middle row of an odd height steps
// both ways.
void diagonal_bands(const PixelSurface &surface, const Box &box, const EllipseRows &rows, Coord row,
                    const PenPaint &pen) {
    const Coord twice = 2 * row, last = box.height() - 1;
    if (twice <= last) diagonal_band(surface, box, rows, row, row - 1, pen);
    if (twice >= last) diagonal_band(surface, box, rows, row, row + 1, pen);
}

void outline_ellipse(const PixelSurface &surface, const Box &box, const EllipseRows &rows,
                     const PenPaint &pen) {
    const PenDisc disc(pen.width);
    const Coord margin = pen.wide() ? pen.width : 0;
    Coord first = 0, end = 0;
    visible_rows(surface, box, margin, &first, &end);
    for (Coord row = first; row < end; ++row) {
        const EllipseRun run = rows.row(row);
        const Coord y = box.top + row, mirror = box.left + box.width() - 1;
        const Coord right_first = box.left + run.inner, right_last = box.left + run.outer;
        const Coord left_first = mirror - run.outer, left_last = mirror - run.inner;
        if (pen.wide()) {
            disc.stamp_run(surface, y, left_first, left_last, pen.pixel);
            disc.stamp_run(surface, y, right_first, right_last, pen.pixel);
            diagonal_bands(surface, box, rows, row, pen);
        } else {
            fill_span(surface, y, left_first, left_last + 1, pen.pixel);
            fill_span(surface, y, right_first, right_last + 1, pen.pixel);
        }
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
    DrawTarget target;
    if (!open_target(handle, &target)) return FALSE;
    const Box box = normalised(left, top, right, bottom);
    if (box.width() == 0 || box.height() == 0) return TRUE;
    draw_rectangle(target.surface, box, shape_paint(*target.dc));
    dc_drawn(*target.dc);
    return TRUE;
}

BOOL WINAPI Ellipse(HDC handle, int left, int top, int right, int bottom) {
    DrawTarget target;
    if (!open_target(handle, &target)) return FALSE;
    const Box box = normalised(left, top, right, bottom);
    if (box.width() == 0 || box.height() == 0) return TRUE;
    draw_ellipse(target.surface, box, shape_paint(*target.dc));
    dc_drawn(*target.dc);
    return TRUE;
}

// FillRect ignores the selected pen and brush. A reversed axis is a block transfer with a
// negative extent, which covers the pixels from the far edge back to the near one, both moved by
// one: left 9, right 2 fills columns 3 to 9.
int WINAPI FillRect(HDC handle, const RECT *rect, HBRUSH brush) {
    DrawTarget target;
    if (!open_target(handle, &target) || rect == nullptr) return 0;
    COLORREF color = 0;
    if (!brush_paint_color(brush, &color)) return find_object(brush, ObjectKind::brush) != nullptr;
    const Box box = fill_extent(*rect);
    fill_box(target.surface, box.left, box.top, box.right, box.bottom, to_pixel(color));
    dc_drawn(*target.dc);
    return 1;
}

}  // extern "C"
