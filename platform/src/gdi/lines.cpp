// lines.cpp: LineTo, the line from the current position with the selected pen.
//
// A cosmetic pen paints from the current position up to, not including, the end point; a wide
// pen paints a band with round caps, so its end point is painted. Either way the current
// position moves to the end point, so chained LineTo calls paint every vertex once.
//
// Depends on: draw_target.h, raster_pen.h.
#include <array>

#include "core/memory_exhaustion.h"
#include "gdi/draw_target.h"
#include "gdi/raster/raster_pen.h"

using namespace platform::gdi;
using namespace platform::raster;
using platform::PixelSurface;

extern "C" BOOL WINAPI LineTo(HDC handle, int x, int y) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        DrawTarget target;
        if (!open_target(handle, &target)) return FALSE;
        DeviceContext &dc = *target.dc;
        const std::array<Point64, 2> ends = {Point64{dc.position.x, dc.position.y}, Point64{x, y}};
        const PenPaint pen = pen_paint(dc);
        if (pen.wide()) {
            wide_polyline(target.surface, ends, false, pen.width, pen.pixel);
        } else if (pen.visible) {
            cosmetic_line(target.surface, ends[0], ends[1], pen.pixel);
        }
        dc.position = POINT{x, y};
        if (pen.visible) dc_drawn(dc);
        return TRUE;
    });
}
