// raster_pen.cpp: one-pixel lines and wide-pen shapes (see raster_pen.h).
//
// The line walks only the part of its major axis that lies on the surface, and finds each minor
// coordinate with an exact integer stepper, so a line between far-away points costs at most one
// step per visible column or row and never overflows.
#include "raster_pen.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace platform::raster {
namespace {

__extension__ typedef __int128 Wide;

Wide floor_div(Wide a, Wide b) {
    Wide q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// floor((base + k * step) / denominator) for k = first, first + 1, ..., by additions.
class FloorStepper {
public:
    FloorStepper(Wide base, Coord step, Coord denominator, Coord first) : denominator_(denominator) {
        Wide start = base + static_cast<Wide>(first) * step;
        Wide q = floor_div(start, denominator);
        quotient_ = static_cast<Coord>(q);
        rest_ = static_cast<Coord>(start - q * denominator);
        Wide step_q = floor_div(step, denominator);
        step_whole_ = static_cast<Coord>(step_q);
        step_rest_ = static_cast<Coord>(step - step_q * denominator);
    }
    Coord value() const { return quotient_; }
    void advance() {
        quotient_ += step_whole_;
        rest_ += step_rest_;
        if (rest_ >= denominator_) {
            rest_ -= denominator_;
            ++quotient_;
        }
    }

private:
    Coord denominator_;
    Coord quotient_ = 0;
    Coord rest_ = 0;
    Coord step_whole_ = 0;
    Coord step_rest_ = 0;
};

// The steps k (0 <= k < length) whose major coordinate origin + direction * k lies in [0, limit).
void visible_steps(Coord origin, int direction, Coord length, Coord limit, Coord *first, Coord *end) {
    if (direction > 0) {
        *first = std::max<Coord>(0, -origin);
        *end = std::min<Coord>(length, limit - origin);
    } else {
        *first = std::max<Coord>(0, origin - limit + 1);
        *end = std::min<Coord>(length, origin + 1);
    }
}

}  // namespace

void cosmetic_line(const PixelSurface &surface, Point64 from, Point64 to, std::uint32_t pixel) {
    const Coord dx = to.x - from.x, dy = to.y - from.y;
    if ((dx == 0 && dy == 0) || surface.pixels == nullptr) return;
    const bool x_major = std::llabs(dx) > std::llabs(dy);
    const Coord major0 = x_major ? from.x : from.y, minor0 = x_major ? from.y : from.x;
    const Coord d_major = x_major ? dx : dy, d_minor = x_major ? dy : dx;
    const Coord length = std::llabs(d_major);
    const int direction = d_major > 0 ? 1 : -1;
    Coord first = 0, end = 0;
    visible_steps(major0, direction, length, x_major ? surface.width : surface.height, &first, &end);
    if (first >= end) return;
    // minor = minor0 + ceil((2k * d_minor - length) / (2 * length)), the nearest pixel with ties
    // going to the smaller coordinate; ceil(n / d) = floor((n + d - 1) / d).
    FloorStepper minor(static_cast<Wide>(-length) + 2 * length - 1, 2 * d_minor, 2 * length, first);
    for (Coord k = first; k < end; ++k, minor.advance()) {
        const Coord major = major0 + direction * k;
        const Coord minor_at = minor0 + minor.value();
        if (x_major) {
            put_pixel(surface, major, minor_at, pixel);
        } else {
            put_pixel(surface, minor_at, major, pixel);
        }
    }
}

PenDisc::PenDisc(int width) : width_(std::max(width, 1)), rows_(width_, width_) {}

void PenDisc::stamp_run(const PixelSurface &surface, Coord y, Coord x_first, Coord x_last,
                        std::uint32_t pixel) const {
    const Coord half = width_ / 2;
    // Only the disc rows that land on the surface.
    const Coord first = std::max<Coord>(0, half - y);
    const Coord end = std::min<Coord>(width_, surface.height + half - y);
    for (Coord d = first; d < end; ++d) {
        const EllipseRun run = rows_.row(d);
        const Coord left = width_ - 1 - run.outer - half, right = run.outer - half;
        fill_span(surface, y + d - half, x_first + left, x_last + right + 1, pixel);
    }
}

void wide_segment_body(const PixelSurface &surface, Point64 from, Point64 to, int width,
                       std::uint32_t pixel) {
    const Coord dx = to.x - from.x, dy = to.y - from.y;
    const Coord narrow = width / 2;
    if (dy == 0) {
        fill_box(surface, std::min(from.x, to.x), from.y - narrow, std::max(from.x, to.x),
                 from.y - narrow + width, pixel);
        return;
    }
    if (dx == 0) {
        fill_box(surface, from.x - narrow, std::min(from.y, to.y), from.x - narrow + width,
                 std::max(from.y, to.y), pixel);
        return;
    }
    // The band's extent across the segment, split as in the horizontal case: the smaller half
    // towards negative coordinates.
    const long double length = std::hypot(static_cast<long double>(dx), static_cast<long double>(dy));
    const Coord across_x = std::llround(width * std::fabs(static_cast<long double>(dy)) / length);
    const Coord across_y = std::llround(width * std::fabs(static_cast<long double>(dx)) / length);
    auto offset = [](Coord across, bool positive) { return positive ? across - across / 2 : -(across / 2); };
    const Point64 side_a{offset(across_x, -dy > 0), offset(across_y, dx > 0)};
    const Point64 side_b{offset(across_x, dy > 0), offset(across_y, -dx > 0)};
    const std::array<Point64, 4> band = {
        Point64{from.x + side_a.x, from.y + side_a.y}, Point64{to.x + side_a.x, to.y + side_a.y},
        Point64{to.x + side_b.x, to.y + side_b.y}, Point64{from.x + side_b.x, from.y + side_b.y}};
    fill_polygon(surface, band, pixel);
}

void wide_polyline(const PixelSurface &surface, std::span<const Point64> points, bool closed,
                   int width, std::uint32_t pixel) {
    if (points.empty()) return;
    const PenDisc disc(width);
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        wide_segment_body(surface, points[i], points[i + 1], width, pixel);
    if (closed && points.size() > 2) wide_segment_body(surface, points.back(), points.front(), width, pixel);
    for (const Point64 &point : points) disc.stamp_run(surface, point.y, point.x, point.x, pixel);
}

}  // namespace platform::raster
