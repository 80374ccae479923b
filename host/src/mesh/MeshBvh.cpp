#include "mesh/MeshBvh.h"

#include "mesh/MeshGeometry.h"
#include "mesh/TwoThreads.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

namespace rvhost {

namespace {

constexpr int kLeafSize = 4;
// Deep enough for any tree that halving makes of 2^31 triangles.
constexpr int kStackDepth = 64;
// Boxes are widened by this fraction of their coordinates' size so that rounding in the box
// test never rejects a box whose triangle the exact test would accept.
constexpr double kSlack = 1e-6;

float boxSlack(const float* lo, const float* hi) {
    double scale = 0.0;
    for (int a = 0; a < 3; ++a)
        scale = std::max({scale, std::fabs(double(lo[a])), std::fabs(double(hi[a]))});
    // Rounded up to float, so the stored slack is never smaller than computed.
    return std::nextafter(static_cast<float>(kSlack * scale), std::numeric_limits<float>::max());
}

struct StackEntry {
    int node;
    double bound; // lower bound of what the node can offer: |t| or a squared distance
};

} // namespace

namespace {
// Spreads the low 10 bits of x to every third bit.
std::uint32_t spreadBits(std::uint32_t x) {
    x &= 0x3ff;
    x = (x | (x << 16)) & 0x030000ff;
    x = (x | (x << 8)) & 0x0300f00f;
    x = (x | (x << 4)) & 0x030c30c3;
    x = (x | (x << 2)) & 0x09249249;
    return x;
}

// The mean of a polygon's corners, rounded to float.
void centre(const MeshGeometry& mesh, int f, float c[3]) {
    const float* xyz = mesh.points().data();
    const int count = mesh.polygonSize(f);
    double sum[3] = {0.0, 0.0, 0.0};
    for (int i = 0; i < count; ++i) {
        const float* p = xyz + 3 * static_cast<size_t>(mesh.polygonVertex(f, i));
        for (int a = 0; a < 3; ++a)
            sum[a] += p[a];
    }
    for (int a = 0; a < 3; ++a)
        c[a] = static_cast<float>(sum[a] / count);
}

struct Bounds {
    float lo[3], hi[3];
    Bounds() {
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::numeric_limits<float>::max();
            hi[a] = -std::numeric_limits<float>::max();
        }
    }
    void add(const Bounds& other) {
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], other.lo[a]);
            hi[a] = std::max(hi[a], other.hi[a]);
        }
    }
};

Bounds centreBounds(const MeshGeometry& mesh, int first, int last) {
    Bounds b;
    for (int f = first; f < last; ++f) {
        float c[3];
        centre(mesh, f, c);
        for (int a = 0; a < 3; ++a) {
            if (c[a] < b.lo[a]) b.lo[a] = c[a]; // NaN compares false and is left out
            if (c[a] > b.hi[a]) b.hi[a] = c[a];
        }
    }
    return b;
}

