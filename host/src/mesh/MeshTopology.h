#pragma once
#include <utility>
#include <vector>

namespace rvhost {

// Edges and adjacency of a polygon mesh, derived from its polygon counts and vertex lists.
// Edge ids follow the first appearance of each edge when the polygons are walked in order,
// each polygon's edges from (v0, v1) round to (vn-1, v0); an edge keeps the direction of
// its first appearance. Adjacency lists are in ascending id order.
class MeshTopology {
public:
    MeshTopology(int numVertices, const std::vector<int>& counts, const std::vector<int>& connects);

    int numEdges() const { return static_cast<int>(edges_.size()); }
    const std::pair<int, int>& edge(int e) const { return edges_[e]; }
    // The edge from face-vertex fv to the next vertex of its polygon.
    int faceVertexEdge(int fv) const { return faceVertexEdges_[fv]; }

    // Ranges of one vertex's or edge's adjacency, as [begin, end) pointers.
    struct Range {
        const int* first;
        const int* last;
        const int* begin() const { return first; }
        const int* end() const { return last; }
        int size() const { return static_cast<int>(last - first); }
    };
    Range vertexEdges(int v) const { return range(vertexEdges_, v); }
    Range vertexFaces(int v) const { return range(vertexFaces_, v); }
    Range edgeFaces(int e) const { return range(edgeFaces_, e); }
    // Vertices that share an edge with v, in the order of v's edges.
    Range neighbours(int v) const { return range(neighbours_, v); }

    bool edgeOnBoundary(int e) const { return edgeFaces(e).size() < 2; }
    bool vertexOnBoundary(int v) const;

private:
    // Compressed lists: offsets has one more entry than there are lists.
    struct Lists {
        std::vector<int> offsets;
        std::vector<int> items;
    };
    static Range range(const Lists& lists, int i) {
        const int* base = lists.items.data();
        return {base + lists.offsets[i], base + lists.offsets[i + 1]};
    }
    void buildEdges(int numVertices, const std::vector<int>& counts,
                    const std::vector<int>& connects);
    void buildAdjacency(int numVertices, const std::vector<int>& counts,
                        const std::vector<int>& connects);

    std::vector<std::pair<int, int>> edges_;
    std::vector<int> faceVertexEdges_;
    Lists vertexEdges_, vertexFaces_, edgeFaces_, neighbours_;
};

} // namespace rvhost
