// raster_wide_outline.h: the outline of an ellipse stroked with a wide pen, written one bitmap
// row at a time.
//
// The pen strokes the outline's pixel chain (raster_ellipse.h) as GDI does: a disc `width`
// pixels across on every chain pixel (the round joins) and a band on every diagonal step of the
// chain (level and upright steps lie inside the discs). Only the bitmap's rows are visited: for
// each, the runs of the discs and bands that reach it are gathered, nearest chain rows first,
// into a coverage of the row's columns, and the row is written once. A run that covers the whole
// row ends the gathering, so a pen wider than the bitmap costs about one run per row; the most a
// row can cost is one run per chain row within the pen's reach. Nothing is ever proportional to
// the ellipse's size.
//
// Depends on: raster_core.h, raster_ellipse.h, raster_pen.h (the band's shape). Limits: widths
// up to 65536.
#pragma once

#include "gdi/raster/raster_core.h"
#include "gdi/raster/raster_ellipse.h"

namespace platform::raster {

// Stroke the outline of the ellipse whose box has its top-left corner at (left, top) and the
// size of `rows`, with a pen `width` (> 1) pixels across.
void wide_ellipse_outline(const PixelSurface &surface, Coord left, Coord top,
                          const EllipseRows &rows, int width, std::uint32_t pixel);

}  // namespace platform::raster
