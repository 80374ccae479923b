#include "sculpt/KVPointGrid.h"

#include <algorithm>
#include <cmath>

namespace {
// Points a cell on average; small enough that a brush box holds few strangers.
constexpr double kPointsPerCell = 4.0;
// Bounds on the cells an axis may have, so that flat or huge meshes stay sane.
constexpr int kMaxAxisCells = 1024;
} // namespace

void KVPointGrid::clear() {
    cells_.clear();
    cellOfPoint_.clear();
    visitStamp_.clear();
    dims_[0] = dims_[1] = dims_[2] = 0;
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
        inverseSize_[a] = extent[a] > 0.0 ? dims_[a] / extent[a] : 0.0;
    }
    cells_.assign(static_cast<size_t>(dims_[0]) * dims_[1] * dims_[2], {});
    visitStamp_.assign(cells_.size(), 0u);
    stamp_ = 0;
    cellOfPoint_.resize(n);
    for (unsigned int v = 0; v < n; ++v) {
        const int c = cellOf(points[v]);
        cellOfPoint_[v] = c;
        cells_[c].push_back(static_cast<int>(v));
    }
}

int KVPointGrid::axisCell(int axis, double coordinate) const {
    const double t = (coordinate - origin_[axis]) * inverseSize_[axis];
    if (!(t > 0.0)) return 0; // below, or NaN
    if (t >= dims_[axis] - 1) return dims_[axis] - 1;
    return static_cast<int>(t);
}

int KVPointGrid::cellOf(const MPoint& p) const {
    return cellIndex(axisCell(0, p.x), axisCell(1, p.y), axisCell(2, p.z));
}

void KVPointGrid::move(int v, const MPoint& p) {
    if (cells_.empty()) return;
    const int to = cellOf(p);
    const int from = cellOfPoint_[v];
    if (to == from) return;
    std::vector<int>& old = cells_[from];
    *std::find(old.begin(), old.end(), v) = old.back();
    old.pop_back();
    cells_[to].push_back(v);
    cellOfPoint_[v] = to;
}
