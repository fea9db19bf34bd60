// raster_wide_outline.cpp: a wide pen's ellipse outline, piece by piece or row by row (see
// raster_wide_outline.h).
#include "gdi/raster/raster_wide_outline.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "gdi/raster/raster_pen.h"

namespace platform::raster {
namespace {

constexpr Coord kNone = std::numeric_limits<Coord>::max();
// Chain rows are judged in blocks of this many before one by one: a block whose nearest piece
// is beyond the pen's reach is passed over whole.
constexpr std::size_t kGapBlock = 256;

// The union of the runs that reach one bitmap row within the columns [first, end) the stroke can
// reach, kept as a difference array (+1 where a run starts, -1 after it ends), so runs can come
// in any order and overlap or not. A run that covers all those columns settles the row at once.
class RowCoverage {
public:
    RowCoverage(Coord first, Coord end)
        : first_(first), end_(end), edges_(static_cast<std::size_t>(end - first) + 1) {}
    void clear() {
        std::fill(edges_.begin(), edges_.end(), 0);
        full_ = false;
    }
    bool full() const { return full_; }
    // Columns [a, b].
    void add(Coord a, Coord b) {
        a = std::max(a, first_);
        b = std::min(b, end_ - 1);
        if (a > b) return;
        if (a == first_ && b == end_ - 1) {
            full_ = true;
            return;
        }
        ++edges_[static_cast<std::size_t>(a - first_)];
        --edges_[static_cast<std::size_t>(b - first_) + 1];
    }
    void fill(const PixelSurface &surface, Coord y, std::uint32_t pixel) const {
        if (full_) {
            fill_span(surface, y, first_, end_, pixel);
            return;
        }
        int depth = 0;
        Coord run_start = first_;
        for (Coord x = first_; x <= end_; ++x) {
            const int before = depth;
            depth += edges_[static_cast<std::size_t>(x - first_)];
            if (before == 0 && depth > 0) run_start = x;
            if (before > 0 && depth == 0) fill_span(surface, y, run_start, x, pixel);
        }
    }

private:
    Coord first_, end_;
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

// The band of one diagonal step, relative to the step's start; its rows are worked out when
// asked for, as a huge pen's band has tens of thousands of rows and most are never needed.
class BandRows {
public:
    BandRows(int width, Coord dx, Coord dy)
        : corners_(wide_segment_corners({0, 0}, {dx, dy}, width)) {
        for (const Point64 &corner : corners_) {
            top_ = std::min(top_, corner.y);
            bottom_ = std::max(bottom_, corner.y);
        }
    }
    // Paint the band that starts at (x, y).
    void stamp(const PixelSurface &surface, Coord x, Coord y, std::uint32_t pixel) const {
        const Coord first_row = std::max(top_, -y), end_row = std::min(bottom_, surface.height - y);
        for (Coord row = first_row; row < end_row; ++row) {
            Coord first = 0, end = 0;
            if (convex_row(corners_, row, &first, &end))
                fill_span(surface, y + row, x + first, x + end, pixel);
        }
    }
    // Add row `row` of the band that starts at (x, y) to `coverage`.
    void add_row(RowCoverage &coverage, Coord x, Coord y, Coord row) const {
        Coord first = 0, end = 0;
        if (row - y < top_ || row - y >= bottom_) return;
        if (convex_row(corners_, row - y, &first, &end)) coverage.add(x + first, x + end - 1);
    }

private:
    std::array<Point64, 4> corners_;
    Coord top_ = kNone, bottom_ = -kNone;  // rows [top_, bottom_)
};

// One chain row: its right-half run and the diagonal steps that leave it.
struct ChainRow {
    bool known = false;
    Coord inner = 0;
    Coord outer = -1;  // < inner: the walk never reached this row
    bool step_up = false;
    bool step_down = false;
    Coord gap = 0;  // columns between its pieces and the bitmap's, once its block is worked out
};

bool diagonal(const EllipseRows &rows, const EllipseRun &run, Coord next) {
    if (next < 0 || next >= rows.height()) return false;
    return rows.row(next).outer + 1 == run.inner;
}

struct Stroke {
    const PixelSurface &surface;
    const EllipseRows &rows;
    Coord left, top, mirror;
    int width;
    Coord half;  // disc rows [-half, width - half) around a chain pixel
    std::vector<Coord> disc_left, disc_right;  // disc columns per disc row, around its centre
    BandRows right_up, left_up, left_down, right_down;
    Coord chain_first = 0;  // chain rows [chain_first, chain_end) can reach the bitmap
    Coord chain_end = 0;
    Coord x_first = 0, x_end = 0;  // the bitmap's columns the stroke can reach
    // Read when first needed: a wide pen usually covers its rows with the nearest chain rows.
    mutable std::vector<ChainRow> chain;
    // Per block of kGapBlock chain rows: the smallest gap (columns between a row's pieces and
    // the bitmap's columns), or -1 while not yet worked out.
    mutable std::vector<Coord> block_gap;

