// The dab index: a query visits every point inside the balls exactly once, in order,
// before and after points move between cells, including moves that crowd one cell past its room.
#include "sculpt/KVPointGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

namespace {
MPointArray scatteredPoints(unsigned int count, std::mt19937& random) {
    std::uniform_real_distribution<double> where(-10.0, 10.0);
    MPointArray points;
    for (unsigned int k = 0; k < count; ++k)
        points.append(where(random), where(random) * 0.1, where(random));
    return points;
}

// Two overlapping balls; every point inside either is visited, in ascending order, and no
// point twice; each ball that holds a point is among the balls it is reported near.
void expectQueryCovers(KVPointGrid& grid, const MPointArray& points, const MPoint& centre) {
    const double radius = 3.0;
    const double centres[6] = {centre.x, 0.0, centre.z, centre.x + 2.0, 0.5, centre.z - 1.5};
    std::map<int, int> visits;
    std::map<int, std::uint32_t> nearBalls;
    int previous = -1;
    grid.forEachInBalls(centres, radius, 2, [&](int v, std::uint32_t near) {
        EXPECT_GT(v, previous);
        previous = v;
        ++visits[v];
        nearBalls[v] = near;
    });
    for (const auto& [v, count] : visits)
        ASSERT_EQ(count, 1) << "point " << v;
    for (unsigned int v = 0; v < points.length(); ++v)
        for (std::uint32_t ball = 0; ball < 2; ++ball) {
            const double* c = centres + 3 * ball;
            if (points[v].distanceTo(MPoint(c[0], c[1], c[2])) > radius) continue;
            ASSERT_EQ(visits.count(static_cast<int>(v)), 1u) << "point " << v;
            EXPECT_TRUE(nearBalls[static_cast<int>(v)] & (1u << ball)) << "point " << v;
        }
}
} // namespace

TEST(KVPointGridTest, QueriesFindEveryPointInTheBoxesOnceAsPointsMove) {
    std::mt19937 random(3);
    MPointArray points = scatteredPoints(2000, random);
    KVPointGrid grid;
    grid.build(points);
    expectQueryCovers(grid, points, MPoint(0, 0, 0));

    // Small steps (mostly within a cell); a crowd into one corner, beyond the spare room
    // of its cells (which then grow); some out past the grid's bounds, crowded points among
    // them; then all into the other corner, more than the slot array may grow before the
    // cells are laid out afresh; and back out of it.
    std::normal_distribution<double> step(0.0, 0.3);
    for (int round = 0; round < 5; ++round) {
        for (unsigned int v = 0; v < points.length(); v += round < 3 ? 2 : 1) {
            if (round == 0)
                points[v] += MVector(step(random), step(random), step(random));
            else if (round == 1 && v < 600)
                points[v] = MPoint(-9.5 + v * 1e-4, 0.0, -9.5);
            else if (round == 2 && v % 10 == 0)
                points[v] = MPoint(v * 0.1, 40.0, -30.0);
            else if (round == 3)
                points[v] = MPoint(9.0 + v * 1e-4, 0.0, 9.0);
            else if (round == 4 && v % 3 == 0)
                points[v] = MPoint(-v * 1e-3, 0.5, v * 2e-3 - 5.0);
            grid.move(static_cast<int>(v), points);
        }
        for (const MPoint centre : {MPoint(0, 0, 0), MPoint(-8, 0, -8), MPoint(8, 0, 9)})
            expectQueryCovers(grid, points, centre);
    }
}

TEST(KVPointGridTest, NaNOrNegativeBallsVisitNothing) {
    std::mt19937 random(5);
    const MPointArray points = scatteredPoints(100, random);
    KVPointGrid grid;
    grid.build(points);
    const double nan = std::nan("");
    const double centres[6] = {nan, 0, 1, 0, 0, 0};
    int visits = 0;
    grid.forEachInBalls(centres, 2.0, 1, [&](int, std::uint32_t) { ++visits; });
    grid.forEachInBalls(centres + 3, -1.0, 1, [&](int, std::uint32_t) { ++visits; });
    grid.forEachInBalls(centres + 3, nan, 1, [&](int, std::uint32_t) { ++visits; });
    EXPECT_EQ(visits, 0);
    grid.forEachInBalls(centres, 2.0, 2, [&](int, std::uint32_t near) { EXPECT_EQ(near, 2u); });
}
