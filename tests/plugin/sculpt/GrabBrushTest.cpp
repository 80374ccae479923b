// The grab brush on the fixture's plane: the gather, translation by the falloff share of
// the cursor's motion, mirrored instances adding up, masks and stencil, the rotation dial
// with its warm-up and every axis choice, the flipped sense of mirrored instances, and the
// scale dial with every axis code. Expected positions come from the grid's own layout and
// from rotation and scaling formulas worked here.
#include "SculptFixture.h"

#include "sculpt/KVGrabBrush.h"

#include <maya/MFnMesh.h>

#include <string>

namespace {
const double kPi = 3.14159265358979323846;

// A sample at a port position.
KVCursorSample port(short x, short y, bool control = false, bool shift = false) {
    KVCursorSample s;
    s.x = x;
    s.y = y;
    s.control = control;
    s.shift = shift;
    return s;
}

// Rodrigues' formula: p turned by angle about the unit axis through pivot, right-handed.
MPoint turned(const MPoint& p, const MVector& axis, double angle, const MPoint& pivot) {
    const MVector k = axis.normal();
    const MVector v = p - pivot;
    const MVector r =
        v * std::cos(angle) + (k ^ v) * std::sin(angle) + k * ((k * v) * (1.0 - std::cos(angle)));
    return pivot + r;
}

// The fixture's falloff, 1 - t, as the ramp hands it over (single precision).
double falloff(double distance, double radius) {
    return 1.0f - static_cast<float>(distance / radius);
}

// The host keeps mesh points in single precision and the ramp hands over single-precision
// values: positions agree to about 1e-7.
void expectNear(const MPoint& actual, const MPoint& expected, const std::string& what) {
    EXPECT_NEAR(actual.x, expected.x, 1e-6) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-6) << what;
    EXPECT_NEAR(actual.z, expected.z, 1e-6) << what;
}

int vertexAt(int x, int z) {
    return (10 - z) * 21 + (x + 10);
}
} // namespace

class GrabBrushTest : public SculptTest {
protected:
    GrabBrushTest() {
        state.mode = kGrab;
        state.meshesReady = true;
        state.radius = 3.0;
    }

    KVGrabBrush grab() { return KVGrabBrush(state, services); }
    // The press of a grab stroke at a port position: beginStroke gathers there.
    void press(short x, short y) { ASSERT_EQ(stroke().beginStroke(port(x, y)), MS::kSuccess); }
    void drag(const KVCursorSample& sample) { EXPECT_EQ(grab().applyGrab(sample), MS::kSuccess); }
    // Control at the port position, then three warm-up samples at (x + 100, y), then the
    // cursor straight above the dial centre: a quarter turn.
    void quarterTurn(short x, short y) {
        drag(port(x, y, true));
        for (int k = 0; k < 3; ++k)
            drag(port(x + 100, y, true));
        drag(port(x, y + 100, true));
    }
    MPoint worldPoint(int k) {
        MPoint p;
        MFnMesh(record.meshPath).getPoint(k, p, MSpace::kWorld);
        return p;
    }
};

TEST_F(GrabBrushTest, TranslationMovesEachVertexByItsFalloffShareOfTheCursorMotion) {
    state.radius = 2.5;
    press(320, 240); // world (0, 0, 0)
    EXPECT_TRUE(state.grabGathered);
    EXPECT_FALSE(state.strokeFinished);
    EXPECT_NEAR(state.grabDepth, 10.0, 1e-12);
    // Every later sample moves from the gathered shape by the whole offset since the press.
    for (const MVector& cursor : {MVector(1.5, 0, -0.5), MVector(-1.0, 0, 2.0)}) {
        drag(at(cursor.x, cursor.z));
        int moved = 0;
        for (int k = 0; k < 441; ++k) {
            const MPoint p = gridPoint(k);
            const double e = p.distanceTo(MPoint());
            const MPoint expected = e <= 2.5 ? p + cursor * falloff(e, 2.5) : p;
            expectNear(record.worldPoints[k], expected, "vertex " + std::to_string(k));
            expectNear(record.points[k], expected, "object " + std::to_string(k));
            EXPECT_EQ(record.strokeTouched[k] != 0, e <= 2.5) << k;
            moved += e <= 2.5;
        }
        EXPECT_EQ(moved, 21);
        const MVector shown = state.instanceDisplayVectors[0];
        EXPECT_NEAR((shown - cursor.normal()).length(), 0.0, 1e-12);
    }
    EXPECT_EQ(record.lowestGrabbedVertex, vertexAt(-1, 2));
}