// The polygon indices in the order of their centres' Morton codes (10 bits an axis over
// the centres' bounds), ties in index order: polygons near one another in space come near
// one another in the order. A radix sort, so the cost grows linearly.
std::vector<int> mortonOrder(const MeshGeometry& mesh, bool parallel) {
    const int n = mesh.numPolygons(), half = n / 2;
    Bounds bounds, upper;
    onTwoThreads(
        parallel, [&] { upper = centreBounds(mesh, half, n); },
        [&] { bounds = centreBounds(mesh, 0, half); });
    bounds.add(upper);
    double scale[3];
    for (int a = 0; a < 3; ++a) {
        const double extent = double(bounds.hi[a]) - double(bounds.lo[a]);
        scale[a] = extent > 0.0 ? 1024.0 / extent : 0.0;
    }
    // The code above the index, so that a sort moves both together, front to back.
    std::vector<std::uint64_t> items(n);
    auto code = [&](int first, int last) {
        for (int i = first; i < last; ++i) {
            std::uint32_t bits = 0;
            float c[3];
            centre(mesh, i, c);
            for (int a = 0; a < 3; ++a) {
                double cell = (c[a] - bounds.lo[a]) * scale[a];
                cell = cell >= 0.0 ? std::min(cell, 1023.0) : 0.0;
                bits |= spreadBits(static_cast<std::uint32_t>(cell)) << a;
            }
            items[i] = (std::uint64_t(bits) << 32) | static_cast<std::uint32_t>(i);
        }
    };
    onTwoThreads(parallel, [&] { code(half, n); }, [&] { code(0, half); });
    // Three passes of 10 bits sort the 30-bit codes.
    {
        std::vector<std::uint64_t> next(n);
        for (int shift = 32; shift < 62; shift += 10) {
            std::vector<size_t> counts(1025, 0);
            for (std::uint64_t item : items)
                ++counts[((item >> shift) & 0x3ff) + 1];
            for (int d = 0; d < 1024; ++d)
                counts[d + 1] += counts[d];
            for (std::uint64_t item : items)
                next[counts[(item >> shift) & 0x3ff]++] = item;
            items.swap(next);
        }
    }
    std::vector<int> order(n);
    for (int i = 0; i < n; ++i)
        order[i] = static_cast<int>(items[i] & 0xffffffffu);
    return order;
}

// Nodes that halving `count` triangles down to leaves makes.
size_t nodeCount(int count) {
    if (count <= kLeafSize) return 1;
    return 1 + nodeCount(count / 2) + nodeCount(count - count / 2);
}
} // namespace

MeshBvh::MeshBvh(const MeshGeometry& mesh) {
    const int n = mesh.numPolygons();
    if (n == 0) return;
    const bool parallel = mesh.numTriangles() >= kWorthTwoThreads;
    order_ = mortonOrder(mesh, parallel);
    nodes_.reserve(nodeCount(n));
    build(0, n);
    parent_.assign(nodes_.size(), -1);
    leafOf_.resize(n);
    for (int i = 0; i < static_cast<int>(nodes_.size()); ++i) {
        const Node& node = nodes_[i];
        if (node.count > 0) {
            for (int k = node.link; k < node.link + node.count; ++k)
                leafOf_[order_[k]] = i;
        } else {
            parent_[i + 1] = i;
            parent_[node.link] = i;
        }
    }
    refit(mesh);
}

size_t MeshBvh::storageBytes() const {
    return nodes_.capacity() * sizeof(Node) +
           (order_.capacity() + parent_.capacity() + leafOf_.capacity()) * sizeof(int) +
           marked_.capacity();
}

// Halves of the spatial order, down to leaves of a few triangles.
int MeshBvh::build(int first, int count) {
    const int index = static_cast<int>(nodes_.size());
    nodes_.push_back(Node{});
    if (count <= kLeafSize) {
        nodes_[index].link = first;
        nodes_[index].count = count;
        return index;
    }
    const int half = count / 2;
    build(first, half);
    const int right = build(first + half, count - half);
    nodes_[index].link = right;
    return index;
}

void MeshBvh::refit(const MeshGeometry& mesh) {
    const int last = static_cast<int>(nodes_.size());
    if (mesh.numTriangles() < kWorthTwoThreads || nodes_.empty() || nodes_[0].count > 0) {
        refitRange(mesh, 0, last);
        return;
    }
    // The root's two subtrees are disjoint runs of nodes: one thread each, then the root.
    const int right = nodes_[0].link;
    onTwoThreads(
        true, [&] { refitRange(mesh, right, last); }, [&] { refitRange(mesh, 1, right); });
    fitInner(nodes_[0], nodes_[1], nodes_[right]);
}

void MeshBvh::refitRange(const MeshGeometry& mesh, int first, int last) {
    // Children come after their parent, so a backward sweep sees them first.
    for (int i = last - 1; i >= first; --i) {
        Node& node = nodes_[i];
        if (node.count > 0)
            fitLeaf(mesh, node);
        else
            fitInner(node, nodes_[i + 1], nodes_[node.link]);
    }
}

