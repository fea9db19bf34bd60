// raster_wide_outline.cpp: a wide pen's ellipse outline, row by row (see raster_wide_outline.h).
#include "gdi/raster/raster_wide_outline.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "gdi/raster/raster_pen.h"

namespace platform::raster {
namespace {

constexpr Coord kNone = std::numeric_limits<Coord>::max();

// The union of the runs that reach one bitmap row, kept as a difference array over its columns
// (+1 where a run starts, -1 after it ends), so runs can come in any order and overlap or not.
// A run that covers the whole row settles it at once.
class RowCoverage {
public:
    explicit RowCoverage(Coord width)
        : width_(width), edges_(static_cast<std::size_t>(width) + 1) {}
    void clear() {
        std::fill(edges_.begin(), edges_.end(), 0);
        full_ = false;
    }
    bool full() const { return full_; }
    // Columns [first, last].
    void add(Coord first, Coord last) {
        first = std::max<Coord>(first, 0);
        last = std::min<Coord>(last, width_ - 1);
        if (first > last) return;
        if (first == 0 && last == width_ - 1) {
            full_ = true;
            return;
        }
        ++edges_[static_cast<std::size_t>(first)];
        --edges_[static_cast<std::size_t>(last) + 1];
    }
    void fill(const PixelSurface &surface, Coord y, std::uint32_t pixel) const {
        if (full_) {
            fill_span(surface, y, 0, width_, pixel);
            return;
        }
        int depth = 0;
        Coord run_start = 0;
        for (Coord x = 0; x <= width_; ++x) {
            const int before = depth;
            depth += edges_[static_cast<std::size_t>(x)];
            if (before == 0 && depth > 0) run_start = x;
            if (before > 0 && depth == 0) fill_span(surface, y, run_start, x, pixel);
        }
    }

private:
    Coord width_;
    std::vector<int> edges_;
    bool full_ = false;
};

// The columns a convex polygon covers in row y under the polygon rule (each edge crossing at
// the ceiling of its exact x; [left crossing, right crossing)); false when it covers none.
bool convex_row(const std::array<Point64, 4> &corners, Coord y, Coord *first, Coord *end) {
    Coord low = kNone, high = -kNone;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        Point64 a = corners[i], b = corners[(i + 1) % corners.size()];
        if (a.y == b.y) continue;
        if (a.y > b.y) std::swap(a, b);
        if (y < a.y || y >= b.y) continue;
        const Coord numerator = (y - a.y) * (b.x - a.x), denominator = b.y - a.y;
        Coord step = numerator / denominator;
        if (numerator % denominator != 0 && numerator > 0) ++step;  // ceiling
        const Coord x = a.x + step;
        low = std::min(low, x);
        high = std::max(high, x);
    }
    if (low >= high) return false;
    *first = low;
    *end = high;
    return true;
}

// The band of one diagonal step, as columns per row relative to the step's start.
class BandRows {
public:
    BandRows(int width, Coord dx, Coord dy) {
        const std::array<Point64, 4> corners = wide_segment_corners({0, 0}, {dx, dy}, width);
        Coord top = kNone, bottom = -kNone;
        for (const Point64 &corner : corners) {
            top = std::min(top, corner.y);
            bottom = std::max(bottom, corner.y);
        }
        first_row_ = top;
        for (Coord y = top; y < bottom; ++y) {
            Coord first = 0, end = 0;
            if (!convex_row(corners, y, &first, &end)) first = 0, end = 0;
            spans_.push_back({first, end});
        }
    }
    // Add row `row` of the band that starts at (x, y) to `coverage`.
    void add_row(RowCoverage &coverage, Coord x, Coord y, Coord row) const {
        const Coord k = row - y - first_row_;
        if (k < 0 || k >= static_cast<Coord>(spans_.size())) return;
        const auto &[first, end] = spans_[static_cast<std::size_t>(k)];
        if (first < end) coverage.add(x + first, x + end - 1);
    }

private:
    Coord first_row_ = 0;
    std::vector<std::pair<Coord, Coord>> spans_;
};

// One chain row: its right-half run and the diagonal steps that leave it.
struct ChainRow {
    Coord inner = 0;
    Coord outer = -1;  // < inner: the walk never reached this row
    bool step_up = false;
    bool step_down = false;
};

struct Stroke {
    const PixelSurface &surface;
    Coord left, top, mirror;
    int width;
    Coord half;  // disc rows [-half, width - half) around a chain pixel
    std::vector<Coord> disc_left, disc_right;  // disc columns per disc row, around its centre
    BandRows right_up, left_up, left_down, right_down;
    Coord chain_first = 0;  // chain rows held in `chain`, from this one on
    std::vector<ChainRow> chain;
};

bool diagonal(const EllipseRows &rows, const EllipseRun &run, Coord next) {
    if (next < 0 || next >= rows.height()) return false;
    return rows.row(next).outer + 1 == run.inner;
}

// The chain rows within a pen's reach of the bitmap, read once (a huge ellipse computes them).
void read_chain(Stroke &stroke, const EllipseRows &rows, Coord reach) {
    const Coord first = std::max<Coord>(0, -stroke.top - reach);
    const Coord end = std::min<Coord>(rows.height(), stroke.surface.height - stroke.top + reach);
    stroke.chain_first = first;
    stroke.chain.clear();
    const Coord last_row = rows.height() - 1;
    for (Coord j = first; j < end; ++j) {
        const EllipseRun run = rows.row(j);
        ChainRow row{run.inner, run.outer, false, false};
        if (run.outer >= run.inner) {
            row.step_up = 2 * j <= last_row && diagonal(rows, run, j - 1);
            row.step_down = 2 * j >= last_row && diagonal(rows, run, j + 1);
        }
        stroke.chain.push_back(row);
    }
}

// Everything chain row j contributes to bitmap row y.
void add_chain_row(const Stroke &s, Coord j, Coord y, RowCoverage &row_cover) {
    const ChainRow &row = s.chain[static_cast<std::size_t>(j - s.chain_first)];
    if (row.outer < row.inner) return;
    const Coord chain_y = s.top + j;
    const Coord d = y - chain_y + s.half;
    if (d >= 0 && d < s.width) {
        const Coord dl = s.disc_left[static_cast<std::size_t>(d)];
        const Coord dr = s.disc_right[static_cast<std::size_t>(d)];
        row_cover.add(s.left + row.inner + dl, s.left + row.outer + dr);
        row_cover.add(s.mirror - row.outer + dl, s.mirror - row.inner + dr);
    }
    // GDI walks the outline counter-clockwise from the right end of the middle row: up the
    // right side and down the left in the upper half, the other way round in the lower half.
    if (row.step_up) {
        s.right_up.add_row(row_cover, s.left + row.inner, chain_y, y);
        s.left_up.add_row(row_cover, s.mirror - row.inner + 1, chain_y - 1, y);
    }
    if (row.step_down) {
        s.left_down.add_row(row_cover, s.mirror - row.inner, chain_y, y);
        s.right_down.add_row(row_cover, s.left + row.inner - 1, chain_y + 1, y);
    }
}

}  // namespace

