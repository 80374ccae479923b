// A mesh driven by a real GeoLink deformer, and marked as its child, is refused by the
// sculpt tool; strokes on its parent reach it through the link.
#include "PluginHost.h"

#include <maya/MStringArray.h>

#include <string>
#include <vector>

namespace {

const char* const kRefusal = "Ravelin: cannot sculpt a GeoLink Child Mesh; remove the link first.";

class LinkedChild : public PluginHostTest {
protected:
    void SetUp() override {
        MGlobal::removeOptionVar("RVNameRef_isLinkedChildAttr");
        ASSERT_TRUE(ok("loadPlugin Ravelin")) << err() << diagnostics();
        // The child lies a unit below its parent (so the brush reaches the parent); each of
        // its vertices is linked to the parent vertex above it.
        for (const char* command :
             {"file -f -new", "hostView -camera 0 10 0 0 0 0 0 0 -1", "hostView -ortho 32",
              "hostView -size 640 480", "polyPlane -w 10 -h 10 -sx 10 -sy 10 -n base",
              "polyPlane -w 10 -h 10 -sx 10 -sy 10 -n skin", "move -a 0 -1 0 skin",
              "int $ids[] = `RVPolyCompare -mv skin base`", "createNode transform -n holder",
              "addAttr -ln ids -dt Int32Array holder",
              "setAttr -type \"Int32Array\" holder.ids (size($ids)) $ids",
              "deformer -type RVGeoLink -n link skin",
              "connectAttr baseShape.outMesh link.parentGeometryIn",
              "connectAttr holder.ids link.matchedVtxIdsIn[0]",
              "addAttr -ln isGeoLinkedChild -at bool skinShape",
              "setAttr skinShape.isGeoLinkedChild 1",
              "optionVar -fv RVOption_radius 1.5 -fv RVOption_value 0.5 -iv RVOption_mode 0",
              "RavelinContext rvTool", "setToolTo rvTool"})
            ASSERT_TRUE(ok(command)) << command << err();
        clearMessages();
    }
    void TearDown() override {
        ok("setToolTo selectSuperContext");
        EXPECT_TRUE(ok("unloadPlugin -force Ravelin")) << err();
    }

    std::vector<std::string> registered() {
        MStringArray names;
        EXPECT_TRUE(MGlobal::executeCommand(
            "global string $gRVAllCachedMeshes[]; $gRVAllCachedMeshes;", names));
        std::vector<std::string> result;
        for (unsigned int i = 0; i < names.length(); ++i)
            result.push_back(names[i].asChar());
        return result;
    }
    std::vector<double> point(const char* mesh, int k) {
        return numbers(std::string("pointPosition -l ") + mesh + ".vtx[" + std::to_string(k) + "]");
    }
};

TEST_F(LinkedChild, TheChildIsRefusedWithItsWarningAndFollowsItsParent) {
    EXPECT_TRUE(ok("RavelinContext -e -add skin rvTool")) << err();
    EXPECT_NE(err().find(std::string("Warning: ") + kRefusal), std::string::npos) << err();
    EXPECT_TRUE(registered().empty());

    clearMessages();
    ASSERT_TRUE(ok("select -r skin base; RavelinContext -e -addSelected rvTool")) << err();
    EXPECT_NE(err().find(kRefusal), std::string::npos) << err();
    EXPECT_EQ(registered(), (std::vector<std::string>{"|base|baseShape"}));

    // A dab at (2, 0, 0) raises the parent's vertex there, and the child's with it.
    ASSERT_TRUE(ok("hostMouse -press 360 240; hostMouse -release 360 240")) << err();
    const std::vector<double> top = point("base", 62);
    EXPECT_GT(top.at(1), 0.1);
    EXPECT_EQ(point("skin", 62), top);
    EXPECT_EQ(diagnostics(), "");

    // Without the mark the same mesh is taken.
    ASSERT_TRUE(ok("setAttr skinShape.isGeoLinkedChild 0; RavelinContext -e -add skin rvTool"));
    EXPECT_EQ(registered(), (std::vector<std::string>{"|base|baseShape", "|skin|skinShape"}));
}

} // namespace
