// The primitives' vertex order, UVs and winding are a contract that scripts rely on.
#include "mesh/MeshGenerators.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace rvhost;

namespace {

void expectNear(const Vec3& actual, const Vec3& expected, const char* what, int index) {
    EXPECT_NEAR(actual.x, expected.x, 1e-6) << what << " " << index;
    EXPECT_NEAR(actual.y, expected.y, 1e-6) << what << " " << index;
    EXPECT_NEAR(actual.z, expected.z, 1e-6) << what << " " << index;
}

// Every face of a closed shape around the origin faces away from it.
void expectOutwardFaces(const MeshGeometry& mesh) {
    for (int f = 0; f < mesh.numPolygons(); ++f)
        EXPECT_GT(dot(mesh.polygonNormal(f), mesh.polygonCentre(f)), 0.0) << "face " << f;
}

} // namespace

TEST(Generators, PlaneVertexOrderUVsAndWinding) {
    const int sx = 3, sy = 2;
    const double w = 6.0, h = 4.0;
    const MeshGeometry plane = makePlane(w, h, sx, sy);
    ASSERT_EQ(plane.numVertices(), (sx + 1) * (sy + 1));
    ASSERT_EQ(plane.numPolygons(), sx * sy);
    for (int r = 0; r <= sy; ++r) {
        for (int c = 0; c <= sx; ++c) {
            const int k = r * (sx + 1) + c;
            expectNear(plane.point(k), {-w / 2 + c * w / sx, 0.0, h / 2 - r * h / sy}, "vertex", k);
            // One UV per vertex, shared by every face-vertex on it.
            for (int fv = 0; fv < plane.numFaceVertices(); ++fv) {
                if (plane.connects()[fv] != k) continue;
                EXPECT_FLOAT_EQ(plane.us()[plane.uvId(fv)], float(c) / sx);
                EXPECT_FLOAT_EQ(plane.vs()[plane.uvId(fv)], float(r) / sy);
            }
        }
    }
    EXPECT_EQ(std::vector<int>(plane.connects().begin(), plane.connects().begin() + 4),
              (std::vector<int>{0, 1, sx + 2, sx + 1}));
    for (int f = 0; f < plane.numPolygons(); ++f)
        expectNear(plane.polygonNormal(f), {0, 1, 0}, "face normal", f);
    for (int v = 0; v < plane.numVertices(); ++v)
        expectNear(plane.vertexNormal(v), {0, 1, 0}, "vertex normal", v);
}

TEST(Generators, PlaneAxisTurnsNormalsAndKeepsUVs) {
    const Vec3 axes[] = {{1, 0, 0}, {0, 0, -2}, {0, -1, 0}, {1, 1, 0}};
    for (const Vec3& axis : axes) {
        const MeshGeometry plane = makePlane(2.0, 2.0, 2, 2, axis);
        for (int f = 0; f < plane.numPolygons(); ++f)
            expectNear(plane.polygonNormal(f), normalized(axis), "face normal", f);
        EXPECT_FLOAT_EQ(plane.us()[plane.uvId(0)], 0.0f);
        // Distances from the centre vertex are kept by the turn.
        EXPECT_NEAR(length(plane.point(0) - plane.point(4)), std::sqrt(2.0), 1e-6);
    }
}

TEST(Generators, UnitCubeMatchesTheHostsOrder) {
    const MeshGeometry cube = makeCube(1.0, 1.0, 1.0, 1, 1, 1);
    const Vec3 expected[8] = {{-.5, -.5, .5}, {.5, -.5, .5}, {-.5, .5, .5},   {.5, .5, .5},
                              {-.5, .5, -.5}, {.5, .5, -.5}, {-.5, -.5, -.5}, {.5, -.5, -.5}};
    ASSERT_EQ(cube.numVertices(), 8);
    for (int v = 0; v < 8; ++v)
        expectNear(cube.point(v), expected[v], "vertex", v);
    EXPECT_EQ(cube.connects(), (std::vector<int>{0, 1, 3, 2, 2, 3, 5, 4, 4, 5, 7, 6,
                                                 6, 7, 1, 0, 1, 7, 5, 3, 6, 0, 2, 4}));
    expectOutwardFaces(cube);
}

TEST(Generators, SubdividedCubeIsClosedAndOutward) {
    const int sx = 2, sy = 3, sz = 4;
    const MeshGeometry cube = makeCube(2.0, 3.0, 4.0, sx, sy, sz);
    // A closed surface: V - E + F = 2 and every edge has two faces.
    EXPECT_EQ(cube.numPolygons(), 2 * (sx * sy + sy * sz + sx * sz));
    EXPECT_EQ(cube.numVertices() - cube.numEdges() + cube.numPolygons(), 2);
    for (int e = 0; e < cube.numEdges(); ++e)
        EXPECT_FALSE(cube.topology().edgeOnBoundary(e));
    expectOutwardFaces(cube);
    // The ring comes first: vertex 0 is the front-bottom-left corner, row 1 a step up.
    expectNear(cube.point(0), {-1.0, -1.5, 2.0}, "vertex", 0);
    expectNear(cube.point(sx + 1), {-1.0, -0.5, 2.0}, "vertex", sx + 1);
}

TEST(Generators, SphereRingsFromTheBottomPolesLast) {
    const int sx = 8, sy = 6;
    const double r = 2.0;
    const MeshGeometry sphere = makeSphere(r, sx, sy);
    ASSERT_EQ(sphere.numVertices(), sx * (sy - 1) + 2);
    ASSERT_EQ(sphere.numPolygons(), sx * sy);
    for (int v = 0; v < sphere.numVertices(); ++v)
        EXPECT_NEAR(length(sphere.point(v)), r, 1e-6) << v;
    for (int ring = 0; ring + 1 < sy; ++ring) {
        const double y = r * std::sin(-M_PI / 2 + (ring + 1) * M_PI / sy);
        for (int j = 0; j < sx; ++j)
            EXPECT_NEAR(sphere.point(ring * sx + j).y, y, 1e-6);
    }
    expectNear(sphere.point(sx * (sy - 1)), {0, -r, 0}, "bottom pole", 0);
    expectNear(sphere.point(sx * (sy - 1) + 1), {0, r, 0}, "top pole", 0);
    expectOutwardFaces(sphere);
    EXPECT_EQ(sphere.numVertices() - sphere.numEdges() + sphere.numPolygons(), 2);
    // Smooth normals of a sphere point along the radius.
    for (int v = 0; v < sphere.numVertices(); ++v)
        EXPECT_GT(dot(sphere.vertexNormal(v), normalized(sphere.point(v))), 0.95) << v;
}
