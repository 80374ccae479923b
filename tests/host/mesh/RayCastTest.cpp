// The accelerated queries must give exactly the every-triangle answers: same face, same
// triangle, same parameter and point, bit for bit.
#include "mesh/MeshGenerators.h"
#include "mesh/MeshGeometry.h"
#include "mesh/MeshQueries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

using namespace rvhost;

namespace {

struct Random {
    explicit Random(unsigned seed) : engine(seed) {}
    double uniform(double lo, double hi) {
        return std::uniform_real_distribution<>(lo, hi)(engine);
    }
    int integer(int lo, int hi) { return std::uniform_int_distribution<>(lo, hi)(engine); }
    Vec3 point(double extent) {
        return {uniform(-extent, extent), uniform(-extent, extent), uniform(-extent, extent)};
    }
    std::mt19937 engine;
};

// Polygons of 3 to 6 corners, each corner near the polygon's own centre, so faces overlap
// and cross one another in every direction.
MeshGeometry randomSoup(Random& rng, int polygons) {
    std::vector<float> xyz;
    std::vector<int> counts, connects;
    for (int f = 0; f < polygons; ++f) {
        const Vec3 centre = rng.point(4.0);
        const double size = rng.uniform(0.05, 1.5);
        const int count = rng.integer(3, 6);
        counts.push_back(count);
        for (int i = 0; i < count; ++i) {
            connects.push_back(static_cast<int>(xyz.size() / 3));
            const Vec3 p = centre + rng.point(size);
            xyz.insert(xyz.end(), {float(p.x), float(p.y), float(p.z)});
        }
    }
    MeshGeometry mesh;
    EXPECT_EQ(mesh.setMesh(xyz, counts, connects), "");
    return mesh;
}

// A grid whose heights are random: shared vertices and edges everywhere.
MeshGeometry bumpyGrid(Random& rng, int n) {
    MeshGeometry mesh = makePlane(8.0, 8.0, n, n);
    std::vector<float> xyz = mesh.points();
    for (size_t v = 0; v < xyz.size(); v += 3)
        xyz[v + 1] = float(rng.uniform(-0.5, 0.5));
    mesh.setPoints(xyz);
    return mesh;
}

RayQuery randomRay(Random& rng, const MeshGeometry& mesh) {
    RayQuery q;
    q.source = rng.point(8.0);
    // Mostly aimed at a vertex (so most rays hit), sometimes anywhere.
    const Vec3 target = rng.integer(0, 3) == 0 ? rng.point(6.0)
                                               : mesh.point(rng.integer(0, mesh.numVertices() - 1));
    q.direction = (target - q.source) * rng.uniform(0.2, 3.0);
    // Some rays run parallel to two axes, as view rays straight down an axis do.
    if (rng.integer(0, 3) == 0) {
        const int keep = rng.integer(0, 2);
        q.source =
            target - Vec3{keep == 0 ? 5.0 : 0.0, keep == 1 ? 5.0 : 0.0, keep == 2 ? 5.0 : 0.0};
        q.direction = {keep == 0 ? 1.0 : 0.0, keep == 1 ? 1.0 : 0.0, keep == 2 ? 1.0 : 0.0};
    }
    static const double kMax[] = {1e9, 1.0, 0.5, 2.0};
    static const double kTolerance[] = {0.0, 1e-6, 0.01, 0.1, 0.3};
    q.maxParam = kMax[rng.integer(0, 3)];
    q.tolerance = kTolerance[rng.integer(0, 4)];
    q.bothDirections = rng.integer(0, 1) == 1;
    if (q.bothDirections && rng.integer(0, 1) == 1) q.direction = q.direction * -1.0;
    return q;
}

// Casts `rays` random rays both ways and returns how many hit.
int expectSameHits(Random& rng, const MeshGeometry& mesh, int rays) {
    int hits = 0;
    for (int i = 0; i < rays; ++i) {
        const RayQuery q = randomRay(rng, mesh);
        RayHit fast, slow;
        const bool fastFound = mesh.castRay(q, fast);
        const bool slowFound = castRayEveryTriangle(mesh, q, slow);
        EXPECT_EQ(fastFound, slowFound) << "ray " << i;
        if (!fastFound || !slowFound) continue;
        ++hits;
        EXPECT_EQ(fast.face, slow.face) << "ray " << i;
        EXPECT_EQ(fast.triangle, slow.triangle) << "ray " << i;
        EXPECT_EQ(fast.param, slow.param) << "ray " << i;
        EXPECT_EQ(fast.bary1, slow.bary1) << "ray " << i;
        EXPECT_EQ(fast.bary2, slow.bary2) << "ray " << i;
        EXPECT_EQ(fast.point.x, slow.point.x) << "ray " << i;
        EXPECT_EQ(fast.point.y, slow.point.y) << "ray " << i;
        EXPECT_EQ(fast.point.z, slow.point.z) << "ray " << i;
    }
    return hits;
}

} // namespace

