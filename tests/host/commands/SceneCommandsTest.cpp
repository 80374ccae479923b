#include "CommandsFixture.h"

using Strings = std::vector<std::string>;

TEST_F(CommandsTest, PolyPlaneFollowsTheDocumentedVertexOrderAndSelectsItsTransform) {
    EXPECT_EQ(strings("polyPlane -w 4 -h 2 -sx 2 -sy 1"), (Strings{"pPlane1", "pPlaneShape1"}));
    EXPECT_EQ(number("polyEvaluate -v pPlane1"), 6);
    // Vertex k = r(SX+1) + c at x = -w/2 + c*w/SX, z = h/2 - r*h/SY.
    expectNear3(numbers("pointPosition -l pPlane1.vtx[4]"), 0, 0, -1);
    expectNear3(numbers("pointPosition pPlane1.vtx[2]"), 2, 0, 1);
    EXPECT_EQ(strings("ls -sl"), Strings{"pPlane1"});
    EXPECT_EQ(strings("polyPlane -n ground -ax 1 0 0 -sx 1 -sy 1"),
              (Strings{"ground", "groundShape"}));
    for (int v = 0; v < 4; ++v)
        EXPECT_NEAR(numbers("pointPosition ground.vtx[" + std::to_string(v) + "]")[0], 0, 1e-6);
}

TEST_F(CommandsTest, PolyCubeAndSphereHonourTheirSizes) {
    EXPECT_EQ(strings("polyCube -w 2 -h 4 -d 6"), (Strings{"pCube1", "pCubeShape1"}));
    EXPECT_EQ(numbers("polyEvaluate -v -f -e pCube1"), (std::vector<double>{8, 6, 12}));
    std::vector<double> box = {0, 0, 0};
    for (int v = 0; v < 8; ++v) {
        std::vector<double> p = numbers("pointPosition pCube1.vtx[" + std::to_string(v) + "]");
        for (int i = 0; i < 3; ++i)
            box[i] = std::max(box[i], std::abs(p[i]));
    }
    expectNear3(box, 1, 2, 3);
    strings("polySphere -r 3 -sx 8 -sy 6 -n ball");
    const rvhost::MeshGeometry& sphere = mesh("ballShape")->geometry();
    for (int v = 0; v < sphere.numVertices(); ++v)
        EXPECT_NEAR(length(sphere.point(v)), 3.0, 1e-5);
    EXPECT_NE(failure("polyCube -bogus 1").find("Invalid flag"), std::string::npos);
}

TEST_F(CommandsTest, CreationDeletionAndRenamingUndoAndRedo) {
    strings("polyPlane");
    ASSERT_TRUE(undo());
    EXPECT_FALSE(number("objExists pPlane1"));
    ASSERT_TRUE(redo());
    EXPECT_TRUE(number("objExists pPlaneShape1"));

    EXPECT_EQ(text("rename pPlane1 floor"), "floor");
    ASSERT_TRUE(ok("delete floor"));
    EXPECT_FALSE(number("objExists pPlaneShape1"));
    ASSERT_TRUE(undo());
    EXPECT_EQ(strings("listRelatives -s floor"), Strings{"pPlaneShape1"});
    ASSERT_TRUE(undo());
    EXPECT_TRUE(number("objExists pPlane1"));
    ASSERT_TRUE(redo());
    ASSERT_TRUE(redo());
    EXPECT_FALSE(number("objExists floor"));

    EXPECT_NE(failure("delete nothingHere").find("No object matches name: nothingHere"),
              std::string::npos);
    EXPECT_NE(failure("rename nothingHere x").find("No object matches name: nothingHere"),
              std::string::npos);
}

