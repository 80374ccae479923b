#include "commands/RVNearestVertex.h"

#include <nanoflann.hpp>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

const double kLargestDistance = std::numeric_limits<double>::max();

bool isFinite(const MPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// The points the tree is built over: those with finite coordinates (no other can ever be
// nearest), through a table of their indices when some are left out.
struct PointCloud {
    const MPointArray* points = nullptr;
    std::vector<std::uint32_t> kept; // empty: every point, in order

    unsigned int original(std::uint32_t i) const { return kept.empty() ? i : kept[i]; }
    std::size_t kdtree_get_point_count() const {
        return kept.empty() ? points->length() : kept.size();
    }
    double kdtree_get_pt(std::uint32_t i, std::size_t axis) const {
        const MPoint& p = (*points)[original(i)];
        return axis == 0 ? p.x : axis == 1 ? p.y : p.z;
    }
    template <class Box> bool kdtree_get_bbox(Box&) const { return false; }
};

using Metric = nanoflann::L2_Simple_Adaptor<double, PointCloud, double, std::uint32_t>;
using KdTree = nanoflann::KDTreeSingleIndexAdaptor<Metric, PointCloud, 3, std::uint32_t>;

// Keeps the exhaustive search's choice among the points the tree offers: the distance is
// measured by MPoint::distanceTo itself and ties go to the lower index, so the order in
// which the tree visits points cannot change the answer. The squared bound handed back to
// the tree is a little wider than the best distance so far, so rounding in the tree's own
// arithmetic never prunes a point that measures equal to it.
class ExactNearest {
public:
    ExactNearest(const PointCloud& cloud, const MPoint& query) : cloud_(cloud), query_(query) {}

    bool full() const { return true; }
    double worstDist() const { return bound_; }
    bool addPoint(double, std::uint32_t i) {
        const unsigned int index = cloud_.original(i);
        const double d = query_.distanceTo((*cloud_.points)[index]);
        if (d < best_ || (d == best_ && index < bestIndex_)) {
            best_ = d;
            bestIndex_ = index;
            bound_ = d * d * (1.0 + kSlack) + kFloor;
        }
        return true;
    }
    unsigned int index() const { return bestIndex_; }

private:
    // Far beyond the few units in the last place a squared distance and its root differ by;
    // the floor keeps ties among distances whose squares underflow.
    static constexpr double kSlack = 1e-9;
    static constexpr double kFloor = 4 * std::numeric_limits<double>::min();

    const PointCloud& cloud_;
    const MPoint& query_;
    double best_ = kLargestDistance; // nothing at or beyond it is ever chosen
    unsigned int bestIndex_ = 0;
    double bound_ = std::numeric_limits<double>::infinity();
};

} // namespace

struct RVNearestVertex::Tree {
    PointCloud cloud;
    std::unique_ptr<KdTree> index;
};

RVNearestVertex::RVNearestVertex(const MPointArray& points) : tree_(new Tree) {
    PointCloud& cloud = tree_->cloud;
    cloud.points = &points;
    bool allFinite = true;
    for (unsigned int j = 0; j < points.length() && allFinite; ++j)
        allFinite = isFinite(points[j]);
    if (!allFinite) {
        for (unsigned int j = 0; j < points.length(); ++j)
            if (isFinite(points[j])) cloud.kept.push_back(j);
        if (cloud.kept.empty()) return; // no point can be chosen: no tree
    }
    if (points.length() == 0) return;
    tree_->index.reset(new KdTree(3, cloud, nanoflann::KDTreeSingleIndexAdaptorParams(16)));
}

RVNearestVertex::~RVNearestVertex() = default;

unsigned int RVNearestVertex::nearest(const MPoint& point) const {
    // A query with a NaN or infinite coordinate is at no finite distance from anything.
    if (!tree_->index || !isFinite(point)) return 0;
    ExactNearest result(tree_->cloud, point);
    const double query[3] = {point.x, point.y, point.z};
    tree_->index->findNeighbors(result, query, nanoflann::SearchParams());
    return result.index();
}

std::size_t RVNearestVertex::memoryUsed() const {
    std::size_t bytes = tree_->cloud.kept.capacity() * sizeof(std::uint32_t);
    if (tree_->index) bytes += tree_->index->usedMemory(*tree_->index);
    return bytes;
}

unsigned int RVNearestVertex::exhaustiveNearest(const MPointArray& points, const MPoint& point) {
    double best = kLargestDistance;
    unsigned int bestIndex = 0;
    for (unsigned int j = 0; j < points.length(); ++j) {
        const double d = point.distanceTo(points[j]);
        if (best > d) {
            best = d;
            bestIndex = j;
        }
    }
    return bestIndex;
}
