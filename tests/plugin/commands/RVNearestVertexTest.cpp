// The nearest-vertex index against the exhaustive search it stands in for: random clouds,
// lattices where most answers are ties, coincident points, and coordinates that are NaN or
// infinite. Every answer must be the exhaustive search's, index for index.
#include "commands/RVNearestVertex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Points as a mesh holds them: single-precision coordinates.
MPoint meshPoint(double x, double y, double z) {
    return MPoint(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

// How many queries the index answers differently from the exhaustive search, asked one at
// a time and all at once.
int mismatches(const MPointArray& points, const MPointArray& queries) {
    const RVNearestVertex index(points);
    const MIntArray all = index.nearestOfEach(queries);
    EXPECT_EQ(all.length(), queries.length());
    int wrong = 0;
    for (unsigned int k = 0; k < queries.length() && k < all.length(); ++k) {
        const unsigned int expected = RVNearestVertex::exhaustiveNearest(points, queries[k]);
        const unsigned int got = index.nearest(queries[k]);
        if (got != expected || all[k] != static_cast<int>(expected)) {
            ADD_FAILURE() << "query " << k << " (" << queries[k].x << ", " << queries[k].y << ", "
                          << queries[k].z << "): index " << got << " and " << all[k]
                          << ", exhaustive " << expected;
            if (++wrong > 5) break;
        }
    }
    return wrong;
}

MPointArray randomCloud(std::mt19937& rng, unsigned int n, double extent) {
    std::uniform_real_distribution<double> u(-extent, extent);
    MPointArray points;
    for (unsigned int i = 0; i < n; ++i)
        points.append(meshPoint(u(rng), u(rng), u(rng)));
    return points;
}

// An n x n x n lattice of unit spacing, in shuffled order so that ties are not always won
// by the point the tree happens to meet first.
MPointArray lattice(std::mt19937& rng, int n) {
    MPointArray points;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            for (int k = 0; k < n; ++k)
                points.append(meshPoint(i, j, k));
    std::vector<MPoint> order(points.items());
    std::shuffle(order.begin(), order.end(), rng);
    for (unsigned int i = 0; i < points.length(); ++i)
        points[i] = order[i];
    return points;
}

TEST(RVNearestVertex, TheExhaustiveSearchKeepsTheFirstOfTheNearest) {
    MPointArray points;
    for (double x : {3.0, 1.0, -1.0, 1.0, 5.0})
        points.append(MPoint(x, 0, 0));
    EXPECT_EQ(RVNearestVertex::exhaustiveNearest(points, MPoint(0, 0, 0)), 1u); // 1, 2, 3 tie
    EXPECT_EQ(RVNearestVertex::exhaustiveNearest(points, MPoint(-0.9, 0, 0)), 2u);
    EXPECT_EQ(RVNearestVertex::exhaustiveNearest(points, MPoint(4.0, 0, 0)), 0u); // 0, 4 tie
    EXPECT_EQ(RVNearestVertex::exhaustiveNearest(MPointArray(), MPoint(4.0, 0, 0)), 0u);
    points[0] = MPoint(kNaN, 0, 0);
    EXPECT_EQ(RVNearestVertex::exhaustiveNearest(points, MPoint(3.5, 0, 0)), 4u); // NaN skipped
    EXPECT_EQ(RVNearestVertex::exhaustiveNearest(points, MPoint(kNaN, 0, 0)), 0u);
}

TEST(RVNearestVertex, RandomCloudsGiveTheExhaustiveAnswer) {
    std::mt19937 rng(7);
    for (unsigned int n : {1u, 2u, 17u, 1000u, 20000u}) {
        const MPointArray points = randomCloud(rng, n, 10.0);
        // Queries inside the cloud, far outside it, and on its own points.
        MPointArray queries = randomCloud(rng, 1500, 12.0);
        const MPointArray far = randomCloud(rng, 50, 1000.0);
        for (const MPoint& q : far.items())
            queries.append(q);
        for (unsigned int i = 0; i < n && i < 300; ++i)
            queries.append(points[i]);
        EXPECT_EQ(mismatches(points, queries), 0) << n << " points";
    }
}

TEST(RVNearestVertex, TiesOnALatticeGoToTheLowestIndex) {
    std::mt19937 rng(11);
    const MPointArray points = lattice(rng, 12);
    // Half steps put a query at equal distance from 2, 4 or 8 lattice points; whole steps on
    // a point; outside the lattice a whole face of points can tie.
    MPointArray queries;
    for (int i = -2; i <= 24; ++i)
        for (int j = -2; j <= 24; j += 3)
            for (int k = -2; k <= 24; k += 5)
                queries.append(meshPoint(i * 0.5, j * 0.5, k * 0.5));
    EXPECT_EQ(mismatches(points, queries), 0);
}

TEST(RVNearestVertex, CoincidentPointsGoToTheLowestIndex) {
    std::mt19937 rng(3);
    MPointArray points = randomCloud(rng, 400, 2.0);
    // Every point repeated three more times at scattered indices.
    const unsigned int n = points.length();
    std::uniform_int_distribution<unsigned int> anywhere(0, 4 * n);
    for (unsigned int copy = 0; copy < 3 * n; ++copy) {
        const MPoint p = points[copy % n];
        points.insert(p, std::min(anywhere(rng), points.length()));
    }
    MPointArray queries = randomCloud(rng, 800, 2.5);
    for (unsigned int i = 0; i < points.length(); i += 7)
        queries.append(points[i]);
    EXPECT_EQ(mismatches(points, queries), 0);

    // One spot held by every point.
    MPointArray same(50, meshPoint(1, 2, 3));
    EXPECT_EQ(RVNearestVertex(same).nearest(meshPoint(1, 2, 3)), 0u);
    EXPECT_EQ(RVNearestVertex(same).nearest(meshPoint(-4, 0, 9)), 0u);
}

TEST(RVNearestVertex, NaNAndInfiniteCoordinatesAreNeverNearest) {
    std::mt19937 rng(5);
    MPointArray points = randomCloud(rng, 3000, 5.0);
    std::uniform_int_distribution<unsigned int> pick(0, points.length() - 1);
    for (int i = 0; i < 40; ++i) {
        points[pick(rng)].x = kNaN;
        points[pick(rng)].z = i % 2 ? kInf : -kInf;
    }
    points[0] = MPoint(kNaN, kNaN, kNaN); // the fallback index is no answer of its own
    MPointArray queries = randomCloud(rng, 2000, 6.0);
    for (unsigned int i = 0; i < points.length(); i += 11)
        queries.append(points[i]); // some of them NaN or infinite themselves
    queries.append(MPoint(kInf, 0, 0));
    queries.append(MPoint(0, kNaN, 0));
    EXPECT_EQ(mismatches(points, queries), 0);
    EXPECT_EQ(RVNearestVertex(points).nearest(MPoint(0, 0, kNaN)), 0u);
}

TEST(RVNearestVertex, SetsWithNothingToChooseGiveZero) {
    const MPoint somewhere(1, 2, 3);
    EXPECT_EQ(RVNearestVertex(MPointArray()).nearest(somewhere), 0u);
    MPointArray unusable;
    unusable.append(MPoint(kNaN, 0, 0));
    unusable.append(MPoint(0, kInf, 0));
    EXPECT_EQ(RVNearestVertex(unusable).nearest(somewhere), 0u);
    EXPECT_EQ(RVNearestVertex::exhaustiveNearest(unusable, somewhere), 0u);
    unusable.append(MPoint(9, 9, 9));
    EXPECT_EQ(RVNearestVertex(unusable).nearest(somewhere), 2u);
}

TEST(RVNearestVertex, DistancesTooSmallToSquareStillTieByIndex) {
    // Squares of these distances underflow to zero, so they all measure 0: a tie that the
    // lowest index must win, wherever the tree keeps it.
    MPointArray points;
    for (int i = 99; i >= 0; --i)
        points.append(MPoint(i * 1e-200, (i % 7) * 1e-200, 0));
    const RVNearestVertex index(points);
    for (const MPoint& q : {MPoint(0, 0, 0), MPoint(5e-199, 0, 0), MPoint(-3e-200, 0, 0)})
        EXPECT_EQ(index.nearest(q), RVNearestVertex::exhaustiveNearest(points, q)) << q.x;
}

TEST(RVNearestVertex, PointsBeyondSinglePrecisionAreMeasuredExactly) {
    // Coordinates a float cannot hold: neighbours closer than a float's step, and points
    // too far out for a float at all.
    std::mt19937 rng(13);
    std::uniform_real_distribution<double> tiny(0.0, 1e-9);
    std::uniform_int_distribution<int> cell(0, 5);
    MPointArray points;
    for (int i = 0; i < 3000; ++i)
        points.append(MPoint(cell(rng) + tiny(rng), cell(rng) + tiny(rng), tiny(rng)));
    for (double far : {1e300, -1e300, 4e38})
        points.append(MPoint(far, 0, 0));
    MPointArray queries;
    for (int i = 0; i < 1000; ++i)
        queries.append(MPoint(cell(rng) + tiny(rng), cell(rng) + tiny(rng), tiny(rng)));
    queries.append(MPoint(9e299, 0, 0));
    queries.append(MPoint(-2e300, 5, 0));
    queries.append(MPoint(3e38, 0, 0));
    EXPECT_EQ(mismatches(points, queries), 0);
}

TEST(RVNearestVertex, TheIndexIsSmallBesideThePoints) {
    std::mt19937 rng(9);
    const unsigned int n = 100000;
    const MPointArray points = randomCloud(rng, n, 50.0);
    const RVNearestVertex index(points);
    // At most three times the mesh's own points (three floats each).
    EXPECT_LE(index.memoryUsed(), 3 * n * 3 * sizeof(float));
    EXPECT_GT(index.memoryUsed(), n * sizeof(std::uint32_t)); // it does hold every point
}

} // namespace