TEST_F(GrabBrushTest, AVertexTwoMirroredInstancesReachMovesByBothWeightedOffsets) {
    state.reflectCode = 1; // mirrored across x = 0
    state.radius = 2.0;
    press(330, 240); // world (0.5, 0, 0) and its image (-0.5, 0, 0)
    ASSERT_EQ(record.instanceCount, 2);
    drag(at(0.5, 1.0)); // both grab points move +1 in z
    for (int k = 0; k < 441; ++k) {
        const MPoint p = gridPoint(k);
        const double e0 = p.distanceTo(MPoint(0.5, 0, 0)), e1 = p.distanceTo(MPoint(-0.5, 0, 0));
        double dz = 0.0;
        if (e0 <= 2.0) dz += falloff(e0, 2.0);
        if (e1 <= 2.0) dz += falloff(e1, 2.0);
        expectNear(record.worldPoints[k], p + MVector(0, 0, dz), "vertex " + std::to_string(k));
    }
    // The centre vertex lies half a unit from both: 0.75 of the motion from each.
    EXPECT_NEAR(record.worldPoints[vertexAt(0, 0)].z, 1.5, 1e-6);
    EXPECT_NEAR(record.worldPoints[vertexAt(2, 0)].z, 0.25, 1e-6);
    EXPECT_EQ(record.vertexRecords[vertexAt(1, 0)].slots.size(), 2u);
    EXPECT_EQ(record.vertexRecords[vertexAt(2, 0)].slots.size(), 1u);
}

TEST_F(GrabBrushTest, APressOffTheMeshGathersAtTheFirstSampleThatHits) {
    // Off the plane (it ends at x = 10): nothing gathered, nothing moves, no failure.
    EXPECT_EQ(grab().applyGrab(at(12, 0)), MS::kSuccess);
    EXPECT_FALSE(state.grabGathered);
    drag(at(9, 0));
    ASSERT_TRUE(state.grabGathered);
    EXPECT_NEAR(record.hitPoint.x, 9.0, 1e-6);
    drag(at(9, 1));
    for (int k = 0; k < 441; ++k) {
        const MPoint p = gridPoint(k);
        const double e = p.distanceTo(MPoint(9, 0, 0));
        const MPoint expected = e <= 3.0 ? p + MVector(0, 0, falloff(e, 3.0)) : p;
        expectNear(record.worldPoints[k], expected, "vertex " + std::to_string(k));
    }
    EXPECT_NEAR(record.worldPoints[vertexAt(10, 0)].z, 2.0 / 3.0, 1e-7);
}

TEST_F(GrabBrushTest, MasksAndTheStencilScaleTheMove) {
    struct StencilServices : TestServices {
        bool stencilActive() override { return true; }
        double stencilSample(const MPoint& p) override { return p.x < -0.5 ? 0.25 : 1.0; }
    } stencil;
    stencil.record = &record;
    state.radius = 10.0;
    state.useMask = true;
    const int held = vertexAt(1, 1), half = vertexAt(2, 0), unflagged = vertexAt(0, 2),
              shaded = vertexAt(-2, 0);
    record.maskFlag[held] = record.maskFlag[half] = true;
    record.maskWeight[held] = 0.0;
    record.maskWeight[half] = 0.5;
    record.maskWeight[unflagged] = 0.2;                    // no flag: the weight is not read
    KVGrabBrush(state, stencil).applyGrab(port(320, 240)); // the gather samples the stencil
    KVGrabBrush(state, stencil).applyGrab(at(0, 2));
    const auto share = [](int x, int z) { return 2.0 * falloff(std::hypot(x, z), 10.0); };
    EXPECT_EQ(record.worldPoints[held], gridPoint(held));
    EXPECT_NEAR(record.worldPoints[half].z, 0.0 + 0.5 * share(2, 0), 1e-6);
    EXPECT_NEAR(record.worldPoints[unflagged].z, 2.0 + share(0, 2), 1e-6);
    EXPECT_NEAR(record.worldPoints[shaded].z, 0.0 + 0.25 * share(-2, 0), 1e-6);
    // With the mask off the weights are ignored.
    state.useMask = false;
    KVGrabBrush(state, stencil).applyGrab(at(0, 2));
    EXPECT_NEAR(record.worldPoints[held].z, 1.0 + share(1, 1), 1e-6);
}

