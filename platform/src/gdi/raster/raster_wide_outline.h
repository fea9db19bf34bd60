// raster_wide_outline.h: the outline of an ellipse stroked with a wide pen.
//
// The pen strokes the outline's pixel chain (raster_ellipse.h) as GDI does: a disc `width`
// pixels across on every chain pixel (the round joins) and a band on every diagonal step of the
// chain (level and upright steps lie inside the discs). Narrow pens paint those pieces one by
// one. Wide pens go row by row and visit only the bitmap's rows: for each, the runs of the discs
// and bands that reach it are gathered, nearest chain rows first, into a coverage of the row's
// columns, and the row is written once. A run that covers the whole row ends the gathering, so a
// pen wider than the bitmap costs about one run per row; a chain row whose pieces lie further
// across from the columns still open than the pen reaches at its distance is passed over (in
// blocks, when a whole block lies that far), so an outline whose stroke only partly covers the
// bitmap costs about the chain rows that bound what is left. Nothing is ever proportional to
// the ellipse's size.
//
// Depends on: raster_core.h, raster_ellipse.h, raster_pen.h (the band's shape). Limits: widths
// up to 65536.
#pragma once

#include "gdi/raster/raster_core.h"
#include "gdi/raster/raster_ellipse.h"

namespace platform::raster {

// Stroke the outline of the ellipse whose box has its top-left corner at (left, top) and the
// size of `rows`, with a pen `width` (> 1) pixels across: piece by piece for pens up to
// kPieceByPieceWidth, which is quickest for them, row by row for wider ones.
void wide_ellipse_outline(const PixelSurface &surface, Coord left, Coord top,
                          const EllipseRows &rows, int width, std::uint32_t pixel);

constexpr int kPieceByPieceWidth = 16;

// Chain rows gathered into bitmap rows by the row-by-row stroke since the program started (for
// tests of its cost).
inline std::uint64_t chain_rows_gathered = 0;

// The two ways, which paint the same pixels. Piece by piece: a disc on every chain pixel whose
// disc reaches the bitmap's rows and a band on every diagonal step; it costs (bitmap rows + 2
// widths) x width rows, so only narrow pens take it.
void wide_ellipse_outline_by_pieces(const PixelSurface &surface, Coord left, Coord top,
                                    const EllipseRows &rows, int width, std::uint32_t pixel);
// Row by row, as described above.
void wide_ellipse_outline_by_rows(const PixelSurface &surface, Coord left, Coord top,
                                  const EllipseRows &rows, int width, std::uint32_t pixel);

}  // namespace platform::raster
