// raster_ellipse.h: the rows of the ellipse inscribed in a box of whole pixels.
//
// The outline is the 8-connected pixel chain of an integer midpoint ellipse walk (an error-term
// rasterizer over the box corners) through the pixels of a w x h box: it touches columns 0 and
// w - 1 and rows 0 and h - 1. Per row, the chain's right half is one run [inner, outer]; the
// left half is its mirror and the filled ellipse is [w - 1 - outer, outer]. Boxes of up to 65536
// pixels a side are traced exactly; larger ones (only reachable with absurd coordinates) are
// computed per row from the ellipse equation, which keeps the cost to the rows actually drawn.
//
// Depends on: raster_core.h (Coord). Boxes at most 2 pixels in a dimension are plain rectangles.
#pragma once

#include <vector>

#include "gdi/raster/raster_core.h"

namespace platform::raster {

// Offsets from the box's left edge of the right half of the outline in one row.
struct EllipseRun {
    Coord inner = 0;
    Coord outer = 0;
};

class EllipseRows {
public:
    EllipseRows(Coord width, Coord height);  // both >= 1
    // Row `row` of the box, 0 <= row < height.
    EllipseRun row(Coord row) const;
    Coord width() const { return width_; }
    Coord height() const { return height_; }

private:
    void trace();
    void record(Coord x, Coord y);
    Coord analytic_outer(Coord row) const;

    Coord width_;
    Coord height_;
    bool analytic_ = false;
    std::vector<EllipseRun> rows_;
};

// The rows for a w x h box from a few kept from recent calls, traced only when the box is new:
// a scene draws the same handful of ellipses every frame. The reference stays valid until the
// next call.
const EllipseRows &ellipse_rows(Coord width, Coord height);

}  // namespace platform::raster
