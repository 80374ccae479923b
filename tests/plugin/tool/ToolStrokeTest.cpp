// The sculpt tool driven as a user drives it: the built plug-in loaded into the host, a
// plane under an orthographic top view, the context made and picked by script, meshes
// registered through the context command and strokes made with hostMouse. Port
// (320 + 20 x, 240 - 20 z) looks straight down at world (x, 0, z).
#include "SculptSession.h"

#include <cmath>
#include <string>
#include <utility>

namespace {

class ToolStroke : public SculptSession {};

TEST_F(ToolStroke, ThePickedToolWaitsForMeshes) {
    EXPECT_EQ(integer("hostMouse -move " + port(3, -2)), 0); // no manipulator yet
    EXPECT_EQ(mouse("press", 3, -2), 1);
    EXPECT_EQ(mouse("release", 3, -2), 1);
    EXPECT_DOUBLE_EQ(height(3, -2), 0.0);

    ASSERT_TRUE(ok("select -r plane"));
    ASSERT_TRUE(ok("RavelinContext -e -addSelected rvTool")) << err();
    EXPECT_EQ(text("ls -sl"), "");
    EXPECT_EQ(text("currentCtx"), "rvTool");
    dab(3, -2);
    EXPECT_DOUBLE_EQ(height(3, -2), 1.0);
    EXPECT_EQ(text("undoInfo -q -undoName"), "RavelinToolCmd");
}

TEST_F(ToolStroke, ADabMovesEveryVertexInReachAlongObjectY) {
    addPlane();
    setOption("RVOption_value", 0.5);
    dab(3, -2);
    for (int dx = -2; dx <= 2; ++dx)
        for (int dz = -2; dz <= 2; ++dz) {
            const bool reached = std::hypot(dx, dz) <= 1.5;
            EXPECT_NEAR(height(3 + dx, -2 + dz), reached ? 0.5 : 0.0, 1e-6) << dx << " " << dz;
        }
    EXPECT_DOUBLE_EQ(height(-3, -2), 0.0);
}

TEST_F(ToolStroke, TheFallOffRampShapesADab) {
    addPlane();
    // From 1 at the centre down to 0 at the rim, linearly.
    setOption("RVOption_fallOffRamp", "1,0,1,0,1,1");
    dab(3, -2);
    EXPECT_NEAR(height(3, -2), 1.0, 1e-6);
    EXPECT_NEAR(height(4, -2), 1.0 - 1.0 / 1.5, 1e-6);
    EXPECT_NEAR(height(3, -1), 1.0 - 1.0 / 1.5, 1e-6);
    EXPECT_NEAR(height(4, -1), 1.0 - std::sqrt(2.0) / 1.5, 1e-6);
    EXPECT_DOUBLE_EQ(height(5, -2), 0.0);
    // An edit of the ramp between strokes shows in the next one: now flat at one half.
    setOption("RVOption_fallOffRamp", "0.5,0,1");
    dab(-4, 4);
    EXPECT_NEAR(height(-4, 4), 0.5, 1e-6);
    EXPECT_NEAR(height(-3, 5), 0.5, 1e-6);
}

TEST_F(ToolStroke, MirroringAcrossXMovesTheOtherSideToo) {
    addPlane();
    setOption("RVOption_reflectAxisX", 1);
    dab(4, 3);
    EXPECT_NEAR(height(4, 3), 1.0, 1e-6);
    EXPECT_NEAR(height(-4, 3), 1.0, 1e-6);
    EXPECT_NEAR(height(-5, 3), 1.0, 1e-6);
    EXPECT_DOUBLE_EQ(height(0, 3), 0.0);
    EXPECT_DOUBLE_EQ(height(4, -3), 0.0);
}

TEST_F(ToolStroke, ShiftSmoothsAndTheStoredModeComesBack) {
    addPlane();
    dab(2, 2); // a 3 x 3 plateau of height 1 around (2, 2)
    ASSERT_NEAR(height(3, 2), 1.0, 1e-6);
    dab(3, 2, "-shift");
    // Each vertex moves 0.4 of the way to the mean of itself and its four neighbours.
    EXPECT_NEAR(height(3, 2), 1.0 + 0.4 * ((1 + 1 + 1 + 1 + 0) / 5.0 - 1.0), 1e-6);
    EXPECT_NEAR(height(4, 2), 0.4 * (1 / 5.0), 1e-6);
    EXPECT_NEAR(height(2, 2), 1.0, 1e-6);
    // The next plain stroke displaces again: smoothing would leave flat ground alone.
    dab(-4, -4);
    EXPECT_NEAR(height(-4, -4), 1.0, 1e-6);
    // Control with Shift keeps the stored mode, reversed by Control.
    dab(4, -4, "-shift -ctrl");
    EXPECT_NEAR(height(4, -4), -1.0, 1e-6);
}

TEST_F(ToolStroke, TheValueEnvelopeFollowsTheClockInTimeMode) {
    addPlane();
    setOption("RVOption_useValueEnvelope", 1);
    setOption("RVOption_valueEnvelopeMode", 1);
    setOption("RVOption_valueEnvelopeTime", 2.0);
    setOption("RVOption_valueEnvelope", "0,0,1,1,1,1");
    ASSERT_TRUE(ok("hostClock -manual on"));
    // Each dab is scaled by the time the stroke had reached at the dab before it.
    EXPECT_EQ(mouse("press", -6, -6), 0);
    const std::pair<int, double> samples[] = {{-2, 0.0}, {2, 0.5}, {6, 1.0}};
    for (const auto& sample : samples) {
        ASSERT_TRUE(ok("hostClock -advance 1"));
        EXPECT_EQ(mouse("drag", sample.first, -6), 0);
    }
    EXPECT_EQ(mouse("release", 6, -6), 0);
    EXPECT_DOUBLE_EQ(height(-6, -6), 0.0);
    for (const auto& sample : samples)
        EXPECT_NEAR(height(sample.first, -6), sample.second, 1e-6) << sample.first;
}

TEST_F(ToolStroke, TheValueEnvelopeFollowsTheDistanceTravelled) {
    addPlane();
    setOption("RVOption_useValueEnvelope", 1);
    setOption("RVOption_valueEnvelopeMode", 0);
    setOption("RVOption_valueEnvelopeDistance", 10.0);
    setOption("RVOption_valueEnvelope", "0,0,1,1,1,1");
    EXPECT_EQ(mouse("press", -8, 4), 0);
    EXPECT_EQ(mouse("drag", -2, 4), 0);
    EXPECT_EQ(mouse("drag", 4, 4), 0);
    EXPECT_EQ(mouse("release", 4, 4), 0);
    EXPECT_DOUBLE_EQ(height(-8, 4), 0.0);
    EXPECT_DOUBLE_EQ(height(-2, 4), 0.0);
    EXPECT_NEAR(height(4, 4), 0.6, 1e-5);
}

TEST_F(ToolStroke, EveryStrokeIsOneUndoStep) {
    addPlane();
    dab(1, 5);
    dab(5, 1);
    ASSERT_TRUE(ok("undo"));
    EXPECT_NEAR(height(1, 5), 1.0, 1e-6);
    EXPECT_DOUBLE_EQ(height(5, 1), 0.0);
    ASSERT_TRUE(ok("undo"));
    EXPECT_DOUBLE_EQ(height(1, 5), 0.0);
    ASSERT_TRUE(ok("redo"));
    ASSERT_TRUE(ok("redo"));
    EXPECT_NEAR(height(1, 5), 1.0, 1e-6);
    EXPECT_NEAR(height(5, 1), 1.0, 1e-6);
    ASSERT_TRUE(ok("undo"));
    EXPECT_DOUBLE_EQ(height(5, 1), 0.0);
}

TEST_F(ToolStroke, APressOffTheMeshMakesNoStroke) {
    addPlane();
    EXPECT_EQ(mouse("press", 14, 0), 1);
    EXPECT_EQ(mouse("drag", 3, 0), 0); // no stroke under way: ignored
    EXPECT_EQ(mouse("release", 3, 0), 7);
    EXPECT_DOUBLE_EQ(height(3, 0), 0.0);
    EXPECT_EQ(text("undoInfo -q -undoName"), "");
}

TEST_F(ToolStroke, TheManipulatorFollowsTheMouse) {
    addPlane();
    const int before = integer("hostView -q -refreshCount");
    EXPECT_EQ(integer("hostMouse -move " + port(2, 2)), 1);
    EXPECT_GT(integer("hostView -q -refreshCount"), before);
    // A context edit makes a new manipulator in place of the old one.
    ASSERT_TRUE(ok("RavelinContext -e rvTool"));
    EXPECT_EQ(integer("hostMouse -move " + port(3, 2)), 1);
}

TEST_F(ToolStroke, TheScriptArraysListTheRegisteredMeshes) {
    ASSERT_TRUE(ok("polySphere -r 2 -n ball"));
    addPlane();
    ASSERT_TRUE(ok("RavelinContext -e -add ball rvTool"));
    ASSERT_TRUE(ok("RavelinContext -e -add plane rvTool"));
    EXPECT_EQ(text("global string $gRVAllCachedMeshes[]; $gRVAllCachedMeshes[0]"),
              "|plane|planeShape");
    EXPECT_EQ(text("global string $gRVSculptMeshes[]; $gRVSculptMeshes[1]"), "|ball|ballShape");
    EXPECT_EQ(integer("global string $gRVAllCachedGUIDs[]; size($gRVAllCachedGUIDs)"), 2);
    EXPECT_EQ(text("global string $gRVAllCachedGUIDs[]; $gRVAllCachedGUIDs[1]"),
              text("getAttr ballShape.RavelinSculptID"));
    EXPECT_TRUE(ok("RavelinContext -e -add noSuchMesh rvTool"));
    EXPECT_EQ(integer("global string $gRVSculptMeshes[]; size($gRVSculptMeshes)"), 2);
}

TEST_F(ToolStroke, LoadingAgainStartsWithNoMeshesAndEmptyScriptArrays) {
    addPlane();
    const char* const sizes[] = {
        "global string $gRVSculptMeshes[]; size($gRVSculptMeshes)",
        "global string $gRVAllCachedMeshes[]; size($gRVAllCachedMeshes)",
        "global string $gRVAllCachedGUIDs[]; size($gRVAllCachedGUIDs)"};
    for (const char* size : sizes)
        ASSERT_EQ(integer(size), 1) << size;
    ASSERT_TRUE(ok("setToolTo selectSuperContext"));
    ASSERT_TRUE(ok("unloadPlugin Ravelin")) << err();
    ASSERT_TRUE(ok("loadPlugin Ravelin")) << err();
    for (const char* size : sizes)
        EXPECT_EQ(integer(size), 0) << size;
    ASSERT_TRUE(ok("RavelinContext rvAgain; setToolTo rvAgain")) << err();
    EXPECT_EQ(mouse("press", 3, -2), 1); // no mesh to sculpt until one is added
    EXPECT_EQ(mouse("release", 3, -2), 1);
    EXPECT_DOUBLE_EQ(height(3, -2), 0.0);
}

} // namespace
