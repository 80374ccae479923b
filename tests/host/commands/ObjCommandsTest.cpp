#include "CommandsFixture.h"
#include "TempFolder.h"

#include <fstream>

using Strings = std::vector<std::string>;

TEST_F(CommandsTest, ObjExportImportRoundTripKeepsVerticesFacesAndUVs) {
    TempFolder folder("commands_obj");
    const std::string file = (folder.path() / "plane.obj").string();
    strings("polyPlane -w 3 -h 2 -sx 3 -sy 2");
    ASSERT_TRUE(ok("move -r 0 0.25 0 pPlane1.vtx[5]"));
    ASSERT_TRUE(ok("hostMesh -exportObj \"" + file + "\" pPlane1")) << err();
    EXPECT_EQ(strings("hostMesh -importObj \"" + file + "\" -n copy"),
              (Strings{"copy", "copyShape"}));
    const rvhost::MeshGeometry& a = mesh("pPlaneShape1")->geometry();
    const rvhost::MeshGeometry& b = mesh("copyShape")->geometry();
    EXPECT_EQ(a.points(), b.points());
    EXPECT_EQ(a.counts(), b.counts());
    EXPECT_EQ(a.connects(), b.connects());
    ASSERT_TRUE(b.hasUVs());
    EXPECT_EQ(a.us(), b.us());
    EXPECT_EQ(a.vs(), b.vs());
    ASSERT_TRUE(undo());
    EXPECT_FALSE(number("objExists copy"));
    EXPECT_NE(failure("hostMesh -importObj \"" + (folder.path() / "none.obj").string() + "\"")
                  .find("Cannot read"),
              std::string::npos);
}

TEST_F(CommandsTest, ReplaceFromObjChangesTopologyInPlaceAndRayCastsSeeIt) {
    TempFolder folder("commands_obj");
    // One triangle standing above the plane, facing up, and one far off to the side.
    const std::string file =
        folder.write("tri.obj", "v -1 2 -1\nv 1 2 -1\nv 0 2 1\nv 5 0 5\nv 6 0 5\nv 5 0 6\n"
                                "f 1 3 2\nf 4 6 5\n");
    strings("polyPlane -w 2 -h 2 -sx 1 -sy 1");
    ASSERT_TRUE(ok("hostMesh -replaceFromObj \"" + file + "\" pPlane1")) << err();
    EXPECT_EQ(numbers("polyEvaluate -v -f pPlane1"), (std::vector<double>{6, 2}));
    const rvhost::MeshGeometry& geometry = mesh("pPlaneShape1")->geometry();
    EXPECT_FALSE(geometry.hasUVs());
    rvhost::RayQuery down{{0, 10, 0}, {0, -1, 0}, 100.0};
    rvhost::RayHit hit;
    ASSERT_TRUE(geometry.castRay(down, hit));
    EXPECT_EQ(hit.face, 0);
    EXPECT_NEAR(hit.point.y, 2.0, 1e-6);
    ASSERT_TRUE(undo());
    EXPECT_EQ(number("polyEvaluate -f pPlane1"), 1);
    ASSERT_TRUE(mesh("pPlaneShape1")->geometry().castRay(down, hit));
    EXPECT_NEAR(hit.point.y, 0.0, 1e-6);
    const std::string bad = folder.write("bad.obj", "v 0 0 0\nf 1 2 3\n");
    EXPECT_NE(failure("hostMesh -replaceFromObj \"" + bad + "\" pPlane1").find("hostMesh"),
              std::string::npos);
    EXPECT_EQ(number("polyEvaluate -f pPlane1"), 1) << "a bad file changes nothing";
}
