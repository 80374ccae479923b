#pragma once
#include "mesh/TriangleTests.h"

#include <cstdint>
#include <vector>

namespace rvhost {

// Bounding volume hierarchy over a mesh's triangles, made by halving their centroids'
// Morton order (a build in linear time, shared between two threads on big meshes). Queries
// test candidate triangles with the same functions as the plain loops (TriangleTests.h) and
// prune only boxes that provably hold no better candidate, so their answers equal the
// every-triangle answers. Points move without a rebuild: refit() grows or shrinks the boxes
// over the same tree. The hierarchy keeps triangle indices only; every call takes the
// triangle list it was built from (the mesh's fixed triangulation).
class MeshBvh {
public:
    MeshBvh(const float* xyz, const std::vector<TriangleRef>& triangles);

    void refit(const float* xyz, const std::vector<TriangleRef>& triangles);
    // Refits only the leaves that hold the given triangles (indices into the list the
    // hierarchy was built from) and their ancestors: when only those triangles moved, the
    // boxes come out as a whole refit makes them.
    void refitTriangles(const float* xyz, const std::vector<TriangleRef>& triangles,
                        const std::vector<int>& moved);

    bool castRay(const float* xyz, const std::vector<TriangleRef>& triangles,
                 const RayQuery& query, RayHit& hit) const;
    bool nearestPoint(const float* xyz, const std::vector<TriangleRef>& triangles,
                      const Vec3& query, SurfacePoint& nearest) const;

    // Bytes held, for the memory figures.
    size_t storageBytes() const;

private:
    // Leaves hold `count` > 0 triangles of the leaf order from `link`; inner nodes have
    // count 0, their left child right after them and the right child at `link`.
    struct Node {
        float lo[3];
        float hi[3];
        float span;  // largest box extent of any one triangle below: how far tolerance widens
        float slack; // widening against rounding, from the size of the coordinates
        int32_t link;
        int32_t count;
    };

    int build(int first, int count);
    // Refits the nodes [first, last) (a whole subtree: children after their parent).
    void refitRange(const float* xyz, const std::vector<TriangleRef>& triangles, int first,
                    int last);
    void fitLeaf(const float* xyz, const std::vector<TriangleRef>& triangles, Node& node) const;
    void fitInner(Node& node, const Node& left, const Node& right) const;
    struct Slabs; // a ray prepared for box tests
    bool enterBox(const Node& node, const Slabs& ray, double& nearest) const;
    double boxDistanceSquared(const Node& node, const Vec3& p) const;
    // Visits the tree nearest box first. bound(node, b) says whether a node can hold a
    // candidate and gives the least value it could offer; beaten(b) skips nodes whose bound
    // exceeds the best found so far (equal bounds are visited: they may hold a tie that
    // wins on face order); leaf(i) tests triangle i of the list.
    template <typename Bound, typename Leaf, typename Beaten>
    void visit(Bound bound, Leaf leaf, Beaten beaten) const;

    std::vector<Node> nodes_;
    std::vector<int> order_;           // triangle indices in leaf order
    std::vector<int> parent_;          // of each node; -1 at the root
    std::vector<int> leafOf_;          // of each triangle of the list built from
    std::vector<std::uint8_t> marked_; // nodes a partial refit has met; zero between
};

} // namespace rvhost
