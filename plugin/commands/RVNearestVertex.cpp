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

// A point the tree offered, by its number in the tree and its squared distance there.
struct Candidate {
    std::uint32_t entry;
    double squared;
};

// Gathers, from the points the tree offers, every one that could measure equal to the
// nearest: the tree's distances are to its single-precision copies, which lie within
// `copyError` of the points, so a point whose exact distance equals the least one lies
// within the least tree distance plus twice that (and a little more for rounding). The
// bound handed back to the tree never falls below that, so the tree prunes no such point.
// The tree keeps its distances to boxes as running sums of squares of coordinate
// differences, which may come out some units in the last place of the coordinates'
// squares too large; `floor` covers that, so a box holding an equally near point is never
// pruned when the nearest distance is far below the coordinates' size.
class NearCandidates {
public:
    NearCandidates(std::vector<Candidate>& found, double copyError, double floor)
        : found_(found), copyError_(copyError), floor_(floor) {
        found_.clear();
    }

    bool full() const { return true; }
    double worstDist() const { return bound_; }
    bool addPoint(double squared, std::uint32_t entry) {
        found_.push_back({entry, squared});
        if (squared < least_) {
            least_ = squared;
            const double reach = std::sqrt(squared) + 2.0 * copyError_;
            bound_ = reach * reach * (1.0 + kSlack) + floor_;
        }
        return true;
    }
    // Those still within the final bound.
    template <class Visit> void forEachNear(Visit visit) const {
        for (const Candidate& c : found_)
            if (c.squared < bound_) visit(c.entry);
    }

private:
    // Far beyond the few units in the last place a squared distance and its root differ by.
    static constexpr double kSlack = 1e-9;

    std::vector<Candidate>& found_;
    const double copyError_;
    const double floor_;
    double least_ = std::numeric_limits<double>::infinity();
    double bound_ = std::numeric_limits<double>::infinity();
};

// The exhaustive search's choice among the points offered: each is measured by
// MPoint::distanceTo on the caller's own points and ties go to the lower index, so the
// order of the offers cannot change the answer.
class ExactChoice {
public:
    ExactChoice(const MPointArray& points, const MPoint& query) : points_(points), query_(query) {}

    void offer(unsigned int index) {
        const double d = query_.distanceTo(points_[index]);
        if (d < best_ || (d == best_ && index < bestIndex_)) {
            best_ = d;
            bestIndex_ = index;
        }
    }
    unsigned int index() const { return bestIndex_; }

private:
    const MPointArray& points_;
    const MPoint& query_;
    double best_ = kLargestDistance; // nothing at or beyond it is ever chosen
    unsigned int bestIndex_ = 0;
};

// Spreads the low 21 bits of v three apart, for a Z-order code.
std::uint64_t spreadBits(std::uint64_t v) {
    v &= 0x1fffff;
    v = (v | v << 32) & 0x1f00000000ffffULL;
    v = (v | v << 16) & 0x1f0000ff0000ffULL;
    v = (v | v << 8) & 0x100f00f00f00f00fULL;
    v = (v | v << 4) & 0x10c30c30c30c30c3ULL;
    v = (v | v << 2) & 0x1249249249249249ULL;
    return v;
}

// The queries in the order of a Z-order curve over their bounding box, so that queries
// answered one after another are near each other and find the tree's nodes and points
// still in cache. Queries that are not finite come first (they are answered at once).
std::vector<std::uint32_t> spatialOrder(const MPointArray& queries) {
    double low[3] = {kLargestDistance, kLargestDistance, kLargestDistance};
    double high[3] = {-kLargestDistance, -kLargestDistance, -kLargestDistance};
    for (unsigned int k = 0; k < queries.length(); ++k) {
        const MPoint& q = queries[k];
        if (!isFinite(q)) continue;
        const double c[3] = {q.x, q.y, q.z};
        for (int a = 0; a < 3; ++a) {
            low[a] = std::min(low[a], c[a]);
            high[a] = std::max(high[a], c[a]);
        }
    }
    double scale[3];
    for (int a = 0; a < 3; ++a) {
        const double extent = high[a] - low[a];
        scale[a] = extent > 0.0 && std::isfinite(extent) ? 2097151.0 / extent : 0.0;
    }
    std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed(queries.length());
    for (unsigned int k = 0; k < queries.length(); ++k) {
        const MPoint& q = queries[k];
        std::uint64_t code = 0;
        if (isFinite(q)) {
            const double c[3] = {q.x, q.y, q.z};
            for (int a = 0; a < 3; ++a)
                code |= spreadBits(static_cast<std::uint64_t>((c[a] - low[a]) * scale[a])) << a;
        }
        keyed[k] = {code, k};
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::uint32_t> order(keyed.size());
    for (std::size_t i = 0; i < keyed.size(); ++i)
        order[i] = keyed[i].second;
    return order;
}

} // namespace

struct RVNearestVertex::Tree {
    const MPointArray* points = nullptr;
    PointCloud cloud;
    std::unique_ptr<KdTree> index;
    // Finite points too large for single precision, measured at every query.
    std::vector<std::uint32_t> outliers;
    // The largest distance between a point and the tree's copy of it.
    double copyError = 0.0;
    // The largest magnitude of a coordinate the tree holds.
    double largestCoordinate = 0.0;
    // Scratch space of the queries, kept to save an allocation each.
    mutable std::vector<Candidate> candidates;

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
        for (float c : e.xyz)
            largestCoordinate = std::max(largestCoordinate, static_cast<double>(std::abs(c)));
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

// The rounding a squared distance between the query and the tree's boxes may carry: many
// units in the last place of the largest square of a coordinate difference, and never less
// than what keeps ties among distances whose squares underflow.
double RVNearestVertex::roundingFloor(const MPoint& point) const {
    const double size = tree_->largestCoordinate +
                        std::max({std::abs(point.x), std::abs(point.y), std::abs(point.z)});
    return 1024.0 * std::numeric_limits<double>::epsilon() * size * size +
           4.0 * std::numeric_limits<double>::min();
}

unsigned int RVNearestVertex::nearest(const MPoint& point) const {
    // A query with a NaN or infinite coordinate is at no finite distance from anything.
    if (!isFinite(point)) return 0;
    ExactChoice choice(*tree_->points, point);
    if (tree_->index) {
        NearCandidates nearOnes(tree_->candidates, tree_->copyError, roundingFloor(point));
        const double query[3] = {point.x, point.y, point.z};
        tree_->index->findNeighbors(nearOnes, query, nanoflann::SearchParams());
        const Entry* entries = tree_->cloud.entries.data();
        nearOnes.forEachNear([&](std::uint32_t entry) { choice.offer(entries[entry].index); });
    }
    for (std::uint32_t j : tree_->outliers)
        choice.offer(j);
    return choice.index();
}

MIntArray RVNearestVertex::nearestOfEach(const MPointArray& queries) const {
    MIntArray result(queries.length(), 0);
    for (std::uint32_t k : spatialOrder(queries))
        result[k] = static_cast<int>(nearest(queries[k]));
    return result;
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