TEST(RayCast, AcceleratedEqualsEveryTriangleOnRandomMeshes) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
        Random rng(seed);
        const MeshGeometry soup = randomSoup(rng, 300);
        EXPECT_GT(expectSameHits(rng, soup, 600), 200) << "seed " << seed;
        const MeshGeometry grid = bumpyGrid(rng, 20);
        EXPECT_GT(expectSameHits(rng, grid, 600), 200) << "seed " << seed;
    }
}

TEST(RayCast, AcceleratedFollowsMovedPointsAndNewTopology) {
    Random rng(77);
    MeshGeometry mesh = bumpyGrid(rng, 16);
    EXPECT_GT(expectSameHits(rng, mesh, 300), 60); // builds the hierarchy
    // Move every point far: a stale hierarchy would miss nearly everything.
    std::vector<float> xyz = mesh.points();
    for (size_t i = 0; i < xyz.size(); i += 3) {
        xyz[i] = float(xyz[i] * 0.5 + 3.0);
        xyz[i + 1] = float(xyz[i + 1] * 4.0 - 2.0);
    }
    ASSERT_TRUE(mesh.setPoints(xyz));
    EXPECT_GT(expectSameHits(rng, mesh, 300), 60);
    mesh.setPoint(5, {0.0, 7.5, 0.0});
    EXPECT_GT(expectSameHits(rng, mesh, 300), 60);

    const MeshGeometry other = randomSoup(rng, 200);
    ASSERT_EQ(mesh.setMesh(other.points(), other.counts(), other.connects()), "");
    EXPECT_GT(expectSameHits(rng, mesh, 300), 60);
}

TEST(RayCast, TiesGoToTheLowestFaceThenTriangle) {
    // A ray down through a vertex of a flat grid meets the four quads around it (eight
    // triangles) at the same parameter.
    const MeshGeometry mesh = makePlane(4.0, 4.0, 4, 4);
    RayQuery q;
    q.source = {0.0, 5.0, 0.0}; // above vertex 12, the centre
    q.direction = {0.0, -1.0, 0.0};
    q.maxParam = 100.0;
    RayHit hit;
    ASSERT_TRUE(mesh.castRay(q, hit));
    EXPECT_EQ(hit.param, 5.0);
    EXPECT_EQ(hit.face, 5); // faces 5, 6, 9, 10 share vertex 12
    EXPECT_EQ(hit.triangle, 0);
    // Down the diagonal of face 5 (the fan's shared edge): both of its triangles tie.
    q.source = {-0.75, 5.0, 0.75};
    ASSERT_TRUE(mesh.castRay(q, hit));
    EXPECT_EQ(hit.face, 5);
    EXPECT_EQ(hit.triangle, 0);
    q.source = {-0.75, 5.0, 0.25}; // inside face 5's second triangle only
    ASSERT_TRUE(mesh.castRay(q, hit));
    EXPECT_EQ(hit.face, 5);
    EXPECT_EQ(hit.triangle, 1);
}