void wide_ellipse_outline(const PixelSurface &surface, Coord left, Coord top,
                          const EllipseRows &rows, int width, std::uint32_t pixel) {
    if (surface.pixels == nullptr) return;
    const Coord half = width / 2;
    Stroke stroke{surface,
                  left,
                  top,
                  left + rows.width() - 1,
                  width,
                  half,
                  {},
                  {},
                  BandRows(width, -1, -1),
                  BandRows(width, -1, 1),
                  BandRows(width, 1, 1),
                  BandRows(width, 1, -1),
                  0,
                  {}};
    const EllipseRows disc(width, width);
    for (Coord d = 0; d < width; ++d) {
        const EllipseRun run = disc.row(d);
        stroke.disc_left.push_back(width - 1 - run.outer - half);
        stroke.disc_right.push_back(run.outer - half);
    }
    // A chain row reaches the bitmap rows of its discs (and its bands, which lie within a row of
    // them); 2 more rows of margin cover the bands that start a row away from their chain row.
    const Coord reach = width + 2;
    read_chain(stroke, rows, reach);
    const Coord chain_end = stroke.chain_first + static_cast<Coord>(stroke.chain.size());
    const Coord y_first = std::max<Coord>(0, top - reach);
    const Coord y_end = std::min<Coord>(surface.height, top + rows.height() + reach);
    RowCoverage coverage(surface.width);
    for (Coord y = y_first; y < y_end; ++y) {
        coverage.clear();
        // Nearest chain rows first: their disc rows are the widest, and once one run covers the
        // whole bitmap row the rest cannot add anything.
        const Coord nearest = y - top;
        for (Coord distance = 0; distance <= reach && !coverage.full(); ++distance) {
            for (const Coord j : {nearest - distance, nearest + distance}) {
                if (j >= stroke.chain_first && j < chain_end) add_chain_row(stroke, j, y, coverage);
                if (distance == 0) break;
            }
        }
        coverage.fill(surface, y, pixel);
    }
}

}  // namespace platform::raster
