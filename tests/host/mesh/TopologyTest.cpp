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

namespace {

// The same polygons under a layout of their own: nothing derived is shared with `from`.
MeshGeometry sameShape(const MeshGeometry& from) {
    MeshGeometry mesh;
    EXPECT_EQ(mesh.setMesh(from.points(), from.counts(), from.connects()), "");
    return mesh;
}

// Triangles, quads and pentagons sharing vertices in a scrambled order, and a vertex no
// polygon uses (8).
MeshGeometry mixedMesh() {
    MeshGeometry mesh;
    std::vector<float> xyz(3 * 10, 0.0f);
    for (int v = 0; v < 10; ++v)
        xyz[3 * v] = float(v);
    EXPECT_EQ(mesh.setMesh(xyz, {3, 4, 5, 3, 4},
                           {5, 0, 3, 3, 0, 1, 9, 9, 1, 2, 4, 7, 7, 4, 6, 2, 6, 4, 1}),
              "");
    return mesh;
}

} // namespace

TEST(Topology, EachPartBuiltAloneMatchesTheEdgeNumbering) {
    // Neighbours and faces about a vertex are built without numbering the edges; they must
    // come out as the edges give them, whichever part is asked for first.
    for (const MeshGeometry& source :
         {mixedMesh(), makeSphere(1.0, 7, 5), makeCube(1, 1, 1, 2, 3, 1), makePlane(1, 1, 3, 2)}) {
        const MeshGeometry byEdges = sameShape(source);
        const MeshGeometry alone = sameShape(source);
        const MeshTopology& edges = byEdges.topology();
        ASSERT_GT(edges.numEdges(), 0);
        const MeshTopology& t = alone.topology();
        for (int v = 0; v < source.numVertices(); ++v) {
            std::vector<int> expected;
            for (int e : edges.vertexEdges(v)) {
                const auto& ends = edges.edge(e);
                expected.push_back(ends.first == v ? ends.second : ends.first);
            }
            EXPECT_EQ(list(t.neighbours(v)), expected) << "vertex " << v;
            // Faces about v by scanning every polygon, ascending.
            std::vector<int> faces;
            for (int f = 0; f < source.numPolygons(); ++f)
                for (int i = 0; i < source.polygonSize(f); ++i)
                    if (source.polygonVertex(f, i) == v) faces.push_back(f);
            EXPECT_EQ(list(t.vertexFaces(v)), faces) << "vertex " << v;
        }
    }
}

TEST(Topology, MixedPolygonsNeighboursByHand) {
    const MeshGeometry mesh = mixedMesh();
    const MeshTopology& t = mesh.topology();
    // Vertex 4's sides in walk order: 2-4 and 4-7 (face 2), 7-4 and 4-6 (face 3), then
    // 6-4 and 4-1 (face 4): 7 and 6 seen again keep their first places.
    EXPECT_EQ(list(t.neighbours(4)), (std::vector<int>{2, 7, 6, 1}));
    EXPECT_EQ(list(t.neighbours(8)), std::vector<int>{});
    EXPECT_EQ(list(t.vertexFaces(4)), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(list(t.vertexFaces(8)), std::vector<int>{});
}

TEST(Topology, TrianglesOfAPolygonAreItsFan) {
    const MeshGeometry mesh = mixedMesh();
    EXPECT_EQ(mesh.numTriangles(), 1 + 2 + 3 + 1 + 2);
    // Pentagon 2 is 9 1 2 4 7: its fan from 9.
    const int fans[3][3] = {{9, 1, 2}, {9, 2, 4}, {9, 4, 7}};
    for (int k = 0; k < 3; ++k) {
        const TriangleRef tri = mesh.triangle(2, k);
        EXPECT_EQ(std::vector<int>(tri.v, tri.v + 3), std::vector<int>(fans[k], fans[k] + 3));
        EXPECT_EQ(tri.face, 2);
        EXPECT_EQ(tri.triangle, k);
    }
    // The whole list, made on first use, holds the same triangles polygon by polygon.
    const std::vector<TriangleRef>& all = mesh.triangles();
    ASSERT_EQ(static_cast<int>(all.size()), mesh.numTriangles());
    for (int f = 0; f < mesh.numPolygons(); ++f)
        for (int k = 0; k + 2 < mesh.polygonSize(f); ++k) {
            const TriangleRef& listed = all[mesh.firstTriangle(f) + k];
            const TriangleRef made = mesh.triangle(f, k);
            EXPECT_EQ(std::vector<int>(listed.v, listed.v + 3), std::vector<int>(made.v, made.v + 3));
            EXPECT_EQ(listed.face, f);
            EXPECT_EQ(listed.triangle, k);
        }
}

TEST(Topology, AMoveTakesEverythingAndLeavesAnEmptyMesh) {
    MeshGeometry source = makePlane(2.0, 2.0, 2, 2);
    ASSERT_TRUE(source.setVertexNormals(std::vector<float>(27, 0.5f)));
    RayHit hit;
    ASSERT_TRUE(source.castRay({{0.1, 1.0, 0.2}, {0.0, -1.0, 0.0}, 10.0, false, 0.0}, hit));
    const int face = hit.face;

    MeshGeometry moved = std::move(source);
    EXPECT_EQ(moved.numVertices(), 9);
    EXPECT_EQ(moved.numPolygons(), 4);
    EXPECT_TRUE(moved.hasUVs());
    EXPECT_EQ(moved.uvId(5), moved.connects()[5]);
    EXPECT_TRUE(moved.normalsLocked());
    EXPECT_EQ(moved.vertexNormal(3).y, 0.5);
    RayHit again;
    ASSERT_TRUE(moved.castRay({{0.1, 1.0, 0.2}, {0.0, -1.0, 0.0}, 10.0, false, 0.0}, again));
    EXPECT_EQ(again.face, face);

    // The source is an empty mesh that works as one.
    EXPECT_EQ(source.numVertices(), 0);
    EXPECT_EQ(source.numPolygons(), 0);
    EXPECT_FALSE(source.hasUVs());
    EXPECT_FALSE(source.normalsLocked());
    EXPECT_TRUE(source.vertexNormals().empty());
    EXPECT_FALSE(source.castRay({{0.1, 1.0, 0.2}, {0.0, -1.0, 0.0}, 10.0, false, 0.0}, hit));
    EXPECT_EQ(source.setMesh({0, 0, 0, 1, 0, 0, 0, 0, 1}, {3}, {0, 1, 2}), "");
    EXPECT_EQ(source.numEdges(), 3);
}

TEST(Topology, UVIndicesEqualToTheVertexListReadBackAsGiven) {
    MeshGeometry mesh = mixedMesh();
    const std::vector<float> us(10, 0.25f), vs(10, 0.75f);
    // The same indices as the vertices: read back as given (not kept twice).
    ASSERT_EQ(mesh.setUVs(us, vs, mesh.connects()), "");
    EXPECT_TRUE(mesh.hasUVs());
    for (int fv = 0; fv < mesh.numFaceVertices(); ++fv)
        EXPECT_EQ(mesh.uvId(fv), mesh.connects()[fv]) << fv;
    // One index differs: every index is read back as given.
    std::vector<int> ids = mesh.connects();
    ids[6] = 8;
    ASSERT_EQ(mesh.setUVs(us, vs, ids), "");
    for (int fv = 0; fv < mesh.numFaceVertices(); ++fv)
        EXPECT_EQ(mesh.uvId(fv), ids[fv]) << fv;
    // Copies read the same.
    const MeshGeometry copy = mesh;
    EXPECT_EQ(copy.uvId(6), 8);
    EXPECT_TRUE(copy.hasUVs());
}