TEST_F(GrabBrushTest, TheDialWarmsUpForThreeSamplesAndCountsFromTheThird) {
    state.grabRotateAxis = 1;
    press(320, 240);
    drag(port(320, 240, true)); // the dial starts here
    EXPECT_TRUE(state.rotating);
    EXPECT_TRUE(state.showRotateDial);
    EXPECT_EQ(state.rotateDialPoints[1].x, 420);
    // Three samples at 0, 90 and 180 degrees round the dial: nothing turns, and the base
    // is the third.
    const short warmUp[3][2] = {{420, 240}, {320, 340}, {220, 240}};
    for (const auto& xy : warmUp) {
        drag(port(xy[0], xy[1], true));
        for (int k = 0; k < 441; ++k)
            ASSERT_EQ(record.worldPoints[k], gridPoint(k)) << k;
    }
    EXPECT_EQ(state.rotateDialPoints[3].x, 220);
    // 270 degrees: a quarter turn on from the third sample.
    drag(port(320, 140, true));
    EXPECT_NEAR(state.dialAngle, kPi / 2, 1e-12);
    EXPECT_EQ(state.rotateDialPoints[3].x, 320);
    EXPECT_EQ(state.rotateDialPoints[3].y, 140);
    for (int k = 0; k < 441; ++k) {
        const MPoint p = gridPoint(k);
        const double e = p.distanceTo(MPoint());
        const MPoint full = turned(p, MVector(0, 1, 0), kPi / 2, MPoint());
        const MPoint expected = e <= 3.0 ? p + (full - p) * falloff(e, 3.0) : p;
        expectNear(record.worldPoints[k], expected, "vertex " + std::to_string(k));
    }
    // (1, 0, 0) turns toward -z by two thirds of the way.
    expectNear(record.worldPoints[vertexAt(1, 0)], MPoint(1.0 / 3, 0, -2.0 / 3), "(1, 0)");
    // Letting Control go ends the rotation and hides the dial.
    drag(port(320, 140));
    EXPECT_FALSE(state.rotating);
    EXPECT_FALSE(state.showRotateDial);
}

TEST_F(GrabBrushTest, TheCursorOnTheDialCentreLeavesTheAngleAsItWas) {
    state.grabRotateAxis = 2;
    press(320, 240);
    for (int k = 0; k < 6; ++k)
        drag(port(320, 240, true));
    EXPECT_EQ(state.dialAngle, 0.0);
    for (int k = 0; k < 441; ++k)
        ASSERT_EQ(record.worldPoints[k], gridPoint(k)) << k;
}

TEST_F(GrabBrushTest, RotationTurnsAboutTheChosenAxis) {
    // The plane tipped 30 degrees about x: its face normal differs from every other choice.
    run("setAttr plane.rotateX 30");
    const MVector faceNormal(0, std::cos(kPi / 6), std::sin(kPi / 6));
    const MVector axes[] = {MVector(1, 0, 0), MVector(0, 1, 0), MVector(0, 0, 1), MVector(0, -1, 0),
                            faceNormal};
    for (int choice = 0; choice < 5; ++choice) {
        SCOPED_TRACE("axis choice " + std::to_string(choice));
        state.grabRotateAxis = choice == 4 ? 7 : choice; // any other value: the brush vector
        press(320, 240);
        quarterTurn(320, 240);
        for (int k = 0; k < 441; ++k) {
            const MPoint p = worldPoint(k);
            const double e = p.distanceTo(MPoint());
            const MPoint full = turned(p, axes[choice], kPi / 2, MPoint());
            const MPoint expected = e <= 3.0 ? p + (full - p) * falloff(e, 3.0) : p;
            expectNear(record.worldPoints[k], expected, "vertex " + std::to_string(k));
        }
    }
}