void MeshBvh::refitFaces(const MeshGeometry& mesh, const std::vector<int>& faces) {
    marked_.resize(nodes_.size(), 0);
    std::vector<int> dirty;
    for (int f : faces) {
        const int leaf = leafOf_[f];
        if (marked_[leaf]) continue;
        marked_[leaf] = 1;
        dirty.push_back(leaf);
    }
    for (int leaf : dirty)
        fitLeaf(mesh, nodes_[leaf]);
    // The ancestors, each once (a walk up stops where another walk went), then children
    // before parents: they come after them.
    std::vector<int> above;
    for (int leaf : dirty)
        for (int p = parent_[leaf]; p >= 0 && !marked_[p]; p = parent_[p]) {
            marked_[p] = 1;
            above.push_back(p);
        }
    std::sort(above.begin(), above.end(), [](int a, int b) { return a > b; });
    for (int i : above) {
        fitInner(nodes_[i], nodes_[i + 1], nodes_[nodes_[i].link]);
        marked_[i] = 0;
    }
    for (int leaf : dirty)
        marked_[leaf] = 0;
}

void MeshBvh::fitLeaf(const MeshGeometry& mesh, Node& node) const {
    for (int a = 0; a < 3; ++a) {
        node.lo[a] = std::numeric_limits<float>::max();
        node.hi[a] = -std::numeric_limits<float>::max();
    }
    node.span = 0.0f;
    const float* xyz = mesh.points().data();
    const int* counts = mesh.counts().data();
    const int* connects = mesh.connects().data();
    for (int i = node.link; i < node.link + node.count; ++i) {
        const int f = order_[i];
        const int corners = counts[f];
        if (corners < 3) continue; // no triangle
        // The polygon's corners are its fan triangles' corners: one walk of them fits the
        // box, and the polygon's extent bounds every one of its triangles' extents.
        // From the extremes inwards, so that a NaN corner is left out.
        float lo[3] = {std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                       std::numeric_limits<float>::max()};
        float hi[3] = {-lo[0], -lo[1], -lo[2]};
        const int* ids = connects + mesh.polygonStart(f);
        for (int k = 0; k < corners; ++k) {
            const float* p = xyz + 3 * static_cast<size_t>(ids[k]);
            for (int a = 0; a < 3; ++a) {
                lo[a] = std::min(lo[a], p[a]);
                hi[a] = std::max(hi[a], p[a]);
            }
        }
        for (int a = 0; a < 3; ++a) {
            node.lo[a] = std::min(node.lo[a], lo[a]);
            node.hi[a] = std::max(node.hi[a], hi[a]);
            node.span = std::max(node.span, hi[a] - lo[a]);
        }
    }
    node.slack = boxSlack(node.lo, node.hi);
}

void MeshBvh::fitInner(Node& node, const Node& left, const Node& right) const {
    for (int a = 0; a < 3; ++a) {
        node.lo[a] = std::min(left.lo[a], right.lo[a]);
        node.hi[a] = std::max(left.hi[a], right.hi[a]);
    }
    node.span = std::max(left.span, right.span);
    node.slack = boxSlack(node.lo, node.hi);
}

struct MeshBvh::Slabs {
    explicit Slabs(const RayQuery& query)
        : source{query.source.x, query.source.y, query.source.z},
          tolerance(3.0 * std::max(query.tolerance, 0.0)), tmin(query.lowestParam()),
          tmax(query.maxParam) {
        for (int a = 0; a < 3; ++a) {
            const double d = query.direction[a];
            flat[a] = d == 0.0;
            inverse[a] = flat[a] ? 0.0 : 1.0 / d;
        }
    }
    double source[3];
    double inverse[3];
    bool flat[3];     // the ray runs parallel to this axis's slabs
    double tolerance; // 3 * tolerance: a hit may lie that many triangle extents outside
    double tmin, tmax;
};

