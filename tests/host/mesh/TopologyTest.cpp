// Edge numbering, adjacency and the rules of what a mesh may hold.
#include "mesh/MeshGenerators.h"
#include "mesh/MeshGeometry.h"

#include <gtest/gtest.h>

#include <vector>

using namespace rvhost;

namespace {

std::vector<int> list(const MeshTopology::Range& range) {
    return {range.begin(), range.end()};
}

// Two quads side by side and a triangle (face 2) on top of the right one:
//       6
//       | `.
//   3---4---5
//   | 0 | 1 |
//   0---1---2
MeshGeometry strip() {
    MeshGeometry mesh;
    std::vector<float> xyz = {0, 0, 0, 1, 0, 0, 2, 0, 0, 0, 1, 0, 1, 1, 0, 2, 1, 0, 1, 2, 0};
    EXPECT_EQ(mesh.setMesh(xyz, {4, 4, 3}, {0, 1, 4, 3, 1, 2, 5, 4, 4, 5, 6}), "");
    return mesh;
}

} // namespace

TEST(Topology, EdgesAreNumberedByFirstAppearance) {
    const MeshGeometry mesh = strip();
    const MeshTopology& t = mesh.topology();
    ASSERT_EQ(t.numEdges(), 9);
    const std::vector<std::pair<int, int>> expected = {{0, 1}, {1, 4}, {4, 3}, {3, 0}, {1, 2},
                                                       {2, 5}, {5, 4}, {5, 6}, {6, 4}};
    for (int e = 0; e < t.numEdges(); ++e)
        EXPECT_EQ(t.edge(e), expected[e]) << e;
    // The second quad walks 4 -> 1 and 5 -> 4 again: those sides reuse edges 1 and 6.
    EXPECT_EQ(t.faceVertexEdge(7), 1);
    EXPECT_EQ(t.faceVertexEdge(8), 6);
    EXPECT_EQ(list(t.edgeFaces(1)), (std::vector<int>{0, 1}));
    EXPECT_EQ(list(t.edgeFaces(6)), (std::vector<int>{1, 2}));
    EXPECT_TRUE(t.edgeOnBoundary(0));
    EXPECT_FALSE(t.edgeOnBoundary(6));
}

TEST(Topology, AdjacencyListsLineUp) {
    const MeshGeometry mesh = strip();
    const MeshTopology& t = mesh.topology();
    EXPECT_EQ(list(t.vertexEdges(4)), (std::vector<int>{1, 2, 6, 8}));
    EXPECT_EQ(list(t.neighbours(4)), (std::vector<int>{1, 3, 5, 6}));
    EXPECT_EQ(list(t.vertexFaces(4)), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(list(t.vertexFaces(6)), (std::vector<int>{2}));
    for (int v = 0; v < mesh.numVertices(); ++v) {
        // Neighbour k is the far end of edge k of the vertex.
        const std::vector<int> edges = list(t.vertexEdges(v)), near = list(t.neighbours(v));
        ASSERT_EQ(edges.size(), near.size());
        for (size_t k = 0; k < edges.size(); ++k) {
            const auto& e = t.edge(edges[k]);
            EXPECT_EQ(e.first == v ? e.second : e.first, near[k]);
        }
    }
    EXPECT_TRUE(t.vertexOnBoundary(4)); // edges 1-4 and 5-4 are inner, 4-3 and 6-4 are not
}

TEST(Topology, BadPolygonsAreRefusedAndChangeNothing) {
    MeshGeometry mesh = strip();
    const std::vector<float> xyz(12, 0.0f);
    EXPECT_NE(mesh.setMesh(xyz, {2}, {0, 1}), "");                    // too few corners
    EXPECT_NE(mesh.setMesh(xyz, {3}, {0, 1, 4}), "");                 // no vertex 4
    EXPECT_NE(mesh.setMesh(xyz, {4}, {0, 1, 2, 1}), "");              // a vertex twice
    EXPECT_NE(mesh.setMesh(xyz, {3, 3}, {0, 1, 2}), "");              // counts beyond the list
    EXPECT_NE(mesh.setMesh({0, 0}, {}, {}), "");                      // points not in threes
    EXPECT_NE(mesh.setUVs({0, 1}, {0}, std::vector<int>(11, 0)), ""); // u and v differ
    EXPECT_NE(mesh.setUVs({0}, {0}, std::vector<int>(11, 1)), "");    // id out of range
    EXPECT_EQ(mesh.numPolygons(), 3);
    EXPECT_EQ(mesh.numEdges(), 9);
    EXPECT_FALSE(mesh.hasUVs());
}

TEST(Topology, DerivedDataFollowsEdits) {
    MeshGeometry mesh = makePlane(2.0, 2.0, 2, 2);
    EXPECT_EQ(mesh.numEdges(), 12);
    // Points move: normals follow, topology stays.
    mesh.setPoint(4, {0.0, 1.0, 0.0});
    EXPECT_LT(mesh.vertexNormal(0).y, 0.99);
    EXPECT_NEAR(mesh.vertexNormal(4).y, 1.0, 1e-6); // symmetric tent: straight up
    // Copies own their data.
    MeshGeometry copy = mesh;
    mesh.setPoint(4, {0.0, 0.0, 0.0});
    EXPECT_EQ(copy.point(4).y, 1.0);
    EXPECT_LT(copy.vertexNormal(0).y, 0.99);
    EXPECT_NEAR(mesh.vertexNormal(0).y, 1.0, 1e-6);
    // A new mesh drops UVs, locked normals and the old edges.
    ASSERT_TRUE(copy.setVertexNormals(std::vector<float>(27, 0.0f)));
    const MeshGeometry cube = makeCube(1, 1, 1, 1, 1, 1);
    ASSERT_EQ(copy.setMesh(cube.points(), cube.counts(), cube.connects()), "");
    EXPECT_FALSE(copy.normalsLocked());
    EXPECT_FALSE(copy.hasUVs());
    EXPECT_EQ(copy.numEdges(), 12);
    EXPECT_GT(length(copy.vertexNormal(0)), 0.99);
}
