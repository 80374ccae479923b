#include "sculpt/KVPointGrid.h"

#include <algorithm>
#include <cmath>

namespace {
// Points a cell on average; small enough that the cells a brush touches hold few strangers.
constexpr double kPointsPerCell = 4.0;
// Bounds on the cells an axis may have, so that flat or huge meshes stay sane.
constexpr int kMaxAxisCells = 1024;
// Spare slots a cell gets beyond the points it holds, so that moves seldom refill the grid.
int spareSlots(int count) {
    return count / 4 + 1;
}
// How far the slot array may grow, over the last layout, before the cells are laid out
// afresh: far enough that the layout's cost is shared by many moves.
constexpr size_t kGrowthBeforeLayout = 3;
} // namespace

void KVPointGrid::clear() {
    cellStart_.clear();
    cellRoom_.clear();
    cellCount_.clear();
    slots_.clear();
    cellOfPoint_.clear();
    laidOutSlots_ = 0;
    found_.clear();
    cellBalls_.clear();
    touchedCells_.clear();
    dims_[0] = dims_[1] = dims_[2] = 0;
    lastCell_[0] = lastCell_[1] = lastCell_[2] = 0;
}

void KVPointGrid::build(const MPointArray& points) {
    clear();
    const unsigned int n = points.length();
    if (n == 0) return;
    double lo[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
    double hi[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    for (unsigned int v = 0; v < n; ++v)
        for (int a = 0; a < 3; ++a)
            if (std::isfinite(points[v][a])) {
                lo[a] = std::min(lo[a], points[v][a]);
                hi[a] = std::max(hi[a], points[v][a]);
            }
    double extent[3];
    int spanned = 0;
    for (int a = 0; a < 3; ++a) {
        if (lo[a] > hi[a]) lo[a] = hi[a] = 0.0;
        extent[a] = hi[a] - lo[a];
        if (extent[a] > 0.0) ++spanned;
    }
    // Cells of roughly equal size along the axes the points span.
    const double cellsWanted = std::max(1.0, n / kPointsPerCell);
    double volume = 1.0;
    for (double e : extent)
        if (e > 0.0) volume *= e;
    const double size = spanned ? std::pow(volume / cellsWanted, 1.0 / spanned) : 1.0;
    for (int a = 0; a < 3; ++a) {
        origin_[a] = lo[a];
        const double count = extent[a] > 0.0 ? std::ceil(extent[a] / size) : 1.0;
        dims_[a] = static_cast<int>(std::clamp(count, 1.0, double(kMaxAxisCells)));
        lastCell_[a] = dims_[a] - 1;
        inverseSize_[a] = extent[a] > 0.0 ? dims_[a] / extent[a] : 0.0;
    }
    const size_t cells = static_cast<size_t>(dims_[0]) * dims_[1] * dims_[2];
    cellBalls_.assign(cells, 0u);
    cellCount_.assign(cells, 0);
    cellOfPoint_.resize(n);
    found_.assign((n + 63) / 64, 0);
    for (unsigned int v = 0; v < n; ++v)
        cellOfPoint_[v] = cellOf(points[v]);
    fill();
}

void KVPointGrid::fill() {
    std::fill(cellCount_.begin(), cellCount_.end(), 0);
    for (int c : cellOfPoint_)
        ++cellCount_[c];
    cellStart_.resize(cellCount_.size());
    cellRoom_.resize(cellCount_.size());
    int start = 0;
    for (size_t c = 0; c < cellCount_.size(); ++c) {
        cellStart_[c] = start;
        cellRoom_[c] = cellCount_[c] + spareSlots(cellCount_[c]);
        start += cellRoom_[c];
        cellCount_[c] = 0;
    }
    slots_.assign(static_cast<size_t>(start), -1);
    laidOutSlots_ = slots_.size();
    for (size_t v = 0; v < cellOfPoint_.size(); ++v) {
        const int c = cellOfPoint_[v];
        slots_[cellStart_[c] + cellCount_[c]++] = static_cast<int>(v);
    }
}

void KVPointGrid::growCell(int c) {
    const int room = 2 * cellRoom_[c] + 4;
    const size_t start = slots_.size();
    slots_.resize(start + static_cast<size_t>(room), -1);
    std::copy(slots_.begin() + cellStart_[c], slots_.begin() + cellStart_[c] + cellCount_[c],
              slots_.begin() + static_cast<std::ptrdiff_t>(start));
    cellStart_[c] = static_cast<int>(start);
    cellRoom_[c] = room;
}

double KVPointGrid::gapToCell(int axis, int k, double coordinate) const {
    if (inverseSize_[axis] == 0.0) return 0.0; // one cell spans the axis
    const double size = 1.0 / inverseSize_[axis];
    const double lo = k == 0 ? -HUGE_VAL : origin_[axis] + k * size;
    const double hi = k == dims_[axis] - 1 ? HUGE_VAL : origin_[axis] + (k + 1) * size;
    const double gap = std::max({lo - coordinate, coordinate - hi, 0.0});
    const double slack = size * 1e-6 + (std::fabs(origin_[axis]) + std::fabs(coordinate)) * 1e-12;
    return std::max(gap - slack, 0.0);
}

void KVPointGrid::markBalls(const double* centres, double radius, int balls) {
    size_t first = found_.size(), last = 0;
    const auto mark = [&](int v) {
        const size_t word = static_cast<size_t>(v) >> 6;
        found_[word] |= std::uint64_t(1) << (v & 63);
        first = std::min(first, word);
        last = std::max(last, word);
    };
    for (int b = 0; b < balls; ++b) {
        const double* c = centres + 3 * b;
        if (!(std::isfinite(c[0]) && std::isfinite(c[1]) && std::isfinite(c[2]))) continue;
        const double reach =
            radius * (1.0 + 1e-9) + (std::fabs(c[0]) + std::fabs(c[1]) + std::fabs(c[2])) * 1e-12;
        const int z1 = axisCell(2, c[2] + reach), y1 = axisCell(1, c[1] + reach);
        for (int cz = axisCell(2, c[2] - reach); cz <= z1; ++cz) {
            const double gz = gapToCell(2, cz, c[2]);
            for (int cy = axisCell(1, c[1] - reach); cy <= y1; ++cy) {
                const double gy = gapToCell(1, cy, c[1]);
                const double rest = reach * reach - gy * gy - gz * gz;
                if (!(rest >= 0.0)) continue;
                const double half = std::sqrt(rest);
                const int x1 = axisCell(0, c[0] + half);
                for (int cx = axisCell(0, c[0] - half); cx <= x1; ++cx) {
                    const int cell = cellIndex(cx, cy, cz);
                    // A cell's points are marked at its first touch.
                    if (cellBalls_[cell] == 0) {
                        touchedCells_.push_back(cell);
                        const int* slot = slots_.data() + cellStart_[cell];
                        for (const int* end = slot + cellCount_[cell]; slot != end; ++slot)
                            mark(*slot);
                    }
                    cellBalls_[cell] |= std::uint32_t(1) << b;
                }
            }
        }
    }
    firstWord_ = first;
    lastWord_ = last;
}

void KVPointGrid::relocate(int v, int to) {
    const int from = cellOfPoint_[v];
    int* first = slots_.data() + cellStart_[from];
    int* last = first + --cellCount_[from];
    *std::find(first, last + 1, v) = *last;
    if (cellCount_[to] == cellRoom_[to]) {
        // The slot array only ever grows by whole cells: lay it out afresh once it has
        // grown well past what the points need, else give the cell more room at its end.
        if (slots_.size() > kGrowthBeforeLayout * laidOutSlots_) {
            cellOfPoint_[v] = to;
            fill();
            return;
        }
        growCell(to);
    }
    cellOfPoint_[v] = to;
    slots_[cellStart_[to] + cellCount_[to]++] = v;
}
