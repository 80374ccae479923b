#pragma once
#include <utility>
#include <vector>

namespace rvhost {

// Edges and adjacency of a polygon mesh, derived from its polygon counts and vertex lists.
// Edge ids follow the first appearance of each edge when the polygons are walked in order,
// each polygon's edges from (v0, v1) round to (vn-1, v0); an edge keeps the direction of
// its first appearance. Adjacency lists are in ascending id order.
// Each part is built when first asked for: the faces about a vertex, its neighbours, and
// the edges with what hangs on them (most callers want one or two of these, and on a big
// mesh each is tens of megabytes). The lists refer to the polygon lists they were made
// from, which must outlive them unchanged.
class MeshTopology {
public:
    // `starts` holds each polygon's first face-vertex.
    MeshTopology(int numVertices, const std::vector<int>& counts, const std::vector<int>& connects,
                 const std::vector<int>& starts);

    int numEdges() const { return static_cast<int>(edges().pairs.size()); }
    const std::pair<int, int>& edge(int e) const { return edges().pairs[e]; }
    // The edge from face-vertex fv to the next vertex of its polygon.
    int faceVertexEdge(int fv) const { return edges().faceVertexEdges[fv]; }

    // Ranges of one vertex's or edge's adjacency, as [begin, end) pointers.
    struct Range {
        const int* first;
        const int* last;
        const int* begin() const { return first; }
        const int* end() const { return last; }
        int size() const { return static_cast<int>(last - first); }
    };
    Range vertexEdges(int v) const { return range(edges().vertexEdges, v); }
    Range vertexFaces(int v) const { return range(vertexFaceLists(), v); }
    // Builds the faces about every vertex now (before threads read them).
    void makeVertexFaces() const { vertexFaceLists(); }
    Range edgeFaces(int e) const { return range(edges().edgeFaces, e); }
    // Vertices that share an edge with v, in the order of v's edges.
    Range neighbours(int v) const { return range(neighbourLists(), v); }
    // The same one vertex at a time, without keeping a list for every vertex: add(u) gets
    // each neighbour once, in order; seen(u) says whether u was added already (the caller
    // keeps what it added). Works from the faces about v: v's edges in id order are its
    // polygon sides in walk order, each edge at its first side, and v's sides are the two at
    // each of its corners (the side into v first, except at a polygon's first corner, whose
    // side in closes the polygon).
    template <typename Seen, typename Add> void neighboursOf(int v, Seen seen, Add add) const {
        const Lists& faces = vertexFaceLists();
        for (int k = faces.offsets[v]; k < faces.offsets[v + 1]; ++k) {
            const int f = faces.items[k], n = counts_[f];
            const int* corner = connects_.data() + starts_[f];
            int i = 0;
            while (corner[i] != v)
                ++i;
            const int before = corner[i == 0 ? n - 1 : i - 1];
            const int after = corner[i + 1 == n ? 0 : i + 1];
            const int sides[2] = {i == 0 ? after : before, i == 0 ? before : after};
            for (int u : sides)
                if (!seen(u)) add(u);
        }
    }

    bool edgeOnBoundary(int e) const { return edgeFaces(e).size() < 2; }
    bool vertexOnBoundary(int v) const;


private:
    // Compressed lists: offsets has one more entry than there are lists.
    struct Lists {
        std::vector<int> offsets;
        std::vector<int> items;
    };
    struct Edges {
        std::vector<std::pair<int, int>> pairs;
        std::vector<int> faceVertexEdges;
        Lists vertexEdges, edgeFaces;
    };
    static Range range(const Lists& lists, int i) {
        const int* base = lists.items.data();
        return {base + lists.offsets[i], base + lists.offsets[i + 1]};
    }
    const Edges& edges() const;
    const Lists& vertexFaceLists() const;
    const Lists& neighbourLists() const;
    void buildEdges() const;
    void buildNeighbours() const;

    int numVertices_;
    const std::vector<int>& counts_;
    const std::vector<int>& connects_;
    const std::vector<int>& starts_;
    mutable bool edgesBuilt_ = false;
    mutable Edges edges_;
    mutable Lists vertexFaces_, neighbours_;
};

} // namespace rvhost
