// raster_pen.h: what a pen paints: the one-pixel line rule and the wide pen's round shapes.
//
// Cosmetic (0 or 1 pixel) lines: one pixel per step along the major axis from the start up to,
// not including, the end; the minor coordinate is the exact one rounded to nearest with a .5 tie
// going to the smaller coordinate, so A->B and B->A paint the same pixels but for their ends.
// Wide pens: a segment is a band `width` pixels across (a box when horizontal or vertical, a
// quadrilateral otherwise), and every vertex gets a disc `width` pixels across, which gives the
// round caps and joins. Overlaps are painted twice with the same colour, which is invisible.
//
// Depends on: raster_core.h, raster_ellipse.h. Limits: widths up to 65536.
#pragma once

#include <array>
#include <span>

#include "gdi/raster/raster_core.h"
#include "gdi/raster/raster_ellipse.h"

namespace platform::raster {

// The one-pixel line from `from` up to, excluding, `to`. A zero-length line paints nothing.
void cosmetic_line(const PixelSurface &surface, Point64 from, Point64 to, std::uint32_t pixel);

// A disc `width` pixels across, covering offsets [-width/2, width - width/2) on each axis.
class PenDisc {
public:
    explicit PenDisc(int width);
    // Paint the union of the discs centred on (x, y) for every x in [x_first, x_last].
    void stamp_run(const PixelSurface &surface, Coord y, Coord x_first, Coord x_last,
                   std::uint32_t pixel) const;
    int width() const { return width_; }

private:
    int width_;
    EllipseRows rows_;
};

// The corners of a sloped band (dx and dy both nonzero), in the order they are filled.
std::array<Point64, 4> wide_segment_corners(Point64 from, Point64 to, int width);
// The band of a wide segment, without its end discs; nothing for a zero-length segment.
void wide_segment_body(const PixelSurface &surface, Point64 from, Point64 to, int width,
                       std::uint32_t pixel);
// A polyline stroked with a wide pen: every segment's band and a disc on every vertex. A closed
// one also joins the last point to the first.
void wide_polyline(const PixelSurface &surface, std::span<const Point64> points, bool closed,
                   int width, std::uint32_t pixel);

}  // namespace platform::raster