bool MeshBvh::enterBox(const Node& node, const Slabs& ray, double& nearest) const {
    // Tolerance lets a hit lie outside its triangle by up to 3 * tolerance times the
    // triangle's extent on each axis, so the box grows by that much.
    const double pad = ray.tolerance * node.span + node.slack;
    double tmin = ray.tmin, tmax = ray.tmax;
    for (int a = 0; a < 3; ++a) {
        const double lo = node.lo[a] - pad, hi = node.hi[a] + pad;
        const double s = ray.source[a];
        if (ray.flat[a]) {
            if (s < lo || s > hi) return false;
            continue;
        }
        double t0 = (lo - s) * ray.inverse[a], t1 = (hi - s) * ray.inverse[a];
        if (t0 > t1) std::swap(t0, t1);
        tmin = std::max(tmin, t0);
        tmax = std::min(tmax, t1);
        if (tmin > tmax) return false;
    }
    nearest = tmin > 0.0 ? tmin : (tmax < 0.0 ? -tmax : 0.0);
    return true;
}

double MeshBvh::boxDistanceSquared(const Node& node, const Vec3& p) const {
    const double pad = node.slack;
    double sum = 0.0;
    for (int a = 0; a < 3; ++a) {
        const double below = (node.lo[a] - pad) - p[a], above = p[a] - (node.hi[a] + pad);
        const double gap = std::max({below, above, 0.0});
        sum += gap * gap;
    }
    return sum;
}

template <typename Bound, typename Leaf, typename Beaten>
void MeshBvh::visit(Bound bound, Leaf leaf, Beaten beaten) const {
    if (nodes_.empty()) return;
    StackEntry stack[kStackDepth];
    int top = 0;
    double rootBound;
    if (!bound(nodes_[0], rootBound)) return;
    stack[top++] = {0, rootBound};
    while (top > 0) {
        const StackEntry entry = stack[--top];
        if (beaten(entry.bound)) continue;
        const Node& node = nodes_[entry.node];
        if (node.count > 0) {
            for (int i = node.link; i < node.link + node.count; ++i)
                leaf(order_[i]);
            continue;
        }
        StackEntry near{entry.node + 1, 0.0}, far{node.link, 0.0};
        const bool hasNear = bound(nodes_[near.node], near.bound);
        const bool hasFar = bound(nodes_[far.node], far.bound);
        if (hasNear && hasFar && far.bound < near.bound) std::swap(near, far);
        // Push the farther first so the nearer is popped next.
        if (hasNear && hasFar) {
            stack[top++] = far;
            stack[top++] = near;
        } else if (hasNear || hasFar) {
            stack[top++] = hasNear ? near : far;
        }
    }
}

bool MeshBvh::castRay(const MeshGeometry& mesh, const RayQuery& query, RayHit& hit) const {
    const float* xyz = mesh.points().data();
    bool found = false;
    const Slabs ray(query);
    visit([&](const Node& node, double& bound) { return enterBox(node, ray, bound); },
          [&](int f) {
              for (int k = 0; k + 2 < mesh.polygonSize(f); ++k)
                  considerTriangle(xyz, mesh.triangle(f, k), query, hit, found);
          },
          [&](double bound) { return found && bound > std::fabs(hit.param); });
    return found;
}

bool MeshBvh::nearestPoint(const MeshGeometry& mesh, const Vec3& query,
                           SurfacePoint& nearest) const {
    const float* xyz = mesh.points().data();
    bool found = false;
    visit(
        [&](const Node& node, double& bound) {
            bound = boxDistanceSquared(node, query);
            return true;
        },
        [&](int f) {
            for (int k = 0; k + 2 < mesh.polygonSize(f); ++k)
                considerTriangleForPoint(xyz, mesh.triangle(f, k), query, nearest, found);
        },
        [&](double bound) { return found && bound > nearest.distanceSquared; });
    return found;
}

} // namespace rvhost
