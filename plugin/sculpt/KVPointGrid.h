#pragma once
// A uniform grid over a mesh's world points, so that a dab visits only the vertices in
// the cells its brush balls touch. Points outside the grid's bounds go to the border
// cells, and the cell of a coordinate is a monotone function of it, so a query never
// misses a point that lies inside a ball. The cells share one index array, each with a
// little spare room for points that move in. A cell that a moving point finds full moves
// to the end of the array with twice the room, so a stroke that carries points across
// thin layers of cells (a curved surface) costs what it moves; the cells are laid out
// afresh only when the array has grown to several times what the points need.
#include "sculpt/KVBitOps.h"

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
    // How many points the grid was built for.
    size_t pointCount() const { return cellOfPoint_.size(); }
    // Bytes the grid holds.
    size_t storageBytes() const {
        return (cellStart_.capacity() + cellRoom_.capacity() + cellCount_.capacity() +
                slots_.capacity() + cellOfPoint_.capacity() + touchedCells_.capacity()) *
                   sizeof(int) +
               cellBalls_.capacity() * sizeof(std::uint32_t) + found_.capacity() * sizeof(std::uint64_t);
    }
    // Point v may have moved to points[v]: it changes cell if it must.
    void move(int v, const MPointArray& points) {
        if (cellStart_.empty()) return;
        const int to = cellOf(points[v]);
        if (cellOfPoint_[v] != to) relocate(v, to);
    }

    // Calls f(v, near) once for every point in the cells that the balls of the given radius
    // about the centres touch, in ascending order of v, so that the caller walks its
    // per-point arrays front to back. Bit b of `near` is set when ball b touches the
    // point's cell: every ball that holds the point is among them, even one that holds it
    // only by a rounding in the caller's distance. centres holds x, y, z of each ball in
    // turn; at most 32 balls (more are left out). f may move points.
    template <class F> void forEachInBalls(const double* centres, double radius, int balls, F f);

private:
    int cellIndex(int cx, int cy, int cz) const { return (cz * dims_[1] + cy) * dims_[0] + cx; }
    // Below the grid (or NaN) gives 0, beyond it the last cell; without branches, as every
    // moved point asks it thrice.
    int axisCell(int axis, double coordinate) const {
        double t = (coordinate - origin_[axis]) * inverseSize_[axis];
        t = t > 0.0 ? t : 0.0;
        t = t < lastCell_[axis] ? t : lastCell_[axis];
        return static_cast<int>(t);
    }
    int cellOf(const MPoint& p) const {
        return cellIndex(axisCell(0, p.x), axisCell(1, p.y), axisCell(2, p.z));
    }
    // How far a coordinate lies from the slab of cell k along the axis, never more than it
    // is (the rounding of the slab's ends is allowed for).
    double gapToCell(int axis, int k, double coordinate) const;
    // The first half of a query: marks in found_ the points of the cells the balls touch,
    // notes in cellBalls_ (and touchedCells_) which balls touch each cell, and leaves the
    // words that hold marks between firstWord_ and lastWord_.
    void markBalls(const double* centres, double radius, int balls);
    // Point v from its recorded cell to cell `to`.
    void relocate(int v, int to);
    // Lays out the cells' slots for every point's cell, with fresh spare room.
    void fill();
    // Cell c's slots move to the end of the array with more room.
    void growCell(int c);

    double origin_[3] = {0, 0, 0};
    double inverseSize_[3] = {1, 1, 1};
    int dims_[3] = {0, 0, 0};
    double lastCell_[3] = {0, 0, 0}; // dims_ - 1
    // Cell c owns slots_[cellStart_[c], cellStart_[c] + cellRoom_[c]); the first
    // cellCount_[c] are used.
    std::vector<int> cellStart_;
    std::vector<int> cellRoom_;
    std::vector<int> cellCount_;
    std::vector<int> slots_;
    std::vector<int> cellOfPoint_;
    // Slots the last layout made: the array may grow to a few times this before the next.
    size_t laidOutSlots_ = 0;
    // During a query, the balls that touch each cell (a bit each), and the cells touched;
    // zero and empty between queries.
    std::vector<std::uint32_t> cellBalls_;
    std::vector<int> touchedCells_;
    // One bit a point: the points a query found, read back in order and cleared, and the
    // words that hold them.
    std::vector<std::uint64_t> found_;
    size_t firstWord_ = 0;
    size_t lastWord_ = 0;
};

template <class F>
void KVPointGrid::forEachInBalls(const double* centres, double radius, int balls, F f) {
    if (cellStart_.empty() || !(radius >= 0.0)) return;
    markBalls(centres, radius, std::min(balls, 32));
    for (size_t word = firstWord_; word <= lastWord_ && word < found_.size(); ++word) {
        std::uint64_t bits = found_[word];
        found_[word] = 0;
        for (; bits != 0; bits &= bits - 1) {
            const int v = static_cast<int>(word * 64 + static_cast<size_t>(countTrailingZeros(bits)));
            f(v, cellBalls_[cellOfPoint_[v]]);
        }
    }
    for (int c : touchedCells_)
        cellBalls_[c] = 0;
    touchedCells_.clear();
}
