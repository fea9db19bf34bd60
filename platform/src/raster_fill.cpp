// raster_fill.cpp: clipped spans, boxes and the polygon scan conversion (see raster_fill.h).
//
// The polygon fill steps each edge down the visible rows with an exact integer DDA: one wide
// division per edge to find its first visible crossing, then additions only. Rows outside the
// surface are never visited.
#include "raster_fill.h"

#include <algorithm>
#include <cwchar>
#include <vector>

namespace platform::raster {
namespace {

__extension__ typedef __int128 Wide;

static_assert(sizeof(wchar_t) == sizeof(std::uint32_t), "pixel runs are written with wmemset");
constexpr std::size_t kShortRun = 32;

// Write `count` copies of `pixel`. Long runs go through the C library's wmemset, which fills
// 32-bit units with the widest stores the processor has (as fast as memset; a plain loop is
// about 1.5 times slower). The library only sees raw memory, so no aliasing is assumed.
void fill_pixels(std::uint32_t *first, std::size_t count, std::uint32_t pixel) {
    if (count < kShortRun) {
        std::fill_n(first, count, pixel);
        return;
    }
    std::wmemset(reinterpret_cast<wchar_t *>(first), static_cast<wchar_t>(pixel), count);
}

// Floor of a / b for b > 0.
Wide floor_div(Wide a, Wide b) {
    Wide q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// One non-horizontal polygon edge, walked row by row from its first visible row.
struct EdgeWalker {
    Coord y_begin = 0;  // first row the edge covers (its top vertex row)
    Coord y_end = 0;    // row after the last one (its bottom vertex row, excluded)
    Coord x_top = 0;
    Coord dy = 0;       // > 0
    Coord step_whole = 0;
    Coord step_rest = 0;  // 0 <= step_rest < dy
    Coord whole = 0;      // floor((row - y_top) * dx / dy)
    Coord rest = 0;       // the remainder of that division, 0 <= rest < dy

    // Start at `row` (y_begin <= row).
    void start(Coord row) {
        Wide numerator = static_cast<Wide>(row - y_begin) * (step_whole * dy + step_rest);
        Wide q = floor_div(numerator, dy);
        whole = static_cast<Coord>(q);
        rest = static_cast<Coord>(numerator - q * dy);
    }
    // The pixel column where this edge crosses the current row: the ceiling of the exact x.
    Coord crossing() const { return x_top + whole + (rest > 0 ? 1 : 0); }
    void advance() {
        whole += step_whole;
        rest += step_rest;
        if (rest >= dy) {
            rest -= dy;
            ++whole;
        }
    }
};

EdgeWalker make_edge(Point64 a, Point64 b) {
    if (a.y > b.y) std::swap(a, b);
    EdgeWalker edge;
    edge.y_begin = a.y;
    edge.y_end = b.y;
    edge.x_top = a.x;
    edge.dy = b.y - a.y;
    Coord dx = b.x - a.x;
    Wide q = floor_div(dx, edge.dy);
    edge.step_whole = static_cast<Coord>(q);
    edge.step_rest = static_cast<Coord>(dx - q * edge.dy);
    return edge;
}

void fill_crossings(const PixelSurface &surface, Coord row, std::vector<Coord> &crossings,
                    std::uint32_t pixel) {
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
        fill_span(surface, row, crossings[i], crossings[i + 1], pixel);
}

}  // namespace

bool contains(const PixelSurface &surface, Coord x, Coord y) {
    return surface.pixels != nullptr && x >= 0 && y >= 0 && x < surface.width && y < surface.height;
}

void put_pixel(const PixelSurface &surface, Coord x, Coord y, std::uint32_t pixel) {
    if (contains(surface, x, y))
        surface.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(surface.stride) +
                       static_cast<std::size_t>(x)] = pixel;
}

void fill_span(const PixelSurface &surface, Coord y, Coord x_begin, Coord x_end, std::uint32_t pixel) {
    if (surface.pixels == nullptr || y < 0 || y >= surface.height) return;
    Coord begin = std::max<Coord>(x_begin, 0);
    Coord end = std::min<Coord>(x_end, surface.width);
    if (begin >= end) return;
    std::uint32_t *row = surface.pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(surface.stride);
    fill_pixels(row + begin, static_cast<std::size_t>(end - begin), pixel);
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
    for (Coord y = first; y < last; ++y) fill_span(surface, y, left, right, pixel);
}

void fill_polygon(const PixelSurface &surface, std::span<const Point64> points, std::uint32_t pixel) {
    if (surface.pixels == nullptr || points.size() < 3) return;
    std::vector<EdgeWalker> edges;
    edges.reserve(points.size());
    Coord y_min = points[0].y, y_max = points[0].y;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point64 &a = points[i];
        const Point64 &b = points[(i + 1) % points.size()];
        y_min = std::min(y_min, a.y);
        y_max = std::max(y_max, a.y);
        if (a.y != b.y) edges.push_back(make_edge(a, b));  // horizontal edges add nothing
    }
    Coord first = std::max<Coord>(y_min, 0);
    Coord last = std::min<Coord>(y_max, surface.height);
    for (EdgeWalker &edge : edges) edge.start(std::max(first, edge.y_begin));
    std::vector<Coord> crossings;
    crossings.reserve(edges.size());
    for (Coord row = first; row < last; ++row) {
        crossings.clear();
        for (EdgeWalker &edge : edges) {
            if (row < edge.y_begin || row >= edge.y_end) continue;
            crossings.push_back(edge.crossing());
            edge.advance();
        }
        fill_crossings(surface, row, crossings, pixel);
    }
}

}  // namespace platform::raster
