// Each mode's displacement checked against values worked out here from the plane's
// known vertex grid: a dab at world (2.3, 0, 1.2), radius 3, falloff 1 - d/3.
#include "SculptFixture.h"

namespace {
const MPoint kHit(2.3, 0.0, 1.2);
constexpr double kRadius = 3.0;
constexpr int kBump = 21 * 9 + 14; // the vertex at (4, 0, 1), 1.71 from the hit

double fall(const MPoint& p, const MPoint& centre) {
    const double d = p.distanceTo(centre);
    return d <= kRadius ? 1.0 - d / kRadius : 0.0;
}
// Vertices within a hair of the rim are left out: which side they fall is rounding.
bool onRim(const MPoint& p, const MPoint& centre) {
    return std::fabs(std::hypot(p.x - centre.x, p.z - centre.z) - kRadius) < 1e-4;
}
} // namespace

class DabModesTest : public SculptTest {
protected:
    DabModesTest() { state.radius = kRadius; }

    void dab(double x = kHit.x, double z = kHit.z, bool control = false) {
        ASSERT_EQ(stroke().applyDab(at(x, z, control)), MS::kSuccess);
    }
    void raiseBump() {
        MFnMesh mesh(record.meshPath);
        mesh.setPoint(kBump, MPoint(4.0, 1.0, 1.0));
        record.buildMeshRecord();
    }
    // Every vertex's height against f(grid point).
    template <class F> void expectHeights(F expected) {
        for (int k = 0; k < 441; ++k) {
            const MPoint p = gridPoint(k);
            if (onRim(p, kHit)) continue;
            EXPECT_NEAR(record.worldPoints[k].y, expected(p), 1e-5) << "vertex " << k;
            EXPECT_NEAR(record.worldPoints[k].x, p.x, 1e-9);
        }
    }
};

TEST_F(DabModesTest, DisplaceMovesAlongObjectYByFalloffAndControlReverses) {
    dab();
    expectHeights([](const MPoint& p) { return fall(p, kHit); });
    record.settleObjectPoints();  // as every reader of the object points does
    for (int k = 0; k < 441; ++k) // object points follow the world points
        EXPECT_NEAR(record.points[k].y, record.worldPoints[k].y, 1e-12);

    record.buildMeshRecord(); // flat again: the host mesh was never written
    state.spacing = 0.0;
    dab(kHit.x, kHit.z, true);
    expectHeights([](const MPoint& p) { return -fall(p, kHit); });
}

TEST_F(DabModesTest, BulgeUsesVertexNormalsAndItsScale) {
    state.mode = kBulge;
    dab();
    expectHeights([](const MPoint&) { return 0.0; }); // default scale 0
    state.bulgeScale = 0.5;
    state.spacing = 0.0;
    dab();
    expectHeights([](const MPoint& p) { return 0.5 * fall(p, kHit); });
}

TEST_F(DabModesTest, PinchPullsTowardTheCentre) {
    state.mode = kPinch;
    dab();
    for (int k = 0; k < 441; ++k) {
        const MPoint p = gridPoint(k);
        if (onRim(p, kHit)) continue;
        const double s = fall(p, kHit) * 0.025;
        EXPECT_NEAR(record.worldPoints[k].x, p.x - (p.x - kHit.x) * s, 1e-6) << k;
        EXPECT_NEAR(record.worldPoints[k].z, p.z - (p.z - kHit.z) * s, 1e-6) << k;
    }
}

TEST_F(DabModesTest, SmearFollowsTheDragFromThePreviousDab) {
    state.mode = kSmear;
    dab();
    expectHeights([](const MPoint&) { return 0.0; });
    for (int k = 0; k < 441; ++k) // no drag yet: nothing moves
        EXPECT_EQ(record.worldPoints[k].x, gridPoint(k).x);
    const MPoint second(kHit.x + 1.0, 0.0, kHit.z);
    dab(second.x, second.z);
    for (int k = 0; k < 441; ++k) {
        const MPoint p = gridPoint(k);
        if (onRim(p, second)) continue;
        EXPECT_NEAR(record.worldPoints[k].x, p.x + 5.0 * fall(p, second), 1e-5) << k;
        EXPECT_NEAR(record.worldPoints[k].z, p.z, 1e-9);
    }
}

