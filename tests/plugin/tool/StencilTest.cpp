// The stencil seen from an orthographic top view: a 2 x 2 grey picture on a 20 x 20 plane
// five units above the ground, so world (x, 0, z) looks through the plane at UV
// ((x + 10) / 20, (10 - z) / 20). The picture buffer keeps the bottom row first, so the
// file's last row (128 64) lies over z < 0 and its first row (0 255) over z > 0; column 0
// lies over x < 0.
#include "services/KVStencil.h"

#include "TempFolder.h"
#include "app/Startup.h"

#include <maya/MGlobal.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const double kBlack = 0.0, kWhite = 1.0, kMid = 128 / 255.0, kDark = 64 / 255.0;

class StencilTest : public ::testing::Test {
protected:
    void SetUp() override {
        rvhost::startHost();
        for (const char* command :
             {"file -f -new", "hostView -camera 0 10 0 0 0 0 0 0 -1", "hostView -ortho 32",
              "hostView -size 640 480", "polyPlane -w 20 -h 20 -sx 1 -sy 1 -n stencil",
              "move -r 0 5 0 stencil"})
            ASSERT_TRUE(MGlobal::executeCommand(command)) << command;
        picture = folder.write("stencil.pgm", "P2\n2 2\n255\n0 255\n128 64\n");
        stencil.reset();
    }
    void TearDown() override { stencil.reset(); }

    double at(double x, double z) { return stencil.stencilFactor(MPoint(x, 0.0, z)); }

    TempFolder folder{"stencil"};
    std::string picture;
    KVStencil& stencil = KVStencil::instance();
};

TEST_F(StencilTest, NotReadyLeavesEveryVertexAlone) {
    stencil.useStencil = true;
    EXPECT_DOUBLE_EQ(at(-4, -4), 1.0);
    EXPECT_DOUBLE_EQ(stencil.greyAt(0.1, 0.9), 1.0);
    // A picture that cannot be read keeps the stencil off.
    EXPECT_TRUE(stencil.setupStencil("stencil", folder.write("bad.pgm", "P2\n2 2\n")));
    EXPECT_FALSE(stencil.isReady());
    EXPECT_DOUBLE_EQ(at(-4, -4), 1.0);
}

TEST_F(StencilTest, EachVertexGetsTheGreyItsViewRayMeets) {
    ASSERT_TRUE(stencil.setupStencil("stencil", picture));
    ASSERT_TRUE(stencil.isReady());
    EXPECT_NEAR(at(-4, 4), kBlack, 1e-9); // blocked
    EXPECT_NEAR(at(3, 2), kWhite, 1e-9);  // passed
    EXPECT_NEAR(at(-4, -4), kMid, 1e-9);
    EXPECT_NEAR(at(4, -4), kDark, 1e-9);
    EXPECT_TRUE(stencil.planePath().node().hasFn(MFn::kMesh));
}

TEST_F(StencilTest, OutOfViewOrBesideThePlaneGivesNothing) {
    ASSERT_TRUE(stencil.setupStencil("stencil", picture));
    EXPECT_DOUBLE_EQ(at(20, 0), 0.0);                                 // right of the port
    EXPECT_DOUBLE_EQ(stencil.stencilFactor(MPoint(3, 20, -2)), 0.0); // behind the eye
    // The plane moved half off the ground: rays at x > 0 pass beside it.
    ASSERT_TRUE(MGlobal::executeCommand("move -r -10 0 0 stencil"));
    EXPECT_NEAR(at(4, -4), kDark, 1e-9); // samples see the plane where the dab began
    stencil.beginSampling();
    EXPECT_DOUBLE_EQ(at(4, -4), 0.0);
    EXPECT_NEAR(at(-4, -4), kDark, 1e-9); // now u = 0.8
}

TEST_F(StencilTest, ReloadTurnsTheRowsOverAndSetupDoesNot) {
    ASSERT_TRUE(stencil.setupStencil("stencil", picture));
    stencil.imageFile = MString(picture.c_str());
    ASSERT_TRUE(stencil.reloadStencilImage());
    EXPECT_NEAR(at(3, -2), kWhite, 1e-9);
    EXPECT_NEAR(at(-4, 4), kMid, 1e-9);
    // A changed picture name at the context's setup loads it as the file has it.
    stencil.useStencil = true;
    const std::string other = folder.write("other.pgm", "P2\n2 2\n255\n0 255\n128 64\n");
    stencil.imageFile = MString(other.c_str());
    ASSERT_TRUE(stencil.prepareForSetup());
    EXPECT_EQ(stencil.fileName, stencil.imageFile);
    EXPECT_NEAR(at(3, -2), kDark, 1e-9);
    // Without a name there is nothing to reload.
    stencil.imageFile = MString();
    EXPECT_FALSE(stencil.reloadStencilImage());
}

TEST_F(StencilTest, SetupAtTheContextFollowsTheSettings) {
    EXPECT_EQ(stencil.prepareForSetup().statusCode(), MS::kNotImplemented); // stencil off
    stencil.useStencil = true;
    EXPECT_FALSE(stencil.prepareForSetup()); // no names yet
    stencil.planeName = "stencil";
    stencil.imageFile = MString(picture.c_str());
    EXPECT_TRUE(stencil.prepareForSetup());
    EXPECT_TRUE(stencil.isReady());
    // Turning it off forgets nothing.
    stencil.useStencil = false;
    EXPECT_EQ(stencil.prepareForSetup().statusCode(), MS::kNotImplemented);
    EXPECT_TRUE(stencil.isReady());
    // A plane name that resolves to nothing leaves the stencil as it was.
    EXPECT_FALSE(stencil.setupStencil("noSuchPlane", picture));
    EXPECT_TRUE(stencil.isReady());
    EXPECT_EQ(stencil.planeName, MString("stencil"));
}

TEST_F(StencilTest, LookupsOutsideThePictureStayOnItsEdge) {
    ASSERT_TRUE(stencil.setupStencil("stencil", picture));
    EXPECT_NEAR(stencil.greyAt(0.0, 1.0), kMid, 1e-9);    // row 0, column 0
    EXPECT_NEAR(stencil.greyAt(1.0, 0.75), kDark, 1e-9);  // u = 1: last column
    EXPECT_NEAR(stencil.greyAt(0.25, 0.0), kBlack, 1e-9); // v = 0: last row
    EXPECT_NEAR(stencil.greyAt(2.0, -1.0), kWhite, 1e-9);
    EXPECT_NEAR(stencil.greyAt(-0.5, 1.5), kMid, 1e-9);
    EXPECT_NEAR(stencil.greyAt(0.6, 0.6), kDark, 1e-9);
    EXPECT_DOUBLE_EQ(stencil.greyAt(std::numeric_limits<double>::quiet_NaN(), 0.5), 0.0);
    EXPECT_DOUBLE_EQ(stencil.greyAt(0.5, std::numeric_limits<double>::infinity()), 0.0);
}

} // namespace
