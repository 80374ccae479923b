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
                           const std::vector<int>& connects) {
    buildEdges(numVertices, counts, connects);
    buildAdjacency(numVertices, counts, connects);
}

void MeshTopology::buildEdges(int numVertices, const std::vector<int>& counts,
                              const std::vector<int>& connects) {
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

    faceVertexEdges_.assign(numFaceVertices, -1);
    for (int fv = 0; fv < numFaceVertices; ++fv) {
        if (owner[fv] == fv) {
            faceVertexEdges_[fv] = static_cast<int>(edges_.size());
            edges_.emplace_back(connects[fv], connects[nextOf[fv]]);
        }
    }
    for (int fv = 0; fv < numFaceVertices; ++fv)
        faceVertexEdges_[fv] = faceVertexEdges_[owner[fv]];
}

void MeshTopology::buildAdjacency(int numVertices, const std::vector<int>& counts,
                                  const std::vector<int>& connects) {
    const int numEdges = static_cast<int>(edges_.size());
    // Both lists walk the edges in order, so a vertex's neighbours line up with its edges.
    auto eachEdgeEnd = [&](auto add) {
        for (int e = 0; e < numEdges; ++e) {
            add(edges_[e].first, e, edges_[e].second);
            add(edges_[e].second, e, edges_[e].first);
        }
    };
    fillLists(
        numVertices, [&](auto add) { eachEdgeEnd([&](int v, int e, int) { add(v, e); }); },
        vertexEdges_.offsets, vertexEdges_.items);
    fillLists(
        numVertices, [&](auto add) { eachEdgeEnd([&](int v, int, int other) { add(v, other); }); },
        neighbours_.offsets, neighbours_.items);

    fillLists(
        numVertices,
        [&](auto add) { forEachCorner(counts, [&](int f, int fv, int) { add(connects[fv], f); }); },
        vertexFaces_.offsets, vertexFaces_.items);
    fillLists(
        numEdges,
        [&](auto add) {
            forEachCorner(counts, [&](int f, int fv, int) { add(faceVertexEdges_[fv], f); });
        },
        edgeFaces_.offsets, edgeFaces_.items);
}

bool MeshTopology::vertexOnBoundary(int v) const {
    for (int e : vertexEdges(v))
        if (edgeOnBoundary(e)) return true;
    return false;
}

} // namespace rvhost