TEST_F(DabModesTest, SmoothPullsTowardTheNeighbourMeanWhateverControlSays) {
    raiseBump();
    state.mode = kSmooth;
    dab(kHit.x, kHit.z, true);
    const double f = fall(MPoint(4, 1, 1), kHit);
    // The bump and its four neighbours: means of five points, one of them at height 1.
    EXPECT_NEAR(record.worldPoints[kBump].y, 1.0 + (0.2 - 1.0) * f * 0.4, 1e-6);
    for (int k : {kBump - 1, kBump + 1, kBump - 21, kBump + 21}) {
        const double fk = fall(gridPoint(k), kHit);
        EXPECT_NEAR(record.worldPoints[k].y, 0.2 * fk * 0.4, 1e-6) << k;
    }
    EXPECT_NEAR(record.worldPoints[kBump + 2].y, 0.0, 1e-12);
}

TEST_F(DabModesTest, FlattenPullsTowardTheCentrePlaneWithFalloffSquared) {
    raiseBump();
    state.mode = kFlatten;
    dab();
    const double f = fall(MPoint(4, 1, 1), kHit);
    EXPECT_NEAR(record.worldPoints[kBump].y, 1.0 - 1.0 * f * f * 0.1, 1e-6);
    EXPECT_NEAR(record.worldPoints[kBump - 1].y, 0.0, 1e-6);
}

TEST_F(DabModesTest, MaskPaintsWeightsAndControlRaisesThemBack) {
    state.mode = kMask;
    dab();
    expectHeights([](const MPoint&) { return 0.0; });
    for (int k = 0; k < 441; ++k) {
        const MPoint p = gridPoint(k);
        if (onRim(p, kHit)) continue;
        const bool inside = fall(p, kHit) > 0.0 || planarDistance(p, kHit) <= kRadius;
        EXPECT_EQ(record.maskFlag[k], inside) << k;
        EXPECT_NEAR(record.maskWeight[k], inside ? 1.0 - fall(p, kHit) : 1.0, 1e-6) << k;
    }
    state.spacing = 0.0;
    state.maskScale = 0.5;
    dab(kHit.x, kHit.z, true);
    for (int k = 0; k < 441; ++k) {
        const MPoint p = gridPoint(k);
        if (onRim(p, kHit) || planarDistance(p, kHit) > kRadius) continue;
        const double raised = 1.0 - fall(p, kHit) + 0.5 * fall(p, kHit);
        EXPECT_NEAR(record.maskWeight[k], std::min(raised, 1.0), 1e-6) << k;
        EXPECT_EQ(record.maskFlag[k], raised < 1.0) << k;
    }
}

TEST_F(DabModesTest, MaskWeightsHoldVerticesOnlyWithUseMask) {
    const int held = 21 * 9 + 12, half = 21 * 9 + 13; // (2, 1) and (3, 1)
    record.maskFlag[held] = record.maskFlag[half] = true;
    record.maskWeight[held] = 0.0;
    record.maskWeight[half] = 0.5;
    state.useMask = true;
    dab();
    EXPECT_EQ(record.worldPoints[held].y, 0.0);
    EXPECT_NEAR(record.worldPoints[half].y, 0.5 * fall(gridPoint(half), kHit), 1e-6);
    state.useMask = false;
    state.spacing = 0.0;
    dab();
    EXPECT_NEAR(record.worldPoints[held].y, fall(gridPoint(held), kHit), 1e-6);
}

TEST_F(DabModesTest, WithoutAccumulationNoVertexPassesTheValue) {
    state.useAccumulation = false;
    state.spacing = 0.0;
    for (int i = 0; i < 10; ++i)
        dab();
    for (int k = 0; k < 441; ++k) {
        const MPoint p = gridPoint(k);
        EXPECT_LE(record.worldPoints[k].y, 1.0 + 1e-12) << k;
        // Near the centre the falloff stays above 1/2 however high the vertex rises.
        if (planarDistance(p, kHit) < 1.0) {
            EXPECT_NEAR(record.worldPoints[k].y, 1.0, 1e-9) << k;
        }
    }
    state.useAccumulation = true; // the same dabs without the cap pass it
    dab();
    EXPECT_GT(record.worldPoints[21 * 9 + 12].y, 1.3);
}