TEST_F(GrabBrushTest, MirroredInstancesTurnTheOtherWayWhenFlipped) {
    state.reflectCode = 1;
    state.radius = 1.5;
    state.grabRotateAxis = 1;
    for (const bool flip : {true, false}) {
        SCOPED_TRACE(flip ? "flipped" : "same sense");
        state.flipReflectedGrabRotation = flip;
        press(360, 240); // world (2, 0, 0) and its image (-2, 0, 0)
        quarterTurn(360, 240);
        for (int k = 0; k < 441; ++k) {
            const MPoint p = gridPoint(k);
            MVector delta;
            const MPoint pivots[2] = {MPoint(2, 0, 0), MPoint(-2, 0, 0)};
            for (int i = 0; i < 2; ++i) {
                const double e = p.distanceTo(pivots[i]);
                const double angle = flip && i == 1 ? -kPi / 2 : kPi / 2;
                if (e <= 1.5)
                    delta += (turned(p, MVector(0, 1, 0), angle, pivots[i]) - p) * falloff(e, 1.5);
            }
            expectNear(record.worldPoints[k], p + delta, "vertex " + std::to_string(k));
        }
        // The halves' images: flipped, both go toward -z; else the image goes toward +z.
        EXPECT_NEAR(record.worldPoints[vertexAt(3, 0)].z, -1.0 / 3, 1e-6);
        EXPECT_NEAR(record.worldPoints[vertexAt(-3, 0)].z, flip ? -1.0 / 3 : 1.0 / 3, 1e-6);
    }
}

TEST_F(GrabBrushTest, EachScaleCodeScalesItsAxesAboutTheGrabPoint) {
    // A tilted flat ground, so that the y scale shows too; it passes through the origin.
    MFnMesh mesh(record.meshPath);
    MPointArray points;
    mesh.getPoints(points);
    for (unsigned int k = 0; k < points.length(); ++k)
        points[k].y = 0.1 * points[k].x + 0.2 * points[k].z;
    mesh.setPoints(points);
    mesh.getPoints(points); // as the host keeps them
    // The dial at port (320, 240), the cursor at (345, 230): sx = (100 + 50) / 100 and
    // sy = (100 - 20) / 100.
    const double sx = 1.5, sy = 0.8;
    const MVector scales[8] = {{1, 1, 1},   {sx, 1, 1},  {1, sy, 1},  {1, 1, (sx + sy) / 2},
                               {sx, sy, 1}, {sx, 1, sy}, {1, sy, sx}, {sx, sy, (sx + sy) / 2}};
    for (int code = 0; code < 8; ++code) {
        SCOPED_TRACE("code " + std::to_string(code));
        state.grabScaleCode = code;
        press(320, 240);
        drag(port(320, 240, true, true));
        EXPECT_TRUE(state.scaling);
        EXPECT_TRUE(state.showScaleDial);
        drag(port(345, 230, true, true));
        const MVector& s = scales[code];
        for (int k = 0; k < 441; ++k) {
            const MPoint p = points[k];
            const double e = p.distanceTo(MPoint());
            const MPoint full(p.x * s.x, p.y * s.y, p.z * s.z);
            const MPoint expected = e <= 3.0 ? p + (full - p) * falloff(e, 3.0) : p;
            expectNear(record.worldPoints[k], expected, "vertex " + std::to_string(k));
        }
    }
    // The outline of the scale dial: from the cursor back by 150 x 80 pixels.
    const short corners[4][2] = {{345, 230}, {345, 150}, {195, 150}, {195, 230}};
    for (int q = 0; q < 4; ++q) {
        EXPECT_EQ(state.scaleDialPoints[q].x, corners[q][0]) << q;
        EXPECT_EQ(state.scaleDialPoints[q].y, corners[q][1]) << q;
    }
    // Fifty pixels right of the dial centre with every axis on: twice the size in x.
    state.grabScaleCode = 7;
    drag(port(370, 240, true, true));
    const MPoint p = points[vertexAt(1, 0)];
    EXPECT_NEAR(record.worldPoints[vertexAt(1, 0)].x,
                1.0 + (2.0 - 1.0) * falloff(p.distanceTo(MPoint()), 3.0), 1e-6);
}

TEST_F(GrabBrushTest, TheFirstSampleFailsWithoutAManipulatorOrMeshes) {
    state.meshesReady = false;
    EXPECT_EQ(grab().applyGrab(at(0, 0)), MS::kFailure);
    state.meshesReady = true;
    services.record = nullptr;
    EXPECT_EQ(grab().applyGrab(at(0, 0)), MS::kFailure);
    EXPECT_FALSE(state.grabGathered);
}
