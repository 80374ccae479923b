// The manipulator's pick of the registered mesh under the mouse: the nearest hit along the
// mouse ray wins, an equal distance keeps the earlier record, and the pick becomes current.
#include "display/RavelinManipNode.h"
#include "sculpt/KVSculptRegistry.h"

#include "app/Startup.h"

#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class ManipulatorPick : public ::testing::Test {
protected:
    void SetUp() override {
        rvhost::startHost();
        for (const char* command :
             {"file -f -new", "hostView -camera 0 10 0 0 0 0 0 0 -1 -ortho 32 -size 640 480",
              "polyPlane -w 4 -h 4 -n lower", "polyPlane -w 4 -h 4 -n upper", "move -a 0 2 0 upper",
              "polyPlane -w 4 -h 4 -n twin", "move -a 0 2 0 twin"})
            ASSERT_TRUE(MGlobal::executeCommand(command)) << command;
    }
    void add(const char* name) {
        MSelectionList list;
        list.add(name);
        MDagPath path;
        list.getDagPath(0, path);
        ASSERT_TRUE(registry.addMesh(path));
    }
    // The mouse over world (x, z) of the top view.
    static void mouseAt(int x, int z) {
        const std::string command =
            "hostMouse -move " + std::to_string(320 + 20 * x) + " " + std::to_string(240 - 20 * z);
        ASSERT_TRUE(MGlobal::executeCommand(command.c_str()));
    }
    RVMeshData* pick() { return node.pickMesh(registry, status, hit, face, view); }

    KVSculptRegistry registry;
    RavelinManipNode node;
    MStatus status;
    MPoint hit;
    int face = -1;
    MVector view;
};

TEST_F(ManipulatorPick, TheNearestHitWinsAndBecomesCurrent) {
    mouseAt(1, 1);
    EXPECT_EQ(pick(), nullptr);
    EXPECT_EQ(status.statusCode(), MS::kFailure);

    add("lower");
    add("upper");
    add("twin");
    ASSERT_TRUE(registry.selectRecordById(registry.record(0).identifier));
    RVMeshData* picked = pick();
    ASSERT_NE(picked, nullptr);
    EXPECT_TRUE(status);
    EXPECT_EQ(picked, &registry.record(1)); // upper: nearer than lower, as near as twin
    EXPECT_EQ(registry.currentIndex(), 1);
    EXPECT_NEAR(hit.x, 1.0, 1e-6); // object space of upper
    EXPECT_NEAR(hit.y, 0.0, 1e-6);
    EXPECT_NEAR(hit.z, 1.0, 1e-6);
    EXPECT_GE(face, 0);
    EXPECT_NEAR(view.y, -1.0, 1e-6);

    mouseAt(5, 5); // beside every plane
    EXPECT_EQ(pick(), nullptr);
    EXPECT_EQ(registry.currentIndex(), 1);
}

} // namespace
