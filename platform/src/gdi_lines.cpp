// gdi_lines.cpp: LineTo, the line from the current position with the selected pen.
//
// A cosmetic pen paints from the current position up to, not including, the end point; a wide
// pen paints a band with round caps, so its end point is painted. Either way the current
// position moves to the end point, so chained LineTo calls paint every vertex once.
//
// Depends on: gdi_paint.h, raster_pen.h.
#include <array>

#include "gdi_paint.h"
#include "raster_pen.h"

using namespace platform::gdi;
using namespace platform::raster;
using platform::PixelSurface;

extern "C" BOOL WINAPI LineTo(HDC handle, int x, int y) {
    Canvas canvas;
    if (!open_canvas(handle, &canvas)) return FALSE;
    DeviceContext &dc = *canvas.dc;
    const std::array<Point64, 2> ends = {Point64{dc.position.x, dc.position.y}, Point64{x, y}};
    const PenPaint pen = pen_paint(dc);
    if (pen.wide()) {
        wide_polyline(canvas.surface, ends, false, pen.width, pen.pixel);
    } else if (pen.visible) {
        cosmetic_line(canvas.surface, ends[0], ends[1], pen.pixel);
    }
    dc.position = POINT{x, y};
    if (pen.visible) dc_drawn(dc);
    return TRUE;
}
