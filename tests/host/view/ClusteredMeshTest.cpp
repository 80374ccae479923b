// Vertex clustering for the frames drawn while the camera moves: which vertices meet, where
// the stand-in's vertices lie, which triangles are left and how they face.
#include "view/ClusteredMesh.h"
#include "mesh/MeshGenerators.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using rvhost::ClusteredMesh;
using rvhost::MeshGeometry;

namespace {

ClusteredMesh cluster(const MeshGeometry& mesh, double cell, bool flat) {
    return ClusteredMesh::build(mesh.points(), mesh.vertexNormals(), mesh.triangles(), cell, flat);
}

} // namespace

// The 4 x 4-quad plane from -2 to 2 (vertices 1 apart, facing +y) in cubes of 2 from its low
// corner: x (and z) -2 and -1 fall in the first cube, 0 and 1 in the second, 2 in the third.
// The 9 clusters lie at the means -1.5, 0.5 and 2 along each side. Only the 4 quads across a
// cube border both ways (x and z in [-1, 0] or [1, 2]) have four clusters; their 8 triangles
// are left, the others fall to two clusters and are dropped.
TEST(ClusteredMeshTest, APlaneInCubesOfTwoKeepsTheTrianglesAcrossTwoBorders) {
    const MeshGeometry plane = rvhost::makePlane(4, 4, 4, 4);
    const ClusteredMesh smooth = cluster(plane, 2.0, false);
    EXPECT_EQ(smooth.triangles, 8);
    ASSERT_EQ(smooth.mesh.positions.size(), 9u * 3);
    ASSERT_EQ(smooth.mesh.indices.size(), 8u * 3);
    std::set<std::pair<float, float>> places;
    for (size_t v = 0; v < 9; ++v) {
        const float* p = &smooth.mesh.positions[3 * v];
        places.insert({p[0], p[2]});
        EXPECT_EQ(p[1], 0.0f);
        const float* n = &smooth.mesh.normals[3 * v];
        EXPECT_NEAR(n[1], 1.0, 1e-6);
    }
    std::set<std::pair<float, float>> expected;
    for (float x : {-1.5f, 0.5f, 2.0f})
        for (float z : {-1.5f, 0.5f, 2.0f})
            expected.insert({x, z});
    EXPECT_EQ(places, expected);

    // Cubes smaller than the spacing keep every vertex apart: the plane comes back whole.
    EXPECT_EQ(cluster(plane, 0.5, false).triangles, plane.numTriangles());
}

// Flat: three corners a triangle, each with the stand-in triangle's own normal, which faces
// the way the plane does (the corners keep their order).
TEST(ClusteredMeshTest, FlatStandInsFaceTheWayTheirTrianglesDo) {
    const ClusteredMesh flat = cluster(rvhost::makePlane(4, 4, 4, 4), 2.0, true);
    ASSERT_EQ(flat.triangles, 8);
    ASSERT_EQ(flat.mesh.positions.size(), 24u * 3);
    for (unsigned k = 0; k < 24; ++k) {
        EXPECT_EQ(flat.mesh.indices[k], k);
        EXPECT_NEAR(flat.mesh.normals[3 * k + 1], 1.0, 1e-6) << k;
    }
}

// A box 0.02 thick in cubes of 1: top and bottom share every cube, but their normals lean
// opposite ways, so no stand-in vertex ends up inside the box (the mean of a top and a
// bottom vertex would be at y = 0).
TEST(ClusteredMeshTest, FrontAndBackOfAThinShapeStayApart) {
    const MeshGeometry box = rvhost::makeCube(4, 0.02, 4, 8, 1, 8);
    const ClusteredMesh standIn = cluster(box, 1.0, false);
    ASSERT_GT(standIn.triangles, 0);
    for (size_t v = 0; v < standIn.mesh.positions.size() / 3; ++v)
        EXPECT_NEAR(std::fabs(standIn.mesh.positions[3 * v + 1]), 0.01, 1e-6) << v;
}
