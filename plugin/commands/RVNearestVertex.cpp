#include "commands/RVNearestVertex.h"

#include <nanoflann.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

const double kLargestDistance = std::numeric_limits<double>::max();
const double kLargestFloat = std::numeric_limits<float>::max();

bool isFinite(const MPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

bool fitsFloat(const MPoint& p) {
    return std::abs(p.x) <= kLargestFloat && std::abs(p.y) <= kLargestFloat &&
           std::abs(p.z) <= kLargestFloat;
}

// A point as the tree keeps it: single precision (as meshes store points, so usually
// exact) beside the index of the point it stands for, 16 bytes in all.
struct Entry {
    float xyz[3];
    std::uint32_t index;
};

// The tree's points, in the tree's own order once it is built, so that a leaf's points lie
// side by side in memory.
struct PointCloud {
    std::vector<Entry> entries;

    std::size_t kdtree_get_point_count() const { return entries.size(); }
    double kdtree_get_pt(std::uint32_t i, std::size_t axis) const { return entries[i].xyz[axis]; }
    template <class Box> bool kdtree_get_bbox(Box&) const { return false; }
};

using Metric = nanoflann::L2_Simple_Adaptor<double, PointCloud, double, std::uint32_t>;
using KdTree = nanoflann::KDTreeSingleIndexAdaptor<Metric, PointCloud, 3, std::uint32_t>;

// Keeps the exhaustive search's choice among the points it is offered: each is measured by
// MPoint::distanceTo on the caller's own points and ties go to the lower index, so the
// order in which the tree offers points cannot change the answer. The squared bound handed
// back to the tree is the best distance so far widened by how far the tree's copies of the
// points may lie from the points themselves, and a little more for rounding, so the tree
// never prunes a point that measures equal to the best.
class ExactNearest {
public:
    // `entries` names the points behind the tree's numbers (none without a tree).
    ExactNearest(const MPointArray& points, const Entry* entries, const MPoint& query,
                 double copyError)
        : points_(points), entries_(entries), query_(query), copyError_(copyError) {}

    bool full() const { return true; }
    double worstDist() const { return bound_; }
    bool addPoint(double, std::uint32_t i) {
        offer(entries_[i].index);
        return true;
    }
    void offer(unsigned int index) {
        const double d = query_.distanceTo(points_[index]);
        if (d < best_ || (d == best_ && index < bestIndex_)) {
            best_ = d;
            bestIndex_ = index;
            const double reach = d + copyError_;
            bound_ = reach * reach * (1.0 + kSlack) + kFloor;
        }
    }
    unsigned int index() const { return bestIndex_; }

private:
    // Far beyond the few units in the last place a squared distance and its root differ by;
    // the floor keeps ties among distances whose squares underflow.
    static constexpr double kSlack = 1e-9;
    static constexpr double kFloor = 4 * std::numeric_limits<double>::min();

    const MPointArray& points_;
    const Entry* const entries_;
    const MPoint& query_;
    const double copyError_;
    double best_ = kLargestDistance; // nothing at or beyond it is ever chosen
    unsigned int bestIndex_ = 0;
    double bound_ = std::numeric_limits<double>::infinity();
};

} // namespace

struct RVNearestVertex::Tree {
    const MPointArray* points = nullptr;
    PointCloud cloud;
    std::unique_ptr<KdTree> index;
    // Finite points too large for single precision, measured at every query.
    std::vector<std::uint32_t> outliers;
    // The largest distance between a point and the tree's copy of it.
    double copyError = 0.0;

    void collect(const MPointArray& all);
    void build();
};

// Points with a NaN or infinite coordinate are left out: none can ever be nearest.
void RVNearestVertex::Tree::collect(const MPointArray& all) {
    points = &all;
    cloud.entries.reserve(all.length());
    for (unsigned int j = 0; j < all.length(); ++j) {
        const MPoint& p = all[j];
        if (!isFinite(p)) continue;
        if (!fitsFloat(p)) {
            outliers.push_back(j);
            continue;
        }
        const Entry e{{static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)},
                      j};
        copyError = std::max(copyError, p.distanceTo(MPoint(e.xyz[0], e.xyz[1], e.xyz[2])));
        cloud.entries.push_back(e);
    }
}

// Once built, the entries are laid out in the tree's order and the tree reads them in
// place: its permutation becomes the identity.
void RVNearestVertex::Tree::build() {
    if (cloud.entries.empty()) return;
    index.reset(new KdTree(3, cloud, nanoflann::KDTreeSingleIndexAdaptorParams(16)));
    std::vector<Entry> ordered(cloud.entries.size());
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        ordered[i] = cloud.entries[index->vAcc[i]];
        index->vAcc[i] = static_cast<std::uint32_t>(i);
    }
    cloud.entries.swap(ordered);
}

RVNearestVertex::RVNearestVertex(const MPointArray& points) : tree_(new Tree) {
    tree_->collect(points);
    tree_->build();
}

RVNearestVertex::~RVNearestVertex() = default;

unsigned int RVNearestVertex::nearest(const MPoint& point) const {
    // A query with a NaN or infinite coordinate is at no finite distance from anything.
    if (!isFinite(point)) return 0;
    ExactNearest result(*tree_->points, tree_->cloud.entries.data(), point, tree_->copyError);
    if (tree_->index) {
        const double query[3] = {point.x, point.y, point.z};
        tree_->index->findNeighbors(result, query, nanoflann::SearchParams());
    }
    for (std::uint32_t j : tree_->outliers)
        result.offer(j);
    return result.index();
}

std::size_t RVNearestVertex::memoryUsed() const {
    std::size_t bytes = tree_->cloud.entries.capacity() * sizeof(Entry) +
                        tree_->outliers.capacity() * sizeof(std::uint32_t);
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
