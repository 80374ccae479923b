#pragma once
// The vertex of a point set nearest to a point, exactly as the exhaustive search finds it:
// the smallest MPoint::distanceTo, of equal distances the lowest index, never a point whose
// distance is not below the largest finite double (NaN or infinite), and 0 when no point
// qualifies. The index answers the same in about log(n) steps instead of n.
#include <maya/MIntArray.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>

#include <cstddef>
#include <memory>

class RVNearestVertex {
public:
    // Indexes `points` (as MFnMesh::getPoints gives them, w = 1). The index keeps a
    // single-precision copy for its tree and measures candidates on `points` themselves,
    // which must outlive it unchanged.
    explicit RVNearestVertex(const MPointArray& points);
    ~RVNearestVertex();
    RVNearestVertex(const RVNearestVertex&) = delete;
    RVNearestVertex& operator=(const RVNearestVertex&) = delete;

    // One query at a time: queries share scratch space.
    unsigned int nearest(const MPoint& point) const;
    // The nearest point of each query, in the queries' order (answered in an order of
    // their own that keeps neighbouring queries together).
    MIntArray nearestOfEach(const MPointArray& queries) const;
    // Bytes the index holds besides the points themselves.
    std::size_t memoryUsed() const;

    // The reference: every point measured, the first of the nearest kept.
    static unsigned int exhaustiveNearest(const MPointArray& points, const MPoint& point);

private:
    struct Tree;
    double roundingFloor(const MPoint& point) const;
    std::unique_ptr<Tree> tree_;
};
