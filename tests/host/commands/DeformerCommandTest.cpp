#include <maya/MDataBlock.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MItGeometry.h>
#include <maya/MPointArray.h>
#include <maya/MPxDeformerNode.h>

#include "CommandsFixture.h"
#include "graph/PluginNodes.h"

namespace {

// Raises every point by its "rise" attribute.
class Rise : public MPxDeformerNode {
public:
    static MObject rise;
    static void* creator() { return new Rise; }
    static MStatus initialize() {
        MFnNumericAttribute numeric;
        rise = numeric.create("rise", "ri", MFnNumericData::kDouble, 0.0);
        addAttribute(rise);
        attributeAffects(rise, outputGeom);
        return MS::kSuccess;
    }
    MStatus deform(MDataBlock& block, MItGeometry& iter, const MMatrix&, unsigned int) override {
        MPointArray points;
        iter.allPositions(points);
        const double lift = block.inputValue(rise).asDouble();
        for (unsigned int i = 0; i < points.length(); ++i)
            points[i].y += lift;
        return iter.setAllPositions(points);
    }
};
MObject Rise::rise;

} // namespace

TEST_F(CommandsTest, DeformerKeepsTheOriginalAsAnIntermediateShape) {
    static const bool registered =
        rvhost::registerPluginNode("riseTest", MTypeId(0x7f0c1), Rise::creator, Rise::initialize,
                                   MPxNode::kDeformerNode, "")
            .statusCode() == MS::kSuccess;
    ASSERT_TRUE(registered);
    strings("polyPlane -w 2 -h 2 -sx 1 -sy 1");
    EXPECT_EQ(strings("deformer -type riseTest -n lifter pPlane1"),
              std::vector<std::string>{"lifter"});
    EXPECT_EQ(text("nodeType lifter"), "riseTest");
    EXPECT_EQ(strings("listRelatives -s pPlane1").size(), 2u);
    EXPECT_EQ(strings("listRelatives -s -ni pPlane1"), std::vector<std::string>{"pPlaneShape1"});
    ASSERT_TRUE(ok("setAttr lifter.rise 2.5"));
    EXPECT_NEAR(numbers("pointPosition pPlane1.vtx[0]")[1], 2.5, 1e-6);
    ASSERT_TRUE(undo()); // setAttr
    ASSERT_TRUE(undo()); // deformer
    EXPECT_FALSE(number("objExists lifter"));
    EXPECT_EQ(strings("listRelatives -s pPlane1"), std::vector<std::string>{"pPlaneShape1"});
    EXPECT_NEAR(numbers("pointPosition pPlane1.vtx[0]")[1], 0.0, 1e-6);
    ASSERT_TRUE(redo());
    ASSERT_TRUE(redo());
    EXPECT_NEAR(numbers("pointPosition pPlane1.vtx[0]")[1], 2.5, 1e-6);
    EXPECT_NE(failure("deformer -type noSuchDeformer pPlane1").find("not a deformer type"),
              std::string::npos);
    EXPECT_NE(failure("deformer pPlane1").find("-type"), std::string::npos);
}

TEST_F(CommandsTest, ElementChildrenAreNamedAfterTheirElement) {
    static const bool registered =
        rvhost::registerPluginNode("riseTwoTest", MTypeId(0x7f0c2), Rise::creator,
                                   Rise::initialize, MPxNode::kDeformerNode, "")
            .statusCode() == MS::kSuccess;
    ASSERT_TRUE(registered);
    strings("polyPlane -w 2 -h 2 -sx 1 -sy 1 -n first");
    strings("polyPlane -w 2 -h 2 -sx 1 -sy 1 -n second");
    strings("polyPlane -w 2 -h 2 -sx 1 -sy 1 -n source");
    strings("deformer -type riseTwoTest -n lifter first");
    // A second geometry through input[1] and outputGeometry[1].
    ASSERT_TRUE(ok("connectAttr sourceShape.outMesh lifter.input[1].inputGeometry"));
    ASSERT_TRUE(ok("connectAttr lifter.outputGeometry[1] secondShape.inMesh"));
    EXPECT_EQ(number("isConnected sourceShape.outMesh lifter.ip[1].ig"), 1);
    EXPECT_EQ(number("isConnected sourceShape.outMesh lifter.inputGeometry[1]"), 1);
    EXPECT_EQ(number("isConnected sourceShape.outMesh lifter.input[0].inputGeometry"), 0);
    ASSERT_TRUE(ok("setAttr lifter.rise 1.5"));
    EXPECT_NEAR(numbers("pointPosition second.vtx[3]")[1], 1.5, 1e-6);
    ASSERT_TRUE(ok("setAttr lifter.input[1].groupId 4"));
    EXPECT_EQ(number("getAttr lifter.input[1].groupId"), 4);
    EXPECT_EQ(number("getAttr lifter.input[0].groupId"), 0);
    // The child must belong to the indexed array compound, which must be indexed.
    for (const char* name : {"lifter.input.inputGeometry", "lifter.input[1].rise",
                             "lifter.input[1].noSuch", "lifter.rise[1].inputGeometry",
                             "lifter.input[1].inputGeometry[2]", "lifter.input[1].ig.ig"})
        EXPECT_NE(failure(std::string("getAttr ") + name).find("No object matches name"),
                  std::string::npos)
            << name;
}
