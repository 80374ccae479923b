// The grab brush and the stroke's loose ends, driven as a user drives the built plug-in:
// a grab stroke undone and redone, the tool put away in the middle of a stroke, and a copy
// of a sculpted mesh that carries the original's tag. Port (320 + 20 x, 240 - 20 z)
// looks straight down at world (x, 0, z).
#include "SculptSession.h"

#include <cmath>
#include <string>

namespace {

class GrabTool : public SculptSession {
protected:
    void SetUp() override {
        SculptSession::SetUp();
        addPlane();
        setOption("RVOption_mode", 5);
    }
    // Object-space position of a mesh's vertex.
    std::vector<double> vertex(const std::string& mesh, int k) {
        return numbers("pointPosition -l " + mesh + ".vtx[" + std::to_string(k) + "]");
    }
    // z of the plane's vertex that started at world (x, z).
    double zOf(int x, int z) { return vertex("plane", (10 - z) * 21 + (x + 10)).at(2); }
};

TEST_F(GrabTool, AGrabStrokeIsOneUndoStep) {
    EXPECT_EQ(mouse("press", 2, 0), 0) << err();
    EXPECT_EQ(mouse("drag", 2, 1), 0) << err();
    EXPECT_EQ(mouse("drag", 2, 2), 0) << err();
    EXPECT_EQ(mouse("release", 2, 2), 0) << err();
    // The flat brush carries the nine gathered vertices the whole way; the rest stay.
    EXPECT_NEAR(zOf(2, 0), 2.0, 1e-6);
    EXPECT_NEAR(zOf(3, -1), 1.0, 1e-6);
    EXPECT_NEAR(zOf(4, 0), 0.0, 1e-6);
    EXPECT_EQ(text("undoInfo -q -undoName"), "RavelinToolCmd");
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(ok("undo")) << err();
        EXPECT_NEAR(zOf(2, 0), 0.0, 1e-6);
        EXPECT_NEAR(zOf(3, -1), -1.0, 1e-6);
        ASSERT_TRUE(ok("redo")) << err();
        EXPECT_NEAR(zOf(2, 0), 2.0, 1e-6);
        EXPECT_NEAR(zOf(3, -1), 1.0, 1e-6);
    }
}

TEST_F(GrabTool, PuttingTheToolAwayMidStrokeEndsTheStrokeAsAReleaseWould) {
    EXPECT_EQ(mouse("press", -3, 0), 0) << err();
    EXPECT_EQ(mouse("drag", -3, 1), 0) << err();
    EXPECT_EQ(mouse("drag", -3, 2), 0) << err();
    clearMessages();
    ASSERT_TRUE(ok("setToolTo selectSuperContext")) << err();
    EXPECT_NE(err().find("the stroke was ended there"), std::string::npos) << err();
    // The stroke reached the mesh and is one undoable step.
    EXPECT_NEAR(zOf(-3, 0), 2.0, 1e-6);
    EXPECT_EQ(text("undoInfo -q -undoName"), "RavelinToolCmd");
    ASSERT_TRUE(ok("undo")) << err();
    EXPECT_NEAR(zOf(-3, 0), 0.0, 1e-6);
    ASSERT_TRUE(ok("redo")) << err();
    EXPECT_NEAR(zOf(-3, 0), 2.0, 1e-6);
    // Back in the tool, the next stroke and its undo work as ever.
    ASSERT_TRUE(ok("setToolTo rvTool")) << err();
    MGlobal::setOptionVarValue("RVOption_mode", 0);
    MGlobal::setOptionVarValue("RVOption_value", 0.5);
    EXPECT_EQ(mouse("press", 5, -5), 0) << err();
    EXPECT_EQ(mouse("release", 5, -5), 0) << err();
    EXPECT_NEAR(vertex("plane", 15 * 21 + 15).at(1), 0.5, 1e-6);
    ASSERT_TRUE(ok("undo")) << err();
    EXPECT_NEAR(vertex("plane", 15 * 21 + 15).at(1), 0.0, 1e-6);
    EXPECT_NEAR(zOf(-3, 0), 2.0, 1e-6);
}

TEST_F(GrabTool, ACopyCarryingTheOriginalsTagGetsARecordOfItsOwn) {
    // A small plane a unit above the big one, tagged as a duplicate of it would be: the
    // cursor at (3, 0) meets the copy first and the plane below it.
    const std::string original = text("getAttr planeShape.RavelinSculptID");
    ASSERT_EQ(original.size(), 36u);
    for (const std::string& command : std::vector<std::string>{
             "polyPlane -w 4 -h 4 -sx 4 -sy 4 -n copy", "setAttr copy.translate 3 1 0",
             "addAttr -ln RavelinSculptID -sn rvId -dt \"string\" -h 1 copyShape",
             "setAttr -type \"string\" copyShape.RavelinSculptID \"" + original + "\""})
        ASSERT_TRUE(ok(command)) << command << err();
    MGlobal::setOptionVarValue("RVOption_mode", 0);
    // Not registered yet: a press on it finds no record and the original stays as it was.
    EXPECT_EQ(mouse("press", 3, 0), 1);   // failure
    EXPECT_EQ(mouse("release", 3, 0), 7); // not-found: no stroke under way
    EXPECT_NEAR(vertex("copy", 12).at(1), 0.0, 1e-6);
    EXPECT_NEAR(vertex("plane", 10 * 21 + 13).at(1), 0.0, 1e-6);
    EXPECT_EQ(text("undoInfo -q -undoName"), "");

    ASSERT_TRUE(ok("RavelinContext -e -add copy rvTool")) << err();
    const std::string copyTag = text("getAttr copyShape.RavelinSculptID");
    EXPECT_EQ(copyTag.size(), 36u);
    EXPECT_NE(copyTag, original);
    EXPECT_EQ(text("getAttr planeShape.RavelinSculptID"), original);
    EXPECT_EQ(integer("global string $gRVAllCachedMeshes[]; size($gRVAllCachedMeshes)"), 2);

    // A dab on the copy moves the copy's vertex under it, and nothing of the plane.
    EXPECT_EQ(mouse("press", 3, 0), 0) << err();
    EXPECT_EQ(mouse("release", 3, 0), 0) << err();
    EXPECT_NEAR(vertex("copy", 12).at(1), 1.0, 1e-6);
    EXPECT_NEAR(vertex("plane", 10 * 21 + 13).at(1), 0.0, 1e-6);
}

} // namespace