TEST(RayCast, BarycentricWeightsOfBothTrianglesOfAQuad) {
    // A 4 x 4 square in y = 0 made of the fan (0, 1, 2) and (0, 2, 3). bary1 weighs the
    // triangle's first corner and bary2 its second, as worked out by hand for each point.
    MeshGeometry mesh;
    ASSERT_EQ(mesh.setMesh({0, 0, 0, 4, 0, 0, 4, 0, 4, 0, 0, 4}, {4}, {0, 1, 2, 3}), "");
    struct Case {
        double x, z;
        int triangle;
        double bary1, bary2;
    };
    // (3, 1) = 0.25 a + 0.5 b + 0.25 c of (0,0,0) (4,0,0) (4,0,4);
    // (1, 2) = 0.5 a + 0.25 b + 0.25 c of (0,0,0) (4,0,4) (0,0,4).
    for (const Case& c : {Case{3, 1, 0, 0.25, 0.5}, Case{1, 2, 1, 0.5, 0.25}}) {
        RayQuery q;
        q.source = {c.x, 2.0, c.z};
        q.direction = {0.0, -0.5, 0.0};
        q.maxParam = 100.0;
        RayHit fast, slow;
        ASSERT_TRUE(mesh.castRay(q, fast));
        ASSERT_TRUE(castRayEveryTriangle(mesh, q, slow));
        for (const RayHit& hit : {fast, slow}) {
            EXPECT_EQ(hit.face, 0);
            EXPECT_EQ(hit.triangle, c.triangle);
            EXPECT_DOUBLE_EQ(hit.param, 4.0);
            EXPECT_DOUBLE_EQ(hit.bary1, c.bary1) << c.x << " " << c.z;
            EXPECT_DOUBLE_EQ(hit.bary2, c.bary2) << c.x << " " << c.z;
            EXPECT_NEAR(hit.point.x, c.x, 1e-12);
            EXPECT_NEAR(hit.point.z, c.z, 1e-12);
        }
        q.maxParam = 4.0; // the far bound is inclusive too
        EXPECT_TRUE(mesh.castRay(q, fast));
        q.maxParam = 3.99;
        EXPECT_FALSE(mesh.castRay(q, fast));
    }
}

TEST(RayCast, ParameterRangeDirectionAndTolerance) {
    const MeshGeometry mesh = makePlane(2.0, 2.0, 1, 1);
    RayQuery q;
    q.source = {0.5, -3.0, 0.5};
    q.direction = {0.0, -2.0, 0.0}; // away from the plane: t = -1.5
    q.maxParam = 10.0;
    RayHit hit;
    EXPECT_FALSE(mesh.castRay(q, hit));
    q.bothDirections = true;
    ASSERT_TRUE(mesh.castRay(q, hit));
    EXPECT_EQ(hit.param, -1.5);
    EXPECT_FLOAT_EQ(float(hit.point.y), 0.0f);
    q.maxParam = 1.49;
    EXPECT_FALSE(mesh.castRay(q, hit));
    q.maxParam = 1.5; // the bound is inclusive
    EXPECT_TRUE(mesh.castRay(q, hit));

    // Just outside the edge x = 1 of a 2-wide square: the tolerance widens each triangle
    // by that fraction of itself.
    q.source = {1.05, 1.0, 0.0};
    q.direction = {0.0, -1.0, 0.0};
    q.maxParam = 10.0;
    q.tolerance = 0.0;
    EXPECT_FALSE(mesh.castRay(q, hit));
    q.tolerance = 0.01;
    EXPECT_FALSE(mesh.castRay(q, hit));
    q.tolerance = 0.1;
    EXPECT_TRUE(mesh.castRay(q, hit));
}

TEST(NearestPoint, AcceleratedEqualsEveryTriangle) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
        Random rng(seed * 31);
        const MeshGeometry meshes[] = {randomSoup(rng, 200), bumpyGrid(rng, 16)};
        for (const MeshGeometry& mesh : meshes) {
            for (int i = 0; i < 300; ++i) {
                const Vec3 p = rng.point(7.0);
                SurfacePoint fast, slow;
                ASSERT_TRUE(mesh.nearestPoint(p, fast));
                ASSERT_TRUE(nearestPointEveryTriangle(mesh, p, slow));
                EXPECT_EQ(fast.face, slow.face);
                EXPECT_EQ(fast.triangle, slow.triangle);
                EXPECT_EQ(fast.distanceSquared, slow.distanceSquared);
                EXPECT_EQ(fast.bary1, slow.bary1);
                EXPECT_EQ(fast.bary2, slow.bary2);
            }
        }
    }
}

