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

// The midpoint walk of one quadrant, from the right end of the middle row outwards to the top
// (and, mirrored, the bottom) row: each step moves one column in, one row out, or both,
// whichever keeps the error term of the ellipse through the corner pixels' centres smallest.
// The walk stops when it reaches the middle column; a very flat ellipse can stop before its
// outermost rows, which then hold no chain pixel (and no fill), as GDI draws it.
void EllipseRows::trace() {
    const Coord a = width_ - 1, b = height_ - 1, odd = b % 2;
    const Coord step_x = 8 * b * b, step_y = 8 * a * a;
    Coord dx = 4 * b * b * (1 - a), dy = 4 * a * a * (1 + odd);
    Coord err = dx + dy + a * a * odd;
    for (Coord x = a, y = height_ / 2; x >= width_ / 2;) {
        record(x, y);
        record(x, b - y);
        const Coord e2 = 2 * err;
        if (e2 >= dx) {
            --x;
            dx += step_x;
            err += dx;
        }
        if (e2 <= dy) {
            ++y;
            dy += step_y;
            err += dy;
        }
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
