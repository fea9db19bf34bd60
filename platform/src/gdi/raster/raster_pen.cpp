// raster_pen.cpp: one-pixel lines and wide-pen shapes (see raster_pen.h).
//
// The line walks only the part of its major axis that lies on the surface, and finds each minor
// coordinate with an exact integer stepper, so a line between far-away points costs at most one
// step per visible column or row and never overflows. The major axis is clipped before the walk;
// a line that also stays on the surface across its minor axis (the usual case) is written with
// one unchecked store per pixel. Otherwise an x-major line is written as one span per row it
// crosses, skipping rows off the surface, and a y-major one checks each pixel's column.
#include "gdi/raster/raster_pen.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>

namespace platform::raster {
namespace {

__extension__ typedef __int128 Wide;

// Floor of a / b for b > 0. Lines between ordinary coordinates keep `a` within 64 bits, where
// the division is a single instruction instead of a call to the 128-bit routine.
Coord floor_div(Wide a, Coord b) {
    constexpr Wide kLow = std::numeric_limits<Coord>::min(),
                   kHigh = std::numeric_limits<Coord>::max();
    if (a >= kLow && a <= kHigh) {
        const Coord narrow = static_cast<Coord>(a), q = narrow / b;
        return (narrow % b != 0 && narrow < 0) ? q - 1 : q;
    }
    const Wide q = a / b;
    return static_cast<Coord>((a % b != 0 && a < 0) ? q - 1 : q);
}

// floor((base + k * step) / denominator) at one k.
Coord floor_at(Wide base, Coord step, Coord denominator, Coord k) {
    return floor_div(base + static_cast<Wide>(k) * step, denominator);
}

// floor((base + k * step) / denominator) for k = first, first + 1, ..., by additions.
class FloorStepper {
public:
    FloorStepper(Wide base, Coord step, Coord denominator, Coord first)
        : denominator_(denominator) {
        const Wide start = base + static_cast<Wide>(first) * step;
        quotient_ = floor_div(start, denominator);
        rest_ = static_cast<Coord>(start - static_cast<Wide>(quotient_) * denominator);
        step_whole_ = floor_div(step, denominator);
        step_rest_ = step - step_whole_ * denominator;
    }
    Coord value() const { return quotient_; }
    Coord step_whole() const { return step_whole_; }
    // Move to the next k; true when the value grew by one more than step_whole(). Written as
    // selects, not a branch: along a sloped line the carry comes irregularly, so a branch would
    // be mispredicted often, and the select keeps the loop's dependency chain short.
    bool advance() {
        rest_ += step_rest_;
        const Coord over = rest_ - denominator_;
        const bool carry = over >= 0;
        rest_ = carry ? over : rest_;
        quotient_ += step_whole_ + (carry ? 1 : 0);
        return carry;
    }

private:
    Coord denominator_;
    Coord quotient_ = 0;
    Coord rest_ = 0;
    Coord step_whole_ = 0;
    Coord step_rest_ = 0;
};

// The steps k (0 <= k < length) whose major coordinate origin + direction * k lies in [0, limit).
void visible_steps(Coord origin, int direction, Coord length, Coord limit, Coord *first,
                   Coord *end) {
    if (direction > 0) {
        *first = std::max<Coord>(0, -origin);
        *end = std::min<Coord>(length, limit - origin);
    } else {
        *first = std::max<Coord>(0, origin - limit + 1);
        *end = std::min<Coord>(length, origin + 1);
    }
}

// The visible part of a one-pixel line, along its major axis.
struct LineSteps {
    Coord major0 = 0;
    Coord minor0 = 0;
    int direction = 1;
    Coord first = 0;  // steps [first, end) are on the surface along the major axis
    Coord end = 0;
    std::uint32_t pixel = 0;
};

// An x-major line: each run of steps on one row is one span. Its columns are visible already;
// a run on a row off the surface is skipped whole.
void x_major_runs(const PixelSurface &surface, const LineSteps &line, FloorStepper minor) {
    for (Coord k = line.first; k < line.end;) {
        const Coord offset = minor.value(), run_first = k;
        do {
            ++k;
            minor.advance();
        } while (k < line.end && minor.value() == offset);
        const Coord row = line.minor0 + offset;
        if (row < 0 || row >= surface.height) continue;
        const Coord a = line.major0 + line.direction * run_first,
                    b = line.major0 + line.direction * (k - 1);
        const Coord left = std::min(a, b);
        fill_pixels(row_start(surface, row) + left, static_cast<std::size_t>(k - run_first),
                    line.pixel);
    }
}

// A line whose every visible step lands on the surface: one store per step at an offset that
// moves by a row or a column, with no check at all.
void unchecked_steps(const PixelSurface &surface, const LineSteps &line, bool x_major,
                     FloorStepper minor) {
    const std::ptrdiff_t stride = surface.stride;
    const std::ptrdiff_t major_unit = x_major ? 1 : stride, minor_unit = x_major ? stride : 1;
    const std::ptrdiff_t major_step = line.direction * major_unit;
    std::ptrdiff_t offset = (line.major0 + line.direction * line.first) * major_unit +
                            (line.minor0 + minor.value()) * minor_unit;
    const std::ptrdiff_t plain = major_step + minor.step_whole() * minor_unit,
                         carried = plain + minor_unit;
    for (Coord k = line.first; k < line.end; ++k) {
        surface.pixels[offset] = line.pixel;
        offset += minor.advance() ? carried : plain;
    }
}

// A y-major line: one pixel per visible row, its column checked against the surface.
void y_major_pixels(const PixelSurface &surface, const LineSteps &line, FloorStepper minor) {
    for (Coord k = line.first; k < line.end; ++k, minor.advance()) {
        const Coord column = line.minor0 + minor.value();
        if (column < 0 || column >= surface.width) continue;
        row_start(surface, line.major0 + line.direction * k)[column] = line.pixel;
    }
}

}  // namespace

void cosmetic_line(const PixelSurface &surface, Point64 from, Point64 to, std::uint32_t pixel) {
    const Coord dx = to.x - from.x, dy = to.y - from.y;
    if ((dx == 0 && dy == 0) || surface.pixels == nullptr) return;
    const bool x_major = std::llabs(dx) > std::llabs(dy);
    LineSteps line;
    line.major0 = x_major ? from.x : from.y;
    line.minor0 = x_major ? from.y : from.x;
    line.pixel = pixel;
    const Coord d_major = x_major ? dx : dy, d_minor = x_major ? dy : dx;
    const Coord length = std::llabs(d_major);
    line.direction = d_major > 0 ? 1 : -1;
    visible_steps(line.major0, line.direction, length, x_major ? surface.width : surface.height,
                  &line.first, &line.end);
    if (line.first >= line.end) return;
    // minor = minor0 + ceil((2k * d_minor - length) / (2 * length)), the nearest pixel with ties
    // going to the smaller coordinate; ceil(n / d) = floor((n + d - 1) / d).
    const Wide base = static_cast<Wide>(length) - 1;  // -length + (2 * length - 1)
    const FloorStepper minor(base, 2 * d_minor, 2 * length, line.first);
    // The minor coordinate is monotonic, so its ends bound it. A line that stays on the surface
    // across its minor axis (most outlines) needs no check per pixel. A horizontal line is one
    // run, which the run writer fills at memset speed.
    const Coord last = floor_at(base, 2 * d_minor, 2 * length, line.end - 1);
    const Coord low = line.minor0 + std::min(minor.value(), last);
    const Coord high = line.minor0 + std::max(minor.value(), last);
    const bool inside = low >= 0 && high < (x_major ? surface.height : surface.width);
    if (inside && !(x_major && d_minor == 0)) {
        unchecked_steps(surface, line, x_major, minor);
    } else if (x_major) {
        x_major_runs(surface, line, minor);
    } else {
        y_major_pixels(surface, line, minor);
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
    const Coord before = width / 2;  // pixels of a level band above (or left of) the segment
    if (dy == 0) {
        fill_box(surface, std::min(from.x, to.x), from.y - before, std::max(from.x, to.x),
                 from.y - before + width, pixel);
        return;
    }
    if (dx == 0) {
        fill_box(surface, from.x - before, std::min(from.y, to.y), from.x - before + width,
                 std::max(from.y, to.y), pixel);
        return;
    }
    fill_polygon(surface, wide_segment_corners(from, to, width), pixel);
}

std::array<Point64, 4> wide_segment_corners(Point64 from, Point64 to, int width) {
    const Coord dx = to.x - from.x, dy = to.y - from.y;
    // A sloped band is a quadrilateral whose half-widths across the segment are measured along
    // each axis (width * |dy| / length across x, width * |dx| / length across y). Each is split
    // into a narrow half, round(h / 2), and a wide half, round((h + 1) / 2), rounded half away
    // from zero. Walking from `from` to `to`, the narrow half lies towards (-dy, dx) and the
    // wide half towards (dy, -dx), which is how Windows places an odd pixel of a sloped band.
    const double length = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
    const double across_x = width * std::fabs(static_cast<double>(dy)) / length;
    const double across_y = width * std::fabs(static_cast<double>(dx)) / length;
    auto half = [](double extent) { return static_cast<Coord>(std::llround(extent)); };
    Point64 narrow{half(across_x / 2), half(across_y / 2)};
    Point64 wide{half((across_x + 1) / 2), half((across_y + 1) / 2)};
    if (dx < 0) narrow.y = -narrow.y, wide.y = -wide.y;
    if (dy < 0) {
        std::swap(narrow, wide);
        narrow.x = -narrow.x, wide.x = -wide.x;
    }
    return {Point64{from.x - narrow.x, from.y + narrow.y},
            Point64{from.x + wide.x, from.y - wide.y}, Point64{to.x + wide.x, to.y - wide.y},
            Point64{to.x - narrow.x, to.y + narrow.y}};
}

void wide_polyline(const PixelSurface &surface, std::span<const Point64> points, bool closed,
                   int width, std::uint32_t pixel) {
    if (points.empty()) return;
    const PenDisc disc(width);
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        wide_segment_body(surface, points[i], points[i + 1], width, pixel);
    if (closed && points.size() > 2)
        wide_segment_body(surface, points.back(), points.front(), width, pixel);
    for (const Point64 &point : points) disc.stamp_run(surface, point.y, point.x, point.x, pixel);
}

}  // namespace platform::raster