// A few points moved at a time (the adjacency built, normals and hierarchy current): the
// normals are refreshed around them and the hierarchy refitted over them only, and both
// must come out as a fresh copy computes them and as every triangle answers.
TEST(RayCast, FewMovedPointsKeepNormalsAndHitsExact) {
    Random rng(91);
    MeshGeometry mesh = bumpyGrid(rng, 40);
    mesh.topology();
    mesh.vertexNormals();
    EXPECT_GT(expectSameHits(rng, mesh, 100), 20);
    for (int round = 0; round < 12; ++round) {
        std::vector<float> xyz = mesh.points();
        // A patch of up to 1/10 of the vertices, some moved far (across the others).
        const int centre = rng.integer(0, mesh.numVertices() - 1);
        const int count = rng.integer(1, mesh.numVertices() / 10);
        for (int k = 0; k < count; ++k) {
            const int v = std::min(mesh.numVertices() - 1, centre + rng.integer(0, 60));
            const double reach = round % 3 == 0 ? 6.0 : 0.3;
            for (int a = 0; a < 3; ++a)
                xyz[3 * v + a] = float(xyz[3 * v + a] + rng.uniform(-reach, reach));
        }
        if (round % 4 == 3)
            for (int k = 0; k < 5; ++k) // moves that add up before the next read
                mesh.setPoint(rng.integer(0, mesh.numVertices() - 1), rng.point(5.0));
        else
            ASSERT_TRUE(mesh.setPoints(xyz));
        const MeshGeometry fresh(mesh);
        const std::vector<float>& kept = mesh.vertexNormals();
        const std::vector<float>& recomputed = fresh.vertexNormals();
        ASSERT_EQ(kept.size(), recomputed.size());
        int off = 0;
        for (size_t i = 0; i < kept.size(); ++i)
            off += std::memcmp(&kept[i], &recomputed[i], sizeof(float)) != 0;
        EXPECT_EQ(off, 0) << "round " << round;
        EXPECT_GT(expectSameHits(rng, mesh, 200), 20) << "round " << round;
    }
}

namespace {

// Nearest points from random places, against the every-triangle answer.
void expectSameNearest(Random& rng, const MeshGeometry& mesh, int queries) {
    for (int i = 0; i < queries; ++i) {
        const Vec3 p = rng.point(7.0);
        SurfacePoint fast, slow;
        ASSERT_TRUE(mesh.nearestPoint(p, fast));
        ASSERT_TRUE(nearestPointEveryTriangle(mesh, p, slow));
        EXPECT_EQ(fast.face, slow.face) << "query " << i;
        EXPECT_EQ(fast.triangle, slow.triangle) << "query " << i;
        EXPECT_EQ(fast.distanceSquared, slow.distanceSquared) << "query " << i;
    }
}

int normalsDiffering(const MeshGeometry& mesh) {
    const MeshGeometry fresh(mesh); // a copy works its normals out whole
    const std::vector<float>& kept = mesh.vertexNormals();
    const std::vector<float>& whole = fresh.vertexNormals();
    EXPECT_EQ(kept.size(), whole.size());
    int off = 0;
    for (size_t i = 0; i < kept.size() && i < whole.size(); ++i)
        off += std::memcmp(&kept[i], &whole[i], sizeof(float)) != 0;
    return off;
}

} // namespace

