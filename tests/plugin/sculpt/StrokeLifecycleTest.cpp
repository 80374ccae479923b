// The stroke around the dabs: beginStroke's resets and snapshot, stroke time on the
// host's manual clock, stroke distance, the realtime write to the host mesh, and the
// hover footprint that places the brush without moving a vertex.
#include "SculptFixture.h"

class StrokeLifecycleTest : public SculptTest {
protected:
    StrokeLifecycleTest() { state.radius = 3.0; }
    ~StrokeLifecycleTest() override { MGlobal::executeCommand("hostClock -manual off"); }
};

TEST_F(StrokeLifecycleTest, BeginStrokeResetsTheStrokeSnapshotsAndAppliesTheFirstDab) {
    state.firstNormalTaken = state.distanceStarted = state.firstDabDone = true;
    state.strokeDistanceA = state.strokeTime = 9.0;
    state.grabGathered = state.showScaleDial = true;
    record.prevDabCentre = MPoint(2.3, 0, 1.2); // a hover left it under the cursor
    ASSERT_EQ(stroke().beginStroke(at(2.3, 1.2)), MS::kSuccess);
    EXPECT_FALSE(state.grabGathered);
    EXPECT_FALSE(state.showScaleDial);
    EXPECT_TRUE(state.firstDabDone);
    EXPECT_EQ(state.strokeDistanceA, 0.0);
    EXPECT_EQ(record.history.entries.size(), 1u);
    EXPECT_NEAR(record.worldPoints[21 * 9 + 12].y, 1.0 - std::hypot(0.3, 0.2) / 3.0, 1e-5);
    EXPECT_EQ(record.strokeNormal, MVector(0, 1, 0));
}

TEST_F(StrokeLifecycleTest, StrokeTimeAndDistanceAdvanceOnlyWithAcceptedDabs) {
    run("hostClock -manual on");
    stroke().beginStroke(at(2.3, 1.2));
    EXPECT_EQ(state.strokeTime, 0.0);
    run("hostClock -advance 0.5");
    stroke().applyDab(at(4.3, 1.2));
    EXPECT_DOUBLE_EQ(state.strokeTime, 0.5);
    EXPECT_NEAR(state.strokeDistanceA, 2.0, 1e-5);
    EXPECT_EQ(state.strokeDistanceA, state.strokeDistanceB);
    run("hostClock -advance 0.25");
    stroke().applyDab(at(4.5, 1.2)); // closer than spacing: no dab, no time
    EXPECT_DOUBLE_EQ(state.strokeTime, 0.5);
    run("hostClock -advance 0.25");
    stroke().applyDab(at(4.3, 4.2));
    EXPECT_DOUBLE_EQ(state.strokeTime, 1.0);
    EXPECT_NEAR(state.strokeDistanceB, 5.0, 1e-5);
}

TEST_F(StrokeLifecycleTest, RealtimeUpdateWritesEachDabToTheHostMesh) {
    const int k = 21 * 9 + 12;
    stroke().applyDab(at(2.3, 1.2));
    MPoint live;
    MFnMesh(record.meshPath).getPoint(k, live);
    EXPECT_EQ(live.y, 0.0); // the cached points only
    state.realtimeUpdate = true;
    state.spacing = 0.0;
    stroke().applyDab(at(2.3, 1.2));
    MFnMesh(record.meshPath).getPoint(k, live);
    EXPECT_NEAR(live.y, record.points[k].y, 1e-6);
    EXPECT_GT(live.y, 1.0);
}

TEST_F(StrokeLifecycleTest, FootprintPlacesMirroredInstancesAndMovesNothing) {
    state.reflectCode = 1;
    state.vectorType = kViewRay;
    const MPoint hit(2.3, 0, 1.2);
    ASSERT_EQ(stroke().computeFootprint(record, hit, 0, MVector(0, -1, 0)), MS::kSuccess);
    EXPECT_EQ(record.instanceCount, 2);
    EXPECT_EQ(record.instanceCentres[1], MPoint(-2.3, 0, 1.2));
    EXPECT_EQ(record.prevDabCentre, hit);
    EXPECT_EQ(state.instanceDisplayVectors[1], MVector(0, 1, 0));
    EXPECT_TRUE(state.meshModified && state.displayDirty);
    for (int k = 0; k < 441; ++k)
        ASSERT_EQ(record.worldPoints[k].y, 0.0);
    // Within spacing of the last footprint nothing is recomputed.
    stroke().computeFootprint(record, MPoint(2.8, 0, 1.2), 0, MVector(0, -1, 0));
    EXPECT_EQ(record.instanceCentres[0], hit);
    stroke().computeFootprint(record, MPoint(4.3, 0, 1.2), 0, MVector(0, -1, 0));
    EXPECT_EQ(record.instanceCentres[0], MPoint(4.3, 0, 1.2));
    EXPECT_EQ(state.instanceDragDirections[0], MVector(1, 0, 0));
    EXPECT_EQ(record.prevInstanceCentres[0], MPoint(2.3, 0, 1.2));
}