    const ChainRow &chain_row(Coord j) const {
        ChainRow &row = chain[static_cast<std::size_t>(j - chain_first)];
        if (row.known) return row;
        const EllipseRun run = rows.row(j);
        row = ChainRow{true, run.inner, run.outer, false, false};
        if (run.outer >= run.inner) {
            const Coord last = rows.height() - 1;
            row.step_up = 2 * j <= last && diagonal(rows, run, j - 1);
            row.step_down = 2 * j >= last && diagonal(rows, run, j + 1);
        }
        return row;
    }

    // Columns between [a, b] and the bitmap's columns; 0 when they meet.
    Coord gap_to_bitmap(Coord a, Coord b) const {
        if (a >= x_end) return a - (x_end - 1);
        if (b < x_first) return x_first - b;
        return 0;
    }

    // How far chain row j's pieces (its two runs and the bands that leave them, a column
    // either side) lie from the bitmap's columns; kNone for a row the chain never reached.
    Coord row_gap(Coord j) const {
        const ChainRow &row = chain_row(j);
        if (row.outer < row.inner) return kNone;
        return std::min(gap_to_bitmap(left + row.inner - 1, left + row.outer),
                        gap_to_bitmap(mirror - row.outer, mirror - row.inner + 1));
    }

    std::size_t block_of(Coord j) const {
        return static_cast<std::size_t>(j - chain_first) / kGapBlock;
    }

