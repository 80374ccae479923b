#pragma once
// A uniform grid over a mesh's world points, so that a dab visits only the vertices in
// the cells its brush boxes cover. Points outside the grid's bounds go to the border
// cells, and the cell of a coordinate is a monotone function of it, so a box query never
// misses a point that lies inside the box. The cells share one index array, each with a
// little spare room for points that move in. A point that finds its new cell full waits on
// a short overflow list, which every query scans; only a long list makes the grid lay its
// cells out afresh, so a stroke that crowds points together costs little more.
#include <maya/MPointArray.h>

#include <algorithm>
#include <cstdint>
#include <vector>

class KVPointGrid {
public:
    // Lays the grid over the points' bounds with a few points a cell.
    void build(const MPointArray& points);
    void clear();
    bool empty() const { return cellStart_.empty(); }
    // Point v moved from `was` to points[v]: it changes cell if it must.
    void move(int v, const MPoint& was, const MPointArray& points);

    // Calls f(v) once for every point in the cells that the boxes [lo, hi] cover, in
    // ascending order of v, so that the caller walks its per-point arrays front to back.
    // lo and hi hold x, y, z of each box in turn.
    template <class F> void forEachInBoxes(const double* lo, const double* hi, int boxes, F f);

private:
    int cellIndex(int cx, int cy, int cz) const { return (cz * dims_[1] + cy) * dims_[0] + cx; }
    int axisCell(int axis, double coordinate) const {
        const double t = (coordinate - origin_[axis]) * inverseSize_[axis];
        if (!(t > 0.0)) return 0; // below, or NaN
        if (t >= dims_[axis] - 1) return dims_[axis] - 1;
        return static_cast<int>(t);
    }
    int cellOf(const MPoint& p) const {
        return cellIndex(axisCell(0, p.x), axisCell(1, p.y), axisCell(2, p.z));
    }
    // cellOfPoint_ holds c for a point in cell c's slots and ~c for one on the overflow list.
    static int cellOfCode(int code) { return code < 0 ? ~code : code; }
    // Lays out the cells' slots for every point's cell, with fresh spare room, and empties
    // the overflow list.
    void fill();

    double origin_[3] = {0, 0, 0};
    double inverseSize_[3] = {1, 1, 1};
    int dims_[3] = {0, 0, 0};
    // Cell c owns slots_[cellStart_[c], cellStart_[c + 1]); the first cellCount_[c] are used.
    std::vector<int> cellStart_;
    std::vector<int> cellCount_;
    std::vector<int> slots_;
    std::vector<int> cellOfPoint_;
    std::vector<int> overflow_;
    std::vector<std::uint32_t> visitStamp_;
    // One bit a point: the points a query found, read back in order and cleared.
    std::vector<std::uint64_t> found_;
    std::uint32_t stamp_ = 0;
};

template <class F>
void KVPointGrid::forEachInBoxes(const double* lo, const double* hi, int boxes, F f) {
    if (cellStart_.empty()) return;
    if (++stamp_ == 0) {
        std::fill(visitStamp_.begin(), visitStamp_.end(), 0u);
        stamp_ = 1;
    }
    size_t firstWord = found_.size(), lastWord = 0;
    const auto mark = [&](int v) {
        const size_t word = static_cast<size_t>(v) >> 6;
        found_[word] |= std::uint64_t(1) << (v & 63);
        firstWord = std::min(firstWord, word);
        lastWord = std::max(lastWord, word);
    };
    for (int b = 0; b < boxes; ++b) {
        const double* l = lo + 3 * b;
        const double* h = hi + 3 * b;
        if (!(l[0] <= h[0] && l[1] <= h[1] && l[2] <= h[2])) continue; // empty or NaN box
        const int x0 = axisCell(0, l[0]), x1 = axisCell(0, h[0]);
        const int y0 = axisCell(1, l[1]), y1 = axisCell(1, h[1]);
        const int z0 = axisCell(2, l[2]), z1 = axisCell(2, h[2]);
        for (int cz = z0; cz <= z1; ++cz)
            for (int cy = y0; cy <= y1; ++cy)
                for (int cx = x0; cx <= x1; ++cx) {
                    const int c = cellIndex(cx, cy, cz);
                    if (visitStamp_[c] == stamp_) continue;
                    visitStamp_[c] = stamp_;
                    const int* slot = slots_.data() + cellStart_[c];
                    const int* end = slot + cellCount_[c];
                    for (; slot != end; ++slot)
                        mark(*slot);
                }
    }
    for (int v : overflow_)
        if (visitStamp_[~cellOfPoint_[v]] == stamp_) mark(v);
    for (size_t word = firstWord; word <= lastWord && word < found_.size(); ++word) {
        std::uint64_t bits = found_[word];
        found_[word] = 0;
        for (; bits; bits &= bits - 1)
            f(static_cast<int>(word * 64 + static_cast<size_t>(__builtin_ctzll(bits))));
    }
}
