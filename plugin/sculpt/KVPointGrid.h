#pragma once
// A uniform grid over a mesh's world points, so that a dab visits only the vertices in
// the cells its brush boxes cover. Points outside the grid's bounds go to the border
// cells, and the cell of a coordinate is a monotone function of it, so a box query never
// misses a point that lies inside the box.
#include <maya/MPointArray.h>

#include <cstdint>
#include <vector>

class KVPointGrid {
public:
    // Lays the grid over the points' bounds with a few points a cell.
    void build(const MPointArray& points);
    void clear();
    bool empty() const { return cells_.empty(); }
    // Point v moved to p: it changes cell if it must.
    void move(int v, const MPoint& p);

    // Calls f(v) once for every point in the cells that the boxes [lo, hi] cover; boxes
    // that share cells visit them once. lo and hi hold x, y, z of each box in turn.
    template <class F> void forEachInBoxes(const double* lo, const double* hi, int boxes, F f);

private:
    int cellIndex(int cx, int cy, int cz) const { return (cz * dims_[1] + cy) * dims_[0] + cx; }
    int axisCell(int axis, double coordinate) const;
    int cellOf(const MPoint& p) const;

    double origin_[3] = {0, 0, 0};
    double inverseSize_[3] = {1, 1, 1};
    int dims_[3] = {0, 0, 0};
    std::vector<std::vector<int>> cells_;
    std::vector<int> cellOfPoint_;
    std::vector<std::uint32_t> visitStamp_;
    std::uint32_t stamp_ = 0;
};

template <class F>
void KVPointGrid::forEachInBoxes(const double* lo, const double* hi, int boxes, F f) {
    if (cells_.empty()) return;
    if (++stamp_ == 0) {
        std::fill(visitStamp_.begin(), visitStamp_.end(), 0u);
        stamp_ = 1;
    }
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
                    for (int v : cells_[c])
                        f(v);
                }
    }
}