TEST_F(DabModesTest, SamplesCloserThanSpacingApplyOneDab) {
    dab();
    dab(kHit.x + 0.5, kHit.z); // 0.5 < spacing 1: skipped
    expectHeights([](const MPoint& p) { return fall(p, kHit); });
    const MPoint next(kHit.x + 1.5, 0.0, kHit.z);
    dab(next.x, next.z);
    expectHeights([&](const MPoint& p) {
        const double first = fall(p, kHit);
        return first + fall(MPoint(p.x, first, p.z), next); // the second reads the first
    });
    EXPECT_NEAR(state.strokeDistanceA, 1.5, 1e-5);
}

TEST_F(DabModesTest, NoDeformMovesNothingButAdvancesTheStroke) {
    state.mode = kNoDeform;
    dab();
    const MPoint next(kHit.x + 2.0, 0.0, kHit.z);
    dab(next.x, next.z);
    expectHeights([](const MPoint&) { return 0.0; });
    EXPECT_NEAR(record.prevDabCentre.x, next.x, 1e-5);
    EXPECT_NEAR(state.strokeDistanceB, 2.0, 1e-5);
    EXPECT_EQ(state.centreNormalStacks[0].length(), 2u);
}

TEST_F(DabModesTest, MirroredInstancesAddUpScaledByTheOverlap) {
    state.reflectCode = 1; // x
    dab();
    const MPoint mirror(-kHit.x, 0.0, kHit.z);
    const double overlap = (2 * kHit.x) / (2 * kRadius) * 0.5 + 0.5;
    for (int k = 0; k < 441; ++k) {
        const MPoint p = gridPoint(k);
        if (onRim(p, kHit) || onRim(p, mirror)) continue;
        EXPECT_NEAR(record.worldPoints[k].y, overlap * (fall(p, kHit) + fall(p, mirror)), 1e-5)
            << k;
    }
}

TEST_F(DabModesTest, InstancesOnTheMirrorPlaneActAtHalfStrength) {
    state.reflectCode = 1;
    const MPoint centre(0.0, 0.0, kHit.z);
    dab(centre.x, centre.z);
    for (int k = 0; k < 441; ++k) {
        const MPoint p = gridPoint(k);
        if (onRim(p, centre)) continue;
        EXPECT_NEAR(record.worldPoints[k].y, 0.5 * 2 * fall(p, centre), 1e-5) << k;
    }
}

TEST_F(DabModesTest, ThreeMirrorPlanesMoveEachVertexOncePerInstance) {
    // Pinch, whose pull ignores the mirrored brush vectors (y-mirrored images point down).
    state.mode = kPinch;
    state.reflectCode = 7;
    dab();
    EXPECT_EQ(record.instanceCount, 8);
    // y mirrors onto itself on the plane, so the eight images are four doubled ones.
    const MPoint images[4] = {kHit, MPoint(-kHit.x, 0, kHit.z), MPoint(kHit.x, 0, -kHit.z),
                              MPoint(-kHit.x, 0, -kHit.z)};
    const double overlap = 2 * kHit.z / (2 * kRadius) * (1 - 0.125) + 0.125;
    for (int k = 0; k < 441; ++k) {
        const MPoint p = gridPoint(k);
        MVector pull;
        int reached = 0;
        bool rim = false;
        for (const MPoint& c : images) {
            pull += (c - p) * (2 * fall(p, c) * 0.025);
            reached += planarDistance(p, c) <= kRadius ? 2 : 0;
            rim = rim || onRim(p, c);
        }
        if (rim) continue;
        EXPECT_EQ(record.dabTouchCount[k], reached) << k;
        EXPECT_NEAR(record.worldPoints[k].x, p.x + overlap * pull.x, 1e-6) << k;
        EXPECT_NEAR(record.worldPoints[k].z, p.z + overlap * pull.z, 1e-6) << k;
    }
}

TEST_F(DabModesTest, MissesAndMissingServicesChangeNothing) {
    EXPECT_EQ(stroke().applyDab(at(14.0, 1.0)), MS::kFailure); // off the plane: no record
    state.setUp = false;
    EXPECT_EQ(stroke().applyDab(at(kHit.x, kHit.z)), MS::kNotFound);
    state.setUp = true;
    KVStroke bare(state, KVSculptServices::current()); // the stand-in: no manipulator
    EXPECT_EQ(bare.applyDab(at(kHit.x, kHit.z)), MS::kFailure);
    expectHeights([](const MPoint&) { return 0.0; });
}
