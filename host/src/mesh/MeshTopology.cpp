#include "mesh/MeshTopology.h"

#include <algorithm>

namespace rvhost {

namespace {

// Fills compressed lists from (list, item) pairs given by `each`, which is called twice:
// once to count, once to place. Items keep the order in which `each` yields them.
template <typename Each>
void fillLists(int numLists, Each each, std::vector<int>& offsets, std::vector<int>& items) {
    offsets.assign(numLists + 1, 0);
    each([&](int list, int) { ++offsets[list + 1]; });
    for (int i = 0; i < numLists; ++i)
        offsets[i + 1] += offsets[i];
    items.resize(offsets[numLists]);
    std::vector<int> cursor(offsets.begin(), offsets.end() - 1);
    each([&](int list, int item) { items[cursor[list]++] = item; });
}

// Calls fn(face, fv, nextFv) for every face-vertex and the one after it round its polygon.
template <typename Fn> void forEachCorner(const std::vector<int>& counts, Fn fn) {
    int start = 0;
    for (int f = 0; f < static_cast<int>(counts.size()); ++f) {
        for (int i = 0; i < counts[f]; ++i)
            fn(f, start + i, start + (i + 1) % counts[f]);
        start += counts[f];
    }
}

} // namespace

MeshTopology::MeshTopology(int numVertices, const std::vector<int>& counts,
                           const std::vector<int>& connects, const std::vector<int>& starts)
    : numVertices_(numVertices), counts_(counts), connects_(connects), starts_(starts) {}

const MeshTopology::Edges& MeshTopology::edges() const {
    if (!edgesBuilt_) {
        buildEdges();
        edgesBuilt_ = true;
    }
    return edges_;
}

const MeshTopology::Lists& MeshTopology::vertexFaceLists() const {
    if (vertexFaces_.offsets.empty()) {
        // A vertex appears once in a polygon, so each list holds its faces once, ascending.
        fillLists(
            numVertices_,
            [&](auto add) {
                forEachCorner(counts_, [&](int f, int fv, int) { add(connects_[fv], f); });
            },
            vertexFaces_.offsets, vertexFaces_.items);
    }
    return vertexFaces_;
}

const MeshTopology::Lists& MeshTopology::neighbourLists() const {
    if (neighbours_.offsets.empty()) buildNeighbours();
    return neighbours_;
}

void MeshTopology::buildEdges() const {
    const std::vector<int>& counts = counts_;
    const std::vector<int>& connects = connects_;
    const int numVertices = numVertices_;
    // Group every polygon side under its lower vertex, then find duplicates within a group;
    // this keeps the work linear where a hash map of pairs would dominate on big meshes.
    Lists byLow;
    fillLists(
        numVertices,
        [&](auto add) {
            forEachCorner(counts, [&](int, int fv, int next) {
                add(std::min(connects[fv], connects[next]), fv);
            });
        },
        byLow.offsets, byLow.items);
    const int numFaceVertices = static_cast<int>(connects.size());
    std::vector<int> nextOf(numFaceVertices);
    forEachCorner(counts, [&](int, int fv, int next) { nextOf[fv] = next; });
    auto high = [&](int fv) { return std::max(connects[fv], connects[nextOf[fv]]); };

    std::vector<int> owner(numFaceVertices);
    for (int v = 0; v < numVertices; ++v) {
        int* first = byLow.items.data() + byLow.offsets[v];
        int* last = byLow.items.data() + byLow.offsets[v + 1];
        std::sort(first, last,
                  [&](int a, int b) { return high(a) != high(b) ? high(a) < high(b) : a < b; });
        for (int* group = first; group != last;) {
            int* end = group;
            while (end != last && high(*end) == high(*group))
                owner[*end++] = *group;
            group = end;
        }
    }
    byLow = Lists();

    std::vector<int>& faceVertexEdges = edges_.faceVertexEdges;
    auto& pairs = edges_.pairs;
    faceVertexEdges.assign(numFaceVertices, -1);
    for (int fv = 0; fv < numFaceVertices; ++fv) {
        if (owner[fv] == fv) {
            faceVertexEdges[fv] = static_cast<int>(pairs.size());
            pairs.emplace_back(connects[fv], connects[nextOf[fv]]);
        }
    }
    pairs.shrink_to_fit();
    for (int fv = 0; fv < numFaceVertices; ++fv)
        faceVertexEdges[fv] = faceVertexEdges[owner[fv]];

    const int numEdges = static_cast<int>(pairs.size());
    fillLists(
        numVertices,
        [&](auto add) {
            for (int e = 0; e < numEdges; ++e) {
                add(pairs[e].first, e);
                add(pairs[e].second, e);
            }
        },
        edges_.vertexEdges.offsets, edges_.vertexEdges.items);
    fillLists(
        numEdges,
        [&](auto add) {
            forEachCorner(counts, [&](int f, int fv, int) { add(faceVertexEdges[fv], f); });
        },
        edges_.edgeFaces.offsets, edges_.edgeFaces.items);
}

void MeshTopology::buildNeighbours() const {
    const Lists& faces = vertexFaceLists();
    neighbours_.offsets.assign(static_cast<size_t>(numVertices_) + 1, 0);
    // A manifold mesh has at most one neighbour more than faces about each vertex.
    neighbours_.items.reserve(faces.items.size() + static_cast<size_t>(numVertices_));
    std::vector<int> seenBy(static_cast<size_t>(numVertices_), -1); // u is a neighbour of v
    for (int v = 0; v < numVertices_; ++v) {
        neighboursOf(
            v, [&](int u) { return seenBy[u] == v; },
            [&](int u) {
                seenBy[u] = v;
                neighbours_.items.push_back(u);
            });
        neighbours_.offsets[v + 1] = static_cast<int>(neighbours_.items.size());
    }
    neighbours_.items.shrink_to_fit();
}

bool MeshTopology::vertexOnBoundary(int v) const {
    for (int e : vertexEdges(v))
        if (edgeOnBoundary(e)) return true;
    return false;
}

} // namespace rvhost
