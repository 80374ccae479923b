#pragma once
#include "mesh/TriangleTests.h"

#include <cstdint>
#include <vector>

namespace rvhost {

class MeshGeometry;

// Bounding volume hierarchy over a mesh's polygons (each leaf tests the fan triangles of a
// few polygons), made by halving their centres' Morton order: a build in linear time,
// shared between two threads on big meshes. Queries test candidate triangles with the same
// functions as the plain loops (TriangleTests.h) and prune only boxes that provably hold no
// better candidate, so their answers equal the every-triangle answers. Points move without a
// rebuild: refit() grows or shrinks the boxes over the same tree. The hierarchy keeps
// polygon indices only; every call takes the mesh it was built from (same polygons).
class MeshBvh {
public:
    explicit MeshBvh(const MeshGeometry& mesh);

    void refit(const MeshGeometry& mesh);
    // Refits only the leaves that hold the given polygons and their ancestors: when only
    // those polygons moved, the boxes come out as a whole refit makes them.
    void refitFaces(const MeshGeometry& mesh, const std::vector<int>& faces);

    bool castRay(const MeshGeometry& mesh, const RayQuery& query, RayHit& hit) const;
    bool nearestPoint(const MeshGeometry& mesh, const Vec3& query, SurfacePoint& nearest) const;

    // Bytes held, for the memory figures.
    size_t storageBytes() const;

private:
    // Leaves hold `count` > 0 polygons of the leaf order from `link`; inner nodes have
    // count 0, their left child right after them and the right child at `link`.
    struct Node {
        float lo[3];
        float hi[3];
        float span;  // largest box extent of any one polygon below: how far tolerance widens
        float slack; // widening against rounding, from the size of the coordinates
        int32_t link;
        int32_t count;
    };

    int build(int first, int count);
    // Refits the nodes [first, last) (a whole subtree: children after their parent).
    void refitRange(const MeshGeometry& mesh, int first, int last);
    void fitLeaf(const MeshGeometry& mesh, Node& node) const;
    void fitInner(Node& node, const Node& left, const Node& right) const;
    struct Slabs; // a ray prepared for box tests
    bool enterBox(const Node& node, const Slabs& ray, double& nearest) const;
    double boxDistanceSquared(const Node& node, const Vec3& p) const;
    // Visits the tree nearest box first. bound(node, b) says whether a node can hold a
    // candidate and gives the least value it could offer; beaten(b) skips nodes whose bound
    // exceeds the best found so far (equal bounds are visited: they may hold a tie that
    // wins on face order); leaf(f) tests the triangles of polygon f.
    template <typename Bound, typename Leaf, typename Beaten>
    void visit(Bound bound, Leaf leaf, Beaten beaten) const;

    std::vector<Node> nodes_;
    std::vector<int> order_;           // polygon indices in leaf order
    std::vector<int> parent_;          // of each node; -1 at the root
    std::vector<int> leafOf_;          // of each polygon
    std::vector<std::uint8_t> marked_; // nodes a partial refit has met; zero between
};

} // namespace rvhost
