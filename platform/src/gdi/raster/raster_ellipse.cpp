// raster_ellipse.cpp: the rows of an inscribed ellipse (see raster_ellipse.h).
#include "gdi/raster/raster_ellipse.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace platform::raster {
namespace {

constexpr Coord kMaxTracedSide = 65536;
constexpr std::size_t kKeptShapes = 8;
// Taller shapes hold up to a megabyte of rows; they go to one slot of their own, so the kept
// rows never take more than that plus a few small tables.
constexpr Coord kKeptHeight = 1024;

}  // namespace

EllipseRows::EllipseRows(Coord width, Coord height) : width_(width), height_(height) {
    if (width_ <= 2 || height_ <= 2) return;  // a rectangle: every row is full
    if (width_ > kMaxTracedSide || height_ > kMaxTracedSide) {
        analytic_ = true;
        return;
    }
    rows_.assign(static_cast<std::size_t>(height_), EllipseRun{width_, -1});
    trace();
}

// Note one chain pixel; the right half is kept, as the left one is its mirror. Inline: the walk
// calls it four times a step.
inline void EllipseRows::record(Coord x, Coord y) {
    if (y < 0 || y >= height_) return;
    Coord right = std::max(x, width_ - 1 - x);
    EllipseRun &run = rows_[static_cast<std::size_t>(y)];
    run.inner = std::min(run.inner, right);
    run.outer = std::max(run.outer, right);
}

// The midpoint walk over all four quadrants at once, from the middle rows outwards.
void EllipseRows::trace() {
    const Coord a = width_ - 1, b = height_ - 1, b1 = b & 1;
    Coord dx = 4 * (1 - a) * b * b, dy = 4 * (b1 + 1) * a * a;
    Coord err = dx + dy + b1 * a * a;
    Coord x0 = 0, x1 = a, y0 = (b + 1) / 2, y1 = y0 - b1;
    const Coord a8 = 8 * a * a, b8 = 8 * b * b;
    do {
        record(x1, y0), record(x0, y0), record(x0, y1), record(x1, y1);
        Coord e2 = 2 * err;
        if (e2 <= dy) {
            ++y0, --y1;
            dy += a8;
            err += dy;
        }
        if (e2 >= dx || 2 * err > dy) {
            ++x0, --x1;
            dx += b8;
            err += dx;
        }
    } while (x0 <= x1);
    while (y0 - y1 < b) {  // a very flat ellipse stops early: finish its tips
        record(x0 - 1, y0), record(x1 + 1, y0++);
        record(x0 - 1, y1), record(x1 + 1, y1--);
    }
}

// The rightmost pixel of a huge ellipse in a row, from the ellipse through the pixel centres.
Coord EllipseRows::analytic_outer(Coord row) const {
    const long double semi_x = static_cast<long double>(width_ - 1) / 2;
    const long double semi_y = static_cast<long double>(height_ - 1) / 2;
    const long double offset = (static_cast<long double>(row) - semi_y) / semi_y;
    const long double half = semi_x * std::sqrt(std::max<long double>(0, 1 - offset * offset));
    const Coord outer = static_cast<Coord>(std::llround(semi_x + half));
    return std::clamp(outer, width_ / 2, width_ - 1);
}

EllipseRun EllipseRows::row(Coord row) const {
    if (row < 0 || row >= height_) return EllipseRun{0, -1};
    if (width_ <= 2 || height_ <= 2) return EllipseRun{width_ / 2, width_ - 1};
    if (!analytic_) return rows_[static_cast<std::size_t>(row)];
    // The run reaches back to the next row away from the middle, so the chain stays connected.
    const Coord outer = analytic_outer(row);
    const Coord away = 2 * row < height_ - 1 ? row - 1 : row + 1;
    if (away < 0 || away >= height_) return EllipseRun{width_ / 2, outer};
    return EllipseRun{std::min(outer, analytic_outer(away) + 1), outer};
}

const EllipseRows &ellipse_rows(Coord width, Coord height) {
    static std::array<std::optional<EllipseRows>, kKeptShapes> kept;
    static std::optional<EllipseRows> tall;
    static std::size_t next = 0;
    for (const std::optional<EllipseRows> &rows : kept)
        if (rows && rows->width() == width && rows->height() == height) return *rows;
    if (tall && tall->width() == width && tall->height() == height) return *tall;
    std::optional<EllipseRows> &slot = height <= kKeptHeight ? kept[next++ % kKeptShapes] : tall;
    slot.emplace(width, height);
    return *slot;
}

}  // namespace platform::raster