    // The smallest gap in chain row j's block, working the block out the first time.
    Coord smallest_gap_near(Coord j) const {
        const std::size_t block = block_of(j);
        if (block_gap[block] >= 0) return block_gap[block];
        const Coord first = chain_first + static_cast<Coord>(block * kGapBlock);
        const Coord end = std::min<Coord>(first + static_cast<Coord>(kGapBlock), chain_end);
        Coord smallest = kNone;
        for (Coord k = first; k < end; ++k) {
            const Coord gap = row_gap(k);
            chain[static_cast<std::size_t>(k - chain_first)].gap = gap;
            smallest = std::min(smallest, gap);
        }
        block_gap[block] = smallest;
        return smallest;
    }
};

// Everything chain row j contributes to bitmap row y.
void add_chain_row(const Stroke &s, Coord j, Coord y, RowCoverage &row_cover) {
    const ChainRow &row = s.chain_row(j);
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

// How far across a chain row's pieces reach in a bitmap row `distance` rows from it: the
// disc's row at that distance or up to two rows nearer (the bands start a row off their chain
// row and lie within the disc's hull), and a few columns more for the bands' rounding. The disc
// is convex, so this never grows with the distance.
Coord reach_across(const Stroke &s, Coord distance) {
    constexpr Coord kBandRows = 2, kBandColumns = 3;
    const Coord nearer = std::max<Coord>(0, distance - kBandRows);
    Coord widest = 0;
    for (const Coord d : {s.half - nearer, s.half + nearer}) {
        if (d < 0 || d >= s.width) continue;
        widest = std::max({widest, s.disc_right[static_cast<std::size_t>(d)],
                           -s.disc_left[static_cast<std::size_t>(d)]});
    }
    return widest + kBandColumns;
}

// One direction of the walk out from a bitmap row's nearest chain row.
struct Walk {
    Coord direction;  // +1 down the chain, -1 up
    Coord distance;   // of the next chain row to look at
};

// Everything that reaches bitmap row y, nearest chain rows first: their disc rows are the
// widest, and once one run covers the whole row the rest cannot add anything. A chain row
// whose pieces lie further across than the pen reaches at its distance adds nothing, and a
// block of such rows is passed over at once, so rows far from the bitmap cost little.
void cover_row(const Stroke &s, Coord y, Coord reach, RowCoverage &coverage) {
    const Coord nearest = y - s.top;
    Walk down{1, 0}, up{-1, 1};
    while (!coverage.full()) {
        Walk &walk = down.distance <= up.distance ? down : up;
        if (walk.distance > reach) break;
        const Coord j = nearest + walk.direction * walk.distance;
        if (j < s.chain_first || j >= s.chain_end) {
            const bool before_chain = walk.direction > 0 ? j < s.chain_first : j >= s.chain_end;
            walk.distance = !before_chain        ? reach + 1
                            : walk.direction > 0 ? s.chain_first - nearest
                                                 : nearest - (s.chain_end - 1);
            continue;
        }
        const Coord across = reach_across(s, walk.distance);
        if (s.smallest_gap_near(j) > across) {
            // Every row left in this block lies further away, where the pen reaches less.
            const Coord block_first = s.chain_first + static_cast<Coord>(s.block_of(j) * kGapBlock);
            walk.distance = walk.direction > 0
                                ? block_first + static_cast<Coord>(kGapBlock) - nearest
                                : nearest - block_first + 1;
            continue;
        }
        if (s.chain[static_cast<std::size_t>(j - s.chain_first)].gap <= across) {
            add_chain_row(s, j, y, coverage);
            ++chain_rows_gathered;
        }
        ++walk.distance;
    }
}

}  // namespace

void wide_ellipse_outline(const PixelSurface &surface, Coord left, Coord top,
                          const EllipseRows &rows, int width, std::uint32_t pixel) {
    if (width <= kPieceByPieceWidth) {
        wide_ellipse_outline_by_pieces(surface, left, top, rows, width, pixel);
    } else {
        wide_ellipse_outline_by_rows(surface, left, top, rows, width, pixel);
    }
}

void wide_ellipse_outline_by_pieces(const PixelSurface &surface, Coord left, Coord top,
                                    const EllipseRows &rows, int width, std::uint32_t pixel) {
    if (surface.pixels == nullptr) return;
    const PenDisc disc(width);
    const BandRows right_up(width, -1, -1), left_up(width, -1, 1), left_down(width, 1, 1),
        right_down(width, 1, -1);
    const Coord mirror = left + rows.width() - 1, last = rows.height() - 1;
    const Coord first = std::max<Coord>(0, -top - width - 2);
    const Coord end = std::min<Coord>(rows.height(), surface.height - top + width + 2);
    for (Coord row = first; row < end; ++row) {
        const EllipseRun run = rows.row(row);
        if (run.outer < run.inner) continue;
        disc.stamp_run(surface, top + row, mirror - run.outer, mirror - run.inner, pixel);
        disc.stamp_run(surface, top + row, left + run.inner, left + run.outer, pixel);
        // GDI walks the outline counter-clockwise from the right end of the middle row: up the
        // right side and down the left in the upper half, the other way round in the lower half.
        if (2 * row <= last && diagonal(rows, run, row - 1)) {
            right_up.stamp(surface, left + run.inner, top + row, pixel);
            left_up.stamp(surface, mirror - run.inner + 1, top + row - 1, pixel);
        }
        if (2 * row >= last && diagonal(rows, run, row + 1)) {
            left_down.stamp(surface, mirror - run.inner, top + row, pixel);
            right_down.stamp(surface, left + run.inner - 1, top + row + 1, pixel);
        }
    }
}

void wide_ellipse_outline_by_rows(const PixelSurface &surface, Coord left, Coord top,
                                  const EllipseRows &rows, int width, std::uint32_t pixel) {
    if (surface.pixels == nullptr) return;
    const Coord half = width / 2;
    Stroke stroke{surface,
                  rows,
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
                  0,
                  0,
                  0,
                  {},
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
    stroke.chain_first = std::max<Coord>(0, -top - reach);
    stroke.chain_end = std::min<Coord>(rows.height(), surface.height - top + reach);
    if (stroke.chain_first >= stroke.chain_end) return;
    stroke.chain.resize(static_cast<std::size_t>(stroke.chain_end - stroke.chain_first));
    const Coord chain_end = stroke.chain_end;
    const Coord y_first = std::max<Coord>(0, top - reach);
    const Coord y_end = std::min<Coord>(surface.height, top + rows.height() + reach);
    // Every disc and band lies within a pen's width (and a pixel) of the box.
    const Coord x_first = std::max<Coord>(0, left - width - 2);
    const Coord x_end = std::min<Coord>(surface.width, left + rows.width() + width + 2);
    if (x_first >= x_end) return;
    stroke.x_first = x_first;
    stroke.x_end = x_end;
    stroke.block_gap.assign(stroke.block_of(chain_end - 1) + 1, -1);
    RowCoverage coverage(x_first, x_end);
    for (Coord y = y_first; y < y_end; ++y) {
        coverage.clear();
        cover_row(stroke, y, reach, coverage);
        coverage.fill(surface, y, pixel);
    }
}

}  // namespace platform::raster
