// Registered meshes that leave the model between strokes: the strokes and undo steps of
// the meshes still there go on as before, and nothing reaches for the one that left.
#include "SculptSession.h"

#include <string>

namespace {

class MeshesLeaving : public SculptSession {
protected:
    void SetUp() override {
        SculptSession::SetUp();
        // A second, small plane to the right of the first: x from 11 to 15, z from -2 to 2.
        ASSERT_TRUE(ok("polyPlane -w 4 -h 4 -sx 4 -sy 4 -n other")) << err();
        ASSERT_TRUE(ok("move 13 0 0 other")) << err();
        addPlane();
        ASSERT_TRUE(ok("RavelinContext -e -add other rvTool")) << err();
    }
    // Height of the other plane's vertex at world (x, z).
    double otherHeight(int x, int z) {
        const int k = (2 - z) * 5 + (x - 11);
        return numbers("pointPosition -l other.vtx[" + std::to_string(k) + "]").at(1);
    }
};

TEST_F(MeshesLeaving, StrokesAndUndoGoOnWhenARegisteredMeshIsDeletedForGood) {
    dab(13, 0);
    ASSERT_NEAR(otherHeight(13, 0), 1.0, 1e-6);
    ASSERT_TRUE(ok("delete other")) << err();
    ASSERT_TRUE(ok("flushUndo")) << err();
    dab(1, 5);
    dab(5, 1);
    EXPECT_NEAR(height(1, 5), 1.0, 1e-6);
    EXPECT_NEAR(height(5, 1), 1.0, 1e-6);
    // The cursor over the place where the deleted plane was finds nothing to sculpt.
    EXPECT_EQ(mouse("press", 13, 0), 1);
    EXPECT_EQ(mouse("release", 13, 0), 7); // not-found: no stroke under way
    ASSERT_TRUE(ok("undo")) << err();
    EXPECT_NEAR(height(1, 5), 1.0, 1e-6);
    EXPECT_DOUBLE_EQ(height(5, 1), 0.0);
    ASSERT_TRUE(ok("undo")) << err();
    EXPECT_DOUBLE_EQ(height(1, 5), 0.0);
    ASSERT_TRUE(ok("redo")) << err();
    EXPECT_NEAR(height(1, 5), 1.0, 1e-6);
    EXPECT_DOUBLE_EQ(height(5, 1), 0.0);
    dab(-5, -5);
    EXPECT_NEAR(height(-5, -5), 1.0, 1e-6);
    EXPECT_NEAR(height(1, 5), 1.0, 1e-6);
}

TEST_F(MeshesLeaving, AMeshDeletedAndBroughtBackByUndoIsSculptedAgain) {
    dab(13, 0);
    // As the user's delete is: undoable.
    ASSERT_TRUE(MGlobal::executeCommand("delete other", false, true)) << err();
    dab(1, 5);
    ASSERT_TRUE(ok("undo")) << err(); // the stroke on the plane
    EXPECT_DOUBLE_EQ(height(1, 5), 0.0);
    ASSERT_TRUE(ok("undo")) << err(); // the deletion
    ASSERT_EQ(integer("objExists other"), 1);
    EXPECT_NEAR(otherHeight(13, 0), 1.0, 1e-6);
    dab(12, 1);
    EXPECT_NEAR(otherHeight(12, 1), 2.0, 1e-6); // reached by both dabs
    EXPECT_NEAR(otherHeight(15, -2), 0.0, 1e-6); // beyond both
    EXPECT_DOUBLE_EQ(height(1, 5), 0.0);
    ASSERT_TRUE(ok("undo")) << err();
    EXPECT_NEAR(otherHeight(12, 1), 1.0, 1e-6);
    EXPECT_NEAR(otherHeight(13, 0), 1.0, 1e-6);
}

} // namespace
