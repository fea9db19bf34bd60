// polygon.cpp: Polygon, filled by the alternate rule and then outlined with the pen.
//
// The fill samples each pixel's top-left corner (left edges and top rows in, right edges and
// bottom rows out). A cosmetic pen then draws the closed outline P0->P1->...->P0 with the line
// rule, which paints every vertex; a wide pen strokes it with round joins. Two points draw the
// segment both ways; fewer than two fail. All points equal draw nothing with a cosmetic pen.
//
// Depends on: draw_target.h, raster_pen.h.
#include <vector>

#include "core/memory_exhaustion.h"
#include "gdi/draw_target.h"
#include "gdi/raster/raster_pen.h"

using namespace platform::gdi;
using namespace platform::raster;
using platform::PixelSurface;

namespace {

void outline_polygon(const PixelSurface &surface, const std::vector<Point64> &points,
                     const PenPaint &pen) {
    if (pen.wide()) {
        wide_polyline(surface, points, true, pen.width, pen.pixel);
        return;
    }
    for (std::size_t i = 0; i < points.size(); ++i)
        cosmetic_line(surface, points[i], points[(i + 1) % points.size()], pen.pixel);
}

// The corners in wide coordinates, in a buffer kept between calls: a scene draws dozens of
// polygons a frame, and the GDI runs on one thread.
const std::vector<Point64> &wide_corners(const POINT *points, int count) {
    static std::vector<Point64> corners;
    corners.clear();
    for (int i = 0; i < count; ++i) corners.push_back(Point64{points[i].x, points[i].y});
    return corners;
}

}  // namespace

extern "C" BOOL WINAPI Polygon(HDC handle, const POINT *points, int count) {
    return platform::fail_when_memory_runs_out<BOOL>(FALSE, [&]() -> BOOL {
        DrawTarget target;
        if (!open_target(handle, &target) || points == nullptr || count < 2) return FALSE;
        const std::vector<Point64> &corners = wide_corners(points, count);
        std::uint32_t fill = 0;
        if (brush_paint(*target.dc, &fill)) fill_polygon(target.surface, corners, fill);
        const PenPaint pen = pen_paint(*target.dc);
        if (pen.visible) outline_polygon(target.surface, corners, pen);
        dc_drawn(*target.dc);
        return TRUE;
    });
}