TEST_F(CommandsTest, CreateNodeParentsListsAndTypes) {
    EXPECT_EQ(text("createNode transform -n top"), "top");
    EXPECT_EQ(text("createNode transform -n inner -p top"), "inner");
    EXPECT_EQ(text("createNode mesh -n innerShape -p inner"), "innerShape");
    EXPECT_EQ(strings("listRelatives -p inner"), Strings{"top"});
    EXPECT_EQ(strings("listRelatives -f -s inner"), Strings{"|top|inner|innerShape"});
    EXPECT_EQ(strings("listRelatives -ad top"), (Strings{"inner", "innerShape"}));
    EXPECT_EQ(text("nodeType innerShape"), "mesh");
    EXPECT_EQ(strings("ls -type mesh"), Strings{"innerShape"});
    EXPECT_EQ(strings("ls -l -type transform"), (Strings{"|top", "|top|inner"}));
    EXPECT_EQ(strings("ls \"in*\""), (Strings{"inner", "innerShape"}));
    EXPECT_NE(failure("createNode noSuchType").find("Unknown object type: noSuchType"),
              std::string::npos);
    EXPECT_NE(failure("createNode transform -p nowhere").find("No object matches name: nowhere"),
              std::string::npos);
    ASSERT_TRUE(undo());
    EXPECT_FALSE(number("objExists innerShape"));
    EXPECT_TRUE(number("objExists inner"));

    ASSERT_TRUE(ok("file -f -new"));
    EXPECT_TRUE(strings("ls").empty());
    EXPECT_EQ(rvhost::UndoQueue::instance().undoCount(), 0u) << "file -new leaves nothing to undo";
}

TEST_F(CommandsTest, SelectReplacesAddsRemovesAndTakesComponents) {
    strings("polyPlane -sx 2 -sy 2");
    strings("polyCube");
    ASSERT_TRUE(ok("select -r pPlane1"));
    ASSERT_TRUE(ok("select -add pCube1"));
    EXPECT_EQ(strings("ls -sl"), (Strings{"pPlane1", "pCube1"}));
    ASSERT_TRUE(ok("select -d pPlane1"));
    EXPECT_EQ(strings("ls -sl"), Strings{"pCube1"});
    ASSERT_TRUE(ok("select pPlaneShape1"));
    EXPECT_EQ(strings("ls -sl -type mesh"), Strings{"pPlaneShape1"});
    ASSERT_TRUE(ok("select -r pPlane1.vtx[3] pPlane1.vtx[4]"));
    EXPECT_EQ(strings("ls -sl"), Strings{"pPlane1.vtx[3:4]"});
    ASSERT_TRUE(ok("select -cl"));
    EXPECT_TRUE(strings("ls -sl").empty());
    EXPECT_NE(failure("select -r ghost").find("No object matches name: ghost"), std::string::npos);

    ASSERT_TRUE(ok("changeSelectMode -component"));
    EXPECT_EQ(MGlobal::selectionMode(), MGlobal::kSelectComponentMode);
    ASSERT_TRUE(ok("changeSelectMode -object"));
    EXPECT_EQ(MGlobal::selectionMode(), MGlobal::kSelectObjectMode);
    EXPECT_EQ(number("about -batch"), 1);
}

TEST_F(CommandsTest, ComponentRangesAreLimitedToTheShape) {
    strings("polyPlane -sx 2 -sy 2"); // 9 vertices, 12 edges, 4 faces
    ASSERT_TRUE(ok("select -r pPlane1.vtx[0:2147483647]"));
    EXPECT_EQ(strings("ls -sl"), Strings{"pPlane1.vtx[0:8]"});
    ASSERT_TRUE(ok("select -r pPlane1.f[2:99999999999999999999]"));
    EXPECT_EQ(strings("ls -sl"), Strings{"pPlane1.f[2:3]"});
    ASSERT_TRUE(ok("select -r pPlane1.e[11:5]"));
    EXPECT_EQ(strings("ls -sl"), Strings{"pPlane1.e[5:11]"});
    // Merging a large component into another stays linear.
    ASSERT_TRUE(ok("select -add pPlane1.e[0:2147483647]"));
    EXPECT_EQ(strings("ls -sl"), Strings{"pPlane1.e[0:11]"});
    EXPECT_NE(failure("select -r pPlane1.vtx[9:2147483647]").find("No object matches name"),
              std::string::npos);
}

TEST_F(CommandsTest, PolyEvaluateCountsInTheOrderAsked) {
    strings("polyPlane -sx 3 -sy 2");
    EXPECT_EQ(number("polyEvaluate -f pPlane1"), 6);
    EXPECT_EQ(numbers("polyEvaluate -e -v pPlaneShape1"), (std::vector<double>{17, 12}));
    ASSERT_TRUE(ok("select pPlane1"));
    EXPECT_EQ(number("polyEvaluate -v"), 12);
    EXPECT_NE(
        failure("createNode transform -n empty; polyEvaluate -v empty").find("empty is not a mesh"),
        std::string::npos);
}
