#include "CommandsFixture.h"

TEST_F(CommandsTest, MoveAndXformPlaceTransformsInWorldAndParentSpace) {
    text("createNode transform -n parent");
    strings("polyCube -n box");
    rvhost::Scene::instance().reparent(*rvhost::Scene::instance().find("box")->asDag(),
                                       rvhost::Scene::instance().find("parent")->asDag());
    ASSERT_TRUE(ok("setAttr parent.translate 10 0 0"));
    ASSERT_TRUE(ok("move 1 2 3 box"));
    expectNear3(numbers("xform -q -ws -t box"), 1, 2, 3);
    expectNear3(numbers("xform -q -os -t box"), -9, 2, 3);
    ASSERT_TRUE(ok("move -r 1 0 0 box"));
    expectNear3(numbers("getAttr box.translate"), -8, 2, 3);
    ASSERT_TRUE(ok("xform -ws -t 0 0 0 box"));
    expectNear3(numbers("getAttr box.translate"), -10, 0, 0);
    ASSERT_TRUE(ok("setAttr parent.rotateY 90"));
    ASSERT_TRUE(ok("move -r -os 0 0 1 parent"));
    expectNear3(numbers("getAttr parent.translate"), 11, 0, 0);
    std::vector<double> m = numbers("xform -q -ws -m box");
    ASSERT_EQ(m.size(), 16u);
    EXPECT_NEAR(m[12], 11, 1e-9);
    EXPECT_NEAR(m[14], 10, 1e-9);

    ASSERT_TRUE(undo());
    expectNear3(numbers("getAttr parent.translate"), 10, 0, 0);
    ASSERT_TRUE(undo()); // rotateY
    ASSERT_TRUE(undo()); // xform
    expectNear3(numbers("getAttr box.translate"), -8, 2, 3);
    ASSERT_TRUE(redo());
    expectNear3(numbers("xform -q -ws -t box"), 0, 0, 0);
}

TEST_F(CommandsTest, VerticesMoveInWorldOrObjectSpace) {
    strings("polyPlane -w 2 -h 2 -sx 1 -sy 1");
    ASSERT_TRUE(ok("setAttr pPlane1.translate 0 5 0"));
    expectNear3(numbers("pointPosition -w pPlane1.vtx[0]"), -1, 5, 1);
    ASSERT_TRUE(ok("move -r 0 1 0 pPlane1.vtx[0]"));
    expectNear3(numbers("pointPosition -l pPlane1.vtx[0]"), -1, 1, 1);
    ASSERT_TRUE(ok("move -a -ws 0 0 0 pPlane1.vtx[1]"));
    expectNear3(numbers("pointPosition -l pPlane1.vtx[1]"), 0, -5, 0);
    ASSERT_TRUE(ok("xform -ws -t 4 4 4 pPlane1.vtx[2]"));
    expectNear3(numbers("xform -q -os -t pPlane1.vtx[2]"), 4, -1, 4);
    EXPECT_EQ(numbers("xform -q -ws -t pPlane1.vtx[0:3]").size(), 12u);
    // A face moves its corners.
    ASSERT_TRUE(ok("move -r -os 0 0 1 pPlane1.f[0]"));
    expectNear3(numbers("pointPosition -l pPlane1.vtx[3]"), 1, 0, 0);
    ASSERT_TRUE(undo());
    ASSERT_TRUE(undo());
    ASSERT_TRUE(undo());
    expectNear3(numbers("pointPosition -l pPlane1.vtx[1]"), 1, 0, 1);
    EXPECT_NE(failure("pointPosition pPlane1.vtx[0:1]").find("not one vertex"), std::string::npos);
    EXPECT_NE(failure("move 1 2 pPlane1").find("three numbers"), std::string::npos);
}
