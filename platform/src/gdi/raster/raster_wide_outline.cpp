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
// Chain rows are judged in blocks of this many before one by one: a block whose pieces all lie
// beyond the pen's reach of the columns still open is passed over whole.
constexpr std::size_t kGapBlock = 256;

// Columns between [a, b] and the columns [first, end); 0 when they meet.
Coord gap_between(Coord a, Coord b, Coord first, Coord end) {
    if (a >= end) return a - (end - 1);
    if (b < first) return first - b;
    return 0;
}

// The union of the runs that reach one bitmap row within the columns [first, end) the stroke can
// reach, kept as a difference array (+1 where a run starts, -1 after it ends), so runs can come
// in any order and overlap or not. The columns still open lie within [open_first, open_end):
// runs that reach an end of that range close it in, and once it is empty the row is settled.
class RowCoverage {
public:
    RowCoverage(Coord first, Coord end)
        : first_(first), end_(end), edges_(static_cast<std::size_t>(end - first) + 1) {}
    void clear() {
        std::fill(edges_.begin(), edges_.end(), 0);
        open_first_ = first_;
        open_end_ = end_;
    }
    bool full() const { return open_first_ >= open_end_; }
    Coord open_first() const { return open_first_; }
    Coord open_end() const { return open_end_; }
    // Columns [a, b].
    void add(Coord a, Coord b) {
        a = std::max(a, first_);
        b = std::min(b, end_ - 1);
        if (a > b || full()) return;
        if (a <= open_first_ && b >= open_first_) open_first_ = b + 1;
        if (b >= open_end_ - 1 && a <= open_end_ - 1) open_end_ = a;
        ++edges_[static_cast<std::size_t>(a - first_)];
        --edges_[static_cast<std::size_t>(b - first_) + 1];
    }
    void fill(const PixelSurface &surface, Coord y, std::uint32_t pixel) const {
        if (full()) {
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
    Coord open_first_ = 0, open_end_ = 0;
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
};

// The columns that the pieces of a block of chain rows lie in, on each side of the ellipse
// (their runs and the bands that leave them, a column either side).
struct BlockColumns {
    bool known = false;
    Coord left_first = kNone, left_last = -kNone;
    Coord mirror_first = kNone, mirror_last = -kNone;
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
    // Read when first needed: a wide pen usually covers its rows with the nearest chain rows.
    mutable std::vector<ChainRow> chain;
    mutable std::vector<BlockColumns> blocks;  // per kGapBlock chain rows

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

    // How far chain row j's pieces lie from the columns [first, end); kNone for a row the chain
    // never reached.
    Coord row_gap(Coord j, Coord first, Coord end) const {
        const ChainRow &row = chain_row(j);
        if (row.outer < row.inner) return kNone;
        return std::min(gap_between(left + row.inner - 1, left + row.outer, first, end),
                        gap_between(mirror - row.outer, mirror - row.inner + 1, first, end));
    }

    std::size_t block_of(Coord j) const {
        return static_cast<std::size_t>(j - chain_first) / kGapBlock;
    }
    Coord block_first(Coord j) const {
        return chain_first + static_cast<Coord>(block_of(j) * kGapBlock);
    }

    // How far the pieces of chain row j's block lie from the columns [first, end), working the
    // block's columns out the first time.
    Coord block_gap(Coord j, Coord first, Coord end) const {
        BlockColumns &block = blocks[block_of(j)];
        if (!block.known) {
            block.known = true;
            const Coord begin = block_first(j);
            const Coord stop = std::min<Coord>(begin + static_cast<Coord>(kGapBlock), chain_end);
            for (Coord k = begin; k < stop; ++k) {
                const ChainRow &row = chain_row(k);
                if (row.outer < row.inner) continue;
                block.left_first = std::min(block.left_first, left + row.inner - 1);
                block.left_last = std::max(block.left_last, left + row.outer);
                block.mirror_first = std::min(block.mirror_first, mirror - row.outer);
                block.mirror_last = std::max(block.mirror_last, mirror - row.inner + 1);
            }
        }
        if (block.left_first > block.left_last) return kNone;
        return std::min(gap_between(block.left_first, block.left_last, first, end),
                        gap_between(block.mirror_first, block.mirror_last, first, end));
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
// widest, and once the row is covered the rest cannot add anything. A chain row whose pieces
// lie further across from the columns still open than the pen reaches at its distance adds
// nothing, and a block of such rows is passed over at once (the rows left in it lie further
// away, where the pen reaches less, and the open columns only shrink), so chain rows far from
// what is left to cover cost little.
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
        const Coord open_first = coverage.open_first(), open_end = coverage.open_end();
        if (s.block_gap(j, open_first, open_end) > across) {
            const Coord block_first = s.block_first(j);
            walk.distance = walk.direction > 0
                                ? block_first + static_cast<Coord>(kGapBlock) - nearest
                                : nearest - block_first + 1;
            continue;
        }
        if (s.row_gap(j, open_first, open_end) <= across) {
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
    stroke.blocks.assign(stroke.block_of(chain_end - 1) + 1, BlockColumns{});
    RowCoverage coverage(x_first, x_end);
    for (Coord y = y_first; y < y_end; ++y) {
        coverage.clear();
        cover_row(stroke, y, reach, coverage);
        coverage.fill(surface, y, pixel);
    }
}

}  // namespace platform::raster
