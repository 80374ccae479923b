// Every flag of the context command RavelinContext, in edit and query, driven by script.
#include "SculptSession.h"

#include "services/KVDozaVeroveCmd.h"

namespace {

class ContextCommand : public SculptSession {
protected:
    // Paints the mask down to 0 over the nine vertices around (x, z), then turns masks on
    // and goes back to displacing.
    void maskAround(double x, double z) {
        setOption("RVOption_mode", 6);
        dab(x, z);
        setOption("RVOption_mode", 0);
        setOption("RVOption_useMask", 1);
    }
    // $gRVSculptMeshes joined by blanks.
    std::string sculptMeshes() {
        const std::string array = "global string $gRVSculptMeshes[]; ";
        const int n = integer(array + "size($gRVSculptMeshes)");
        std::string joined;
        for (int k = 0; k < n; ++k)
            joined += (k ? " " : "") + text(array + "$gRVSculptMeshes[" + std::to_string(k) + "]");
        return joined;
    }
};

TEST(ContextCommandAlone, AnEditBeforeTheContextExistsFails) {
    rvhost::startHost();
    std::ostringstream out, err;
    rvhost::script::OutputRedirect redirect(out, err);
    KVDozaVeroveCmd command;
    EXPECT_EQ(command.doEditFlags().statusCode(), MS::kFailure);
    EXPECT_NE(err.str().find("DozaVerove Context must be initialized first."), std::string::npos)
        << err.str();
}

TEST_F(ContextCommand, FlagsHaveTheirShortAndLongNames) {
    addPlane();
    for (const char* edit :
         {"-m", "-mask", "-cl", "-clear", "-inv", "-invert", "-st", "-stencil", "-upd", "-update",
          "-set", "-setup", "-rfc", "-refreshCache", "-rmc nothing", "-removeCache nothing",
          "-rnc a b", "-renameCache a b", "-uls a b", "-unlinkSurface a b", "-ls a b",
          "-linkSurface a b", "-as", "-addSelected", "-a plane", "-add plane"})
        EXPECT_TRUE(ok(std::string("RavelinContext -e ") + edit + " rvTool")) << edit << err();
    for (const char* query : {"-sg", "-sculptGeometry", "-ls plane plane", "-linkSurface a b"})
        EXPECT_TRUE(ok(std::string("RavelinContext -q ") + query + " rvTool")) << query << err();
    EXPECT_FALSE(ok("RavelinContext -e -rma -nonsense rvTool"));
}

TEST_F(ContextCommand, MaskClearAndInvertWorkOnTheCurrentMesh) {
    addPlane();
    maskAround(3, -2);
    dab(3, -2);
    EXPECT_DOUBLE_EQ(height(3, -2), 0.0); // held by the mask
    ASSERT_TRUE(ok("RavelinContext -e -mask rvTool"));
    ASSERT_TRUE(ok("RavelinContext -e -clear rvTool")); // without -mask: nothing
    dab(3, -2);
    EXPECT_DOUBLE_EQ(height(3, -2), 0.0);
    ASSERT_TRUE(ok("RavelinContext -e -mask -clear rvTool"));
    dab(3, -2);
    EXPECT_NEAR(height(3, -2), 1.0, 1e-6);
    // Invert after clear: every weight 0 and flagged, so nothing moves anywhere.
    ASSERT_TRUE(ok("RavelinContext -e -m -cl -inv rvTool"));
    dab(-4, 4);
    dab(3, -2);
    EXPECT_DOUBLE_EQ(height(-4, 4), 0.0);
    EXPECT_NEAR(height(3, -2), 1.0, 1e-6);
    // Inverted once more, the weights are 1 again and flags are off.
    ASSERT_TRUE(ok("RavelinContext -e -m -inv rvTool"));
    dab(-4, 4);
    EXPECT_NEAR(height(-4, 4), 1.0, 1e-6);
}

TEST_F(ContextCommand, HalfPaintedMaskInvertsToItsComplement) {
    addPlane();
    setOption("RVOption_mode", 6);
    setOption("RVOption_fallOffRamp", "0.25,0,1"); // each mask dab lowers a weight by 0.25
    dab(3, -2);
    setOption("RVOption_fallOffRamp", "1,0,1");
    setOption("RVOption_mode", 0);
    setOption("RVOption_useMask", 1);
    ASSERT_TRUE(ok("RavelinContext -e -m -inv rvTool"));
    // Weight 0.75 became 0.25; the untouched weight 1 became 0.
    dab(3, -2);
    EXPECT_NEAR(height(3, -2), 0.25, 1e-6);
    EXPECT_DOUBLE_EQ(height(5, -2), 0.0);
}

TEST_F(ContextCommand, CacheFlagsManageTheRegisteredMeshes) {
    ASSERT_TRUE(ok("polySphere -r 2 -n ball"));
    addPlane();
    ASSERT_TRUE(ok("RavelinContext -e -add ball rvTool"));
    ASSERT_TRUE(ok("RavelinContext -e -removeCache noSuchMesh rvTool"));
    EXPECT_EQ(sculptMeshes(), "|plane|planeShape |ball|ballShape");
    dab(3, -2);
    EXPECT_NEAR(height(3, -2), 1.0, 1e-6);

    // The ball's cache is handed to a new mesh.
    ASSERT_TRUE(ok("polyCube -n box"));
    ASSERT_TRUE(ok("RavelinContext -e -rnc ballShape boxShape rvTool"));
    EXPECT_EQ(sculptMeshes(), "|plane|planeShape |box|boxShape");

    const int before = integer("hostView -q -refreshCount");
    ASSERT_TRUE(ok("RavelinContext -e -rfc rvTool"));
    EXPECT_GT(integer("hostView -q -refreshCount"), before);

    ASSERT_TRUE(ok("RavelinContext -e -rmc boxShape rvTool"));
    EXPECT_EQ(sculptMeshes(), "|plane|planeShape");
    ASSERT_TRUE(ok("RavelinContext -e -rmc planeShape rvTool"));
    EXPECT_EQ(sculptMeshes(), "");
    EXPECT_EQ(integer("hostMouse -press " + port(-4, 4)), 1); // no mesh left to sculpt
    integer("hostMouse -release " + port(-4, 4));

    ASSERT_TRUE(ok("RavelinContext -e -add ball rvTool"));
    ASSERT_TRUE(ok("RavelinContext -e -add plane rvTool"));
    EXPECT_EQ(sculptMeshes(), "|ball|ballShape |plane|planeShape");
    ASSERT_TRUE(ok("RavelinContext -e -removeAllCache rvTool"));
    EXPECT_EQ(sculptMeshes(), "");
}

TEST_F(ContextCommand, LinksAreMadeQueriedAndRemoved) {
    ASSERT_TRUE(ok("polySphere -r 2 -n ball"));
    addPlane();
    ASSERT_TRUE(ok("RavelinContext -e -linkSurface planeShape ballShape rvTool"));
    EXPECT_EQ(integer("RavelinContext -q -linkSurface planeShape ballShape rvTool"), 1);
    EXPECT_EQ(integer("RavelinContext -q -ls ballShape planeShape rvTool"), 0);
    ASSERT_TRUE(ok("RavelinContext -e -uls planeShape ballShape rvTool"));
    EXPECT_EQ(integer("RavelinContext -q -ls planeShape ballShape rvTool"), 0);
    // A missing second name stops the edit with the parser's status.
    EXPECT_FALSE(ok("RavelinContext -e -ls planeShape rvTool"));
}

TEST_F(ContextCommand, SculptGeometryRewritesTheScriptArrayFirst) {
    addPlane();
    ASSERT_TRUE(ok("global string $gRVSculptMeshes[]; $gRVSculptMeshes = {\"stale\", \"x\"};"));
    EXPECT_EQ(text("RavelinContext -q -sculptGeometry rvTool"),
              "Retrieve sculpt geo in global string array $gRVSculptMeshes[]{ ... }");
    EXPECT_EQ(sculptMeshes(), "|plane|planeShape");
}

// The stencil plane lies below the ground (view rays are followed both ways), where it
// does not stand between the brush and the mesh it sculpts.
TEST_F(ContextCommand, AnEditPushesChangedOptionsIntoTheStencil) {
    addPlane();
    ASSERT_TRUE(ok("polyPlane -w 20 -h 20 -sx 1 -sy 1 -n stencil; move -r 0 -5 0 stencil"));
    TempFolder folder("context_stencil");
    // Black over x < 0, white over x > 0.
    const std::string picture = folder.write("half.pgm", "P2\n2 1\n255\n0 255\n");
    setOption("RVOption_useStencil", 1);
    setOption("RVOption_stencilPolyNode", std::string("stencil"));
    // -update with no picture name does nothing; -setup needs both names.
    ASSERT_TRUE(ok("RavelinContext -e -st -upd -set rvTool"));
    dab(-4, 4);
    EXPECT_NEAR(height(-4, 4), 1.0, 1e-6);
    setOption("RVOption_stencilImageFile", picture);
    // -setup alone does nothing without -stencil.
    ASSERT_TRUE(ok("RavelinContext -e -setup rvTool"));
    ASSERT_TRUE(ok("RavelinContext -e -stencil -setup rvTool"));
    dab(-4, -4);
    dab(4, -4);
    EXPECT_DOUBLE_EQ(height(-4, -4), 0.0);
    EXPECT_NEAR(height(4, -4), 1.0, 1e-6);
    // The stencil plane is never registered, even when selected.
    ASSERT_TRUE(ok("select -r stencil plane"));
    ASSERT_TRUE(ok("RavelinContext -e -addSelected rvTool"));
    EXPECT_EQ(sculptMeshes(), "|plane|planeShape");
    ASSERT_TRUE(ok("select -r stencilShape"));
    ASSERT_TRUE(ok("RavelinContext -e -addSelected rvTool"));
    EXPECT_EQ(sculptMeshes(), "|plane|planeShape");
}

TEST_F(ContextCommand, AHalfCoveredDabMovesOnlyWhereThePictureIsWhite) {
    addPlane();
    ASSERT_TRUE(ok("polyPlane -w 20 -h 20 -sx 1 -sy 1 -n stencil; move -r 0 -5 0 stencil"));
    TempFolder folder("context_stencil");
    setOption("RVOption_useStencil", 1);
    setOption("RVOption_stencilPolyNode", std::string("stencil"));
    setOption("RVOption_stencilImageFile", folder.write("half.pgm", "P2\n2 1\n255\n0 255\n"));
    // Picked again, the tool sets the stencil up itself.
    ASSERT_TRUE(ok("setToolTo selectSuperContext; setToolTo rvTool"));
    dab(0, -5);
    for (int dz = -1; dz <= 1; ++dz) {
        EXPECT_DOUBLE_EQ(height(-1, -5 + dz), 0.0) << dz;
        EXPECT_NEAR(height(1, -5 + dz), 1.0, 1e-6) << dz;
    }
    // Off, it is forgotten by no one but ignored by the brush.
    setOption("RVOption_useStencil", 0);
    dab(-5, 5);
    EXPECT_NEAR(height(-5, 5), 1.0, 1e-6);
}

} // namespace