TEST(RayCast, PointAtATimeEditsOfMixedPolygonsStayExact) {
    // Triangles, quads and up to hexagons, shared (sphere) and loose (soup): the index holds
    // whole polygons, so a leaf tests several fan triangles, and a moved corner must refit
    // every leaf that holds one of its polygons.
    Random rng(23);
    for (MeshGeometry mesh : {makeSphere(3.0, 24, 13), randomSoup(rng, 250)}) {
        mesh.vertexNormals();
        EXPECT_GT(expectSameHits(rng, mesh, 100), 20);
        for (int round = 0; round < 8; ++round) {
            // Up to a tenth of the vertices one call at a time, some far across the mesh,
            // some more than once; reads come only after the round.
            const int calls = rng.integer(1, mesh.numVertices() / 10);
            for (int k = 0; k < calls; ++k) {
                const int v = rng.integer(0, mesh.numVertices() - 1);
                const double reach = k % 7 == 0 ? 5.0 : 0.2;
                mesh.setPoint(v, mesh.point(v) + rng.point(reach));
            }
            EXPECT_EQ(normalsDiffering(mesh), 0) << "round " << round;
            EXPECT_GT(expectSameHits(rng, mesh, 150), 20) << "round " << round;
            expectSameNearest(rng, mesh, 40);
        }
    }
}

TEST(RayCast, MeshesBigEnoughForTwoThreadsGiveTheSameAnswers) {
    // 260 x 260 quads: more polygons, vertices and triangles than the two-thread threshold,
    // so the index build, its whole refit and the whole normals split their work.
    Random rng(5);
    MeshGeometry mesh = bumpyGrid(rng, 260);
    ASSERT_GT(mesh.numPolygons(), 65536);
    // Normals as a sweep over the polygons adds them up: area vectors in polygon order.
    std::vector<Vec3> sums(static_cast<size_t>(mesh.numVertices()));
    for (int f = 0; f < mesh.numPolygons(); ++f)
        for (int i = 0; i < mesh.polygonSize(f); ++i)
            sums[mesh.polygonVertex(f, i)] += mesh.polygonAreaVector(f);
    const std::vector<float>& normals = mesh.vertexNormals();
    int off = 0;
    for (int v = 0; v < mesh.numVertices(); ++v) {
        const Vec3 n = normalized(sums[v]);
        off += normals[3 * v] != float(n.x) || normals[3 * v + 1] != float(n.y) ||
               normals[3 * v + 2] != float(n.z);
    }
    EXPECT_EQ(off, 0);
    EXPECT_GT(expectSameHits(rng, mesh, 40), 10);
    // Every point moved: the whole refit, on two threads.
    std::vector<float> xyz = mesh.points();
    for (size_t i = 1; i < xyz.size(); i += 3)
        xyz[i] = float(xyz[i] * -3.0 + 0.5);
    ASSERT_TRUE(mesh.setPoints(xyz));
    EXPECT_GT(expectSameHits(rng, mesh, 40), 10);
    EXPECT_EQ(normalsDiffering(mesh), 0);
}

TEST(RayCast, TheSameMoveUnderNewPolygonsFindsTheNewFacesAboutIt) {
    // Normals and index are refreshed about the faces of the moved vertices; the same move
    // again, after the polygons changed, must find the faces of the new polygons.
    Random rng(8);
    MeshGeometry mesh = bumpyGrid(rng, 12);
    mesh.vertexNormals();
    EXPECT_GT(expectSameHits(rng, mesh, 50), 10);
    const int v = 80;
    mesh.setPoint(v, mesh.point(v) + Vec3{0.0, 2.0, 0.0});
    EXPECT_EQ(normalsDiffering(mesh), 0);
    EXPECT_GT(expectSameHits(rng, mesh, 50), 10);
    // The same points as triangles, each quad split along its other diagonal.
    std::vector<int> counts, connects;
    for (int f = 0; f < mesh.numPolygons(); ++f) {
        const int a = mesh.polygonVertex(f, 0), b = mesh.polygonVertex(f, 1),
                  c = mesh.polygonVertex(f, 2), d = mesh.polygonVertex(f, 3);
        counts.insert(counts.end(), {3, 3});
        connects.insert(connects.end(), {b, c, d, d, a, b});
    }
    ASSERT_EQ(mesh.setMesh(mesh.points(), counts, connects), "");
    mesh.vertexNormals();
    EXPECT_GT(expectSameHits(rng, mesh, 50), 10);
    mesh.setPoint(v, mesh.point(v) + Vec3{0.0, -3.0, 0.0});
    EXPECT_EQ(normalsDiffering(mesh), 0);
    EXPECT_GT(expectSameHits(rng, mesh, 50), 10);
}
