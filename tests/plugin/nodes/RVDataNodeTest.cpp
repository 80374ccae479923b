// The sculpt data node: three empty curve ramps named as the brush's, computing nothing,
// and independent of the ramps the sculpt tool uses.
#include "PluginHost.h"

#include <maya/MFloatArray.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>
#include <maya/MRampAttribute.h>
#include <maya/MSelectionList.h>

#include <string>

namespace {

class DataNode : public PluginHostTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(ok("loadPlugin Ravelin")) << err() << diagnostics();
        ASSERT_TRUE(ok("file -f -new"));
        clearMessages();
    }
    void TearDown() override {
        ok("setToolTo selectSuperContext");
        EXPECT_TRUE(ok("unloadPlugin -force Ravelin")) << err();
    }

    static MObject node(const char* name) {
        MSelectionList list;
        list.add(name);
        MObject object;
        list.getDependNode(0, object);
        return object;
    }
    static MRampAttribute ramp(const char* nodeName, const char* attribute) {
        MObject object = node(nodeName);
        MStatus status;
        MRampAttribute handle(object, MFnDependencyNode(object).attribute(attribute), &status);
        EXPECT_TRUE(status) << attribute;
        return handle;
    }
    // One flat entry of VALUE.
    static void flatten(MRampAttribute ramp, float value) {
        MFloatArray positions(1, 0.5f), values(1, value);
        MIntArray interps(1, 1);
        MStatus status;
        ramp.addEntries(positions, values, interps, &status);
        ASSERT_TRUE(status);
    }
    double height(const char* mesh, int k) {
        return numbers(std::string("pointPosition -l ") + mesh + ".vtx[" + std::to_string(k) + "]")
            .at(1);
    }
};

TEST_F(DataNode, CarriesThreeEmptyCurveRamps) {
    ASSERT_TRUE(ok("createNode RVSculptData -n data")) << err();
    EXPECT_EQ(text("nodeType data"), "RVSculptData");
    for (const char* name : {"valueEnvelope", "radiusEnvelope", "fallOffRamp"}) {
        MRampAttribute handle = ramp("data", name);
        EXPECT_TRUE(handle.isCurveRamp()) << name;
        EXPECT_EQ(handle.getNumEntries(), 0u) << name;
    }
    for (const char* shortName : {"ve", "re", "fo"})
        EXPECT_TRUE(MFnDependencyNode(node("data")).hasAttribute(shortName)) << shortName;
}

TEST_F(DataNode, ItsRampsDoNotShapeTheBrush) {
    // Two planes under a top view (port (320 + 20 x, 240 - 20 z) sees world (x, 0, z)); the
    // same dab at the centre of each, the second after the data node's ramps are zeroed.
    for (const char* command :
         {"hostView -camera 0 10 0 0 0 0 0 0 -1", "hostView -ortho 32", "hostView -size 640 480",
          "polyPlane -w 6 -h 6 -sx 6 -sy 6 -n left", "move -a -5 0 0 left",
          "polyPlane -w 6 -h 6 -sx 6 -sy 6 -n right", "move -a 5 0 0 right",
          "optionVar -fv RVOption_radius 1.5 -fv RVOption_value 0.5 -iv RVOption_mode 0",
          "RavelinContext rvTool", "setToolTo rvTool", "RavelinContext -e -add left rvTool",
          "RavelinContext -e -add right rvTool", "hostMouse -press 220 240",
          "hostMouse -release 220 240", "createNode RVSculptData -n data"})
        ASSERT_TRUE(ok(command)) << command << err();
    for (const char* name : {"valueEnvelope", "radiusEnvelope", "fallOffRamp"})
        flatten(ramp("data", name), 0.0f);
    ASSERT_TRUE(ok("hostMouse -press 420 240; hostMouse -release 420 240")) << err();

    ASSERT_GT(height("left", 24), 0.1); // the centre vertex rose
    for (int k = 0; k < 49; ++k)
        EXPECT_EQ(height("right", k), height("left", k)) << k;
}

TEST_F(DataNode, TheLinkedMeshTypesComeAndGoWithThePlugin) {
    EXPECT_EQ(integer("exists RVPolyCompare"), 1);
    ASSERT_TRUE(ok("createNode RVSculptData -n data; createNode RVGeoLink -n link")) << err();
    EXPECT_EQ(text("nodeType link"), "RVGeoLink");
    ASSERT_TRUE(ok("file -f -new; unloadPlugin Ravelin")) << err();
    EXPECT_EQ(integer("exists RVPolyCompare"), 0);
    EXPECT_FALSE(ok("createNode RVSculptData"));
    EXPECT_FALSE(ok("createNode RVGeoLink"));
    EXPECT_EQ(diagnostics(), ""); // every deregistration succeeded
    ASSERT_TRUE(ok("loadPlugin Ravelin")) << err();
    EXPECT_TRUE(ok("createNode RVGeoLink")) << err();
}

} // namespace
