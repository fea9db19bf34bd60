// raster_core.cpp: clipped spans, boxes and the polygon scan conversion (see raster_core.h).
//
// The polygon fill steps each edge down the visible rows with an exact integer DDA: one division
// per edge to find its first visible crossing, then additions only. Rows outside the surface are
// never visited. The rows are walked in bands between vertex rows, in which the set of edges
// that cross a row does not change; a band crossed by two edges (every band of a triangle or of
// any convex polygon) needs no sorting per row. The edge lists live in buffers kept from call to
// call, so a fill allocates nothing once the largest polygon has been seen (the GDI runs on one
// thread, so one set of buffers is enough).
#include "gdi/raster/raster_core.h"

#include <algorithm>
#include <vector>

namespace platform::raster {
namespace {

__extension__ typedef __int128 Wide;

// Floor of a / b for b > 0, in 64 bits (no overflow is possible for b > 0).
Coord floor_div(Coord a, Coord b) {
    const Coord q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// The same for products that may need more than 64 bits.
Wide floor_div(Wide a, Wide b) {
    const Wide q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// Whether a * b fits in 64 bits for sure: both factors below 2^31 in magnitude.
bool small_product(Coord a, Coord b) {
    constexpr Coord kLimit = Coord{1} << 31;
    return a > -kLimit && a < kLimit && b > -kLimit && b < kLimit;
}

// One non-horizontal polygon edge, walked row by row from its first visible row.
struct EdgeWalker {
    Coord y_begin = 0;  // first row the edge covers (its top vertex row)
    Coord y_end = 0;    // row after the last one (its bottom vertex row, excluded)
    Coord x_top = 0;
    Coord dx = 0;
    Coord dy = 0;  // > 0
    Coord step_whole = 0;
    Coord step_rest = 0;  // 0 <= step_rest < dy
    Coord whole = 0;      // floor((row - y_top) * dx / dy)
    Coord rest = 0;       // the remainder of that division, 0 <= rest < dy

    // Start at `row` (y_begin <= row). Edges between ordinary coordinates take the 64-bit
    // division; only far-off ones need the wide one.
    void start(Coord row) {
        const Coord rows = row - y_begin;
        if (rows == 0) {  // the usual case: the edge starts on the surface
            whole = rest = 0;
            return;
        }
        if (small_product(rows, dx)) {
            const Coord numerator = rows * dx;
            whole = floor_div(numerator, dy);
            rest = numerator - whole * dy;
            return;
        }
        const Wide numerator = static_cast<Wide>(rows) * dx;
        const Wide q = floor_div(numerator, static_cast<Wide>(dy));
        whole = static_cast<Coord>(q);
        rest = static_cast<Coord>(numerator - q * dy);
    }
    // The pixel column where this edge crosses the current row: the ceiling of the exact x.
    Coord crossing() const { return x_top + whole + (rest > 0 ? 1 : 0); }
    // Written as selects, not a branch: on a sloped edge the carry comes irregularly, and a
    // mispredicted branch per row would cost more than the row's arithmetic.
    void advance() {
        rest += step_rest;
        const Coord over = rest - dy;
        const Coord carry = over >= 0 ? 1 : 0;
        rest = over >= 0 ? over : rest;
        whole += step_whole + carry;
    }
};

// Set up the edge in place: building it aside and copying it in stalls on the copy.
void set_edge(EdgeWalker &edge, Point64 a, Point64 b) {
    if (a.y > b.y) std::swap(a, b);
    edge.y_begin = a.y;
    edge.y_end = b.y;
    edge.x_top = a.x;
    edge.dx = b.x - a.x;
    edge.dy = b.y - a.y;
    edge.step_whole = floor_div(edge.dx, edge.dy);
    edge.step_rest = edge.dx - edge.step_whole * edge.dy;
}

// The buffers one fill works in, kept between calls.
struct PolygonScratch {
    std::vector<EdgeWalker> edges;
    std::vector<EdgeWalker *> active;
    std::vector<Coord> crossings;
};

PolygonScratch &scratch() {
    static PolygonScratch buffers;
    return buffers;
}

// The edges crossing `row` into `active`; returns the first row at which that set changes.
Coord gather_band(std::vector<EdgeWalker> &edges, Coord row, Coord last,
                  std::vector<EdgeWalker *> &active) {
    active.clear();
    Coord band_end = last;
    for (EdgeWalker &edge : edges) {
        if (edge.y_begin > row) {
            band_end = std::min(band_end, edge.y_begin);
        } else if (row < edge.y_end) {
            active.push_back(&edge);
            band_end = std::min(band_end, edge.y_end);
        }
    }
    return band_end;
}

// Rows [row, band_end) crossed by exactly two edges: one span between them per row.
void fill_two_edge_band(const PixelSurface &surface, Coord row, Coord band_end, EdgeWalker &a,
                        EdgeWalker &b, std::uint32_t pixel) {
    for (; row < band_end; ++row) {
        const Coord x_a = a.crossing(), x_b = b.crossing();
        fill_row(row_start(surface, row), surface.width, std::min(x_a, x_b), std::max(x_a, x_b),
                 pixel);
        a.advance();
        b.advance();
    }
}

// Rows [row, band_end) crossed by any number of edges: sort the crossings, fill between pairs.
void fill_general_band(const PixelSurface &surface, Coord row, Coord band_end,
                       const std::vector<EdgeWalker *> &active, std::vector<Coord> &crossings,
                       std::uint32_t pixel) {
    for (; row < band_end; ++row) {
        crossings.clear();
        for (EdgeWalker *edge : active) {
            crossings.push_back(edge->crossing());
            edge->advance();
        }
        std::sort(crossings.begin(), crossings.end());
        std::uint32_t *line = row_start(surface, row);
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
            fill_row(line, surface.width, crossings[i], crossings[i + 1], pixel);
    }
}

}  // namespace

void fill_span(const PixelSurface &surface, Coord y, Coord x_begin, Coord x_end,
               std::uint32_t pixel) {
    if (surface.pixels == nullptr || y < 0 || y >= surface.height) return;
    fill_row(row_start(surface, y), surface.width, x_begin, x_end, pixel);
}

void fill_box(const PixelSurface &surface, Coord left, Coord top, Coord right, Coord bottom,
              std::uint32_t pixel) {
    Coord first = std::max<Coord>(top, 0);
    Coord last = std::min<Coord>(bottom, surface.height);
    if (surface.pixels == nullptr || first >= last) return;
    // Whole rows of a bitmap without padding are one run: a full-canvas fill is a single call.
    if (left <= 0 && right >= surface.width && surface.stride == surface.width) {
        const std::size_t row = static_cast<std::size_t>(surface.width);
        fill_pixels(surface.pixels + static_cast<std::size_t>(first) * row,
                    static_cast<std::size_t>(last - first) * row, pixel);
        return;
    }
    for (Coord y = first; y < last; ++y)
        fill_row(row_start(surface, y), surface.width, left, right, pixel);
}

void fill_polygon(const PixelSurface &surface, std::span<const Point64> points,
                  std::uint32_t pixel) {
    if (surface.pixels == nullptr || points.size() < 3) return;
    PolygonScratch &work = scratch();
    work.edges.clear();
    Coord y_min = points[0].y, y_max = points[0].y;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point64 &a = points[i];
        const Point64 &b = i + 1 < points.size() ? points[i + 1] : points[0];
        y_min = std::min(y_min, a.y);
        y_max = std::max(y_max, a.y);
        if (a.y != b.y) set_edge(work.edges.emplace_back(), a, b);  // horizontal edges add nothing
    }
    const Coord first = std::max<Coord>(y_min, 0);
    const Coord last = std::min<Coord>(y_max, surface.height);
    for (EdgeWalker &edge : work.edges)
        if (edge.y_end > first && edge.y_begin < last) edge.start(std::max(first, edge.y_begin));
    for (Coord row = first; row < last;) {
        const Coord band_end = gather_band(work.edges, row, last, work.active);
        if (work.active.size() == 2) {
            fill_two_edge_band(surface, row, band_end, *work.active[0], *work.active[1], pixel);
        } else {
            fill_general_band(surface, row, band_end, work.active, work.crossings, pixel);
        }
        row = band_end;
    }
}

}  // namespace platform::raster
