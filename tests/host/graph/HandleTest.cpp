#include <maya/MArrayDataHandle.h>
#include <maya/MDataBlock.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MPxNode.h>

#include "graph/PluginNodes.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

namespace {

// total = the sum over the elements of `items` of item.weight * item.count, and `corner` is
// a clamped triple; compute walks the array with an array data handle and child handles.
class Summer : public MPxNode {
public:
    static MObject items, weight, count, total, corner;
    static void* creator() { return new Summer; }
    static MStatus initialize() {
        MFnNumericAttribute numeric;
        weight = numeric.create("weight", "w", MFnNumericData::kFloat, 1.0);
        count = numeric.create("count", "c", MFnNumericData::kInt, 0.0);
        numeric.setMin(0);
        numeric.setMax(10);
        total = numeric.create("total", "t", MFnNumericData::kDouble);
        corner = numeric.create("corner", "cr", MFnNumericData::k3Double, 0.5);
        numeric.setMax(1.0);
        items = rvhost::makeAttribute("items", "it", rvhost::Attribute::Kind::Compound)->handle();
        auto parent = rvhost::attributeOf(items);
        parent->array = true;
        parent->addChild(rvhost::attributeOf(weight));
        parent->addChild(rvhost::attributeOf(count));
        addAttribute(items);
        addAttribute(total);
        addAttribute(corner);
        attributeAffects(weight, total);
        attributeAffects(count, total);
        return MS::kSuccess;
    }
    MStatus compute(const MPlug& plug, MDataBlock& block) override {
        if (plug.attribute() != total) return MS::kUnknownParameter;
        MArrayDataHandle array = block.inputArrayValue(items);
        double sum = 0;
        for (unsigned int i = 0; i < array.elementCount(); ++i) {
            array.jumpToArrayElement(i);
            MDataHandle item = array.inputValue();
            sum += item.child(weight).asFloat() * item.child(count).asInt();
        }
        block.outputValue(total).set(sum);
        block.setClean(plug);
        return MS::kSuccess;
    }
};
MObject Summer::items, Summer::weight, Summer::count, Summer::total, Summer::corner;

TEST(HandleTest, ComputeWalksArrayElementsAndTheirChildren) {
    rvhost::Scene::instance().clear();
    ASSERT_TRUE(rvhost::registerPluginNode("summer", MTypeId(0x7f030), Summer::creator,
                                           Summer::initialize, MPxNode::kDependNode, ""));
    MFnDependencyNode fn;
    fn.create("summer");
    MPlug items = fn.findPlug("items");
    auto element = [&](unsigned int index, const MObject& child) {
        return items.elementByLogicalIndex(index).child(child);
    };
    ASSERT_TRUE(element(4, Summer::count).setValue(3));
    ASSERT_TRUE(element(4, Summer::weight).setValue(0.5f));
    ASSERT_TRUE(element(1, Summer::count).setValue(50)); // clamped to 10, weight 1 by default
    EXPECT_EQ(element(4, Summer::count).name(), MString("summer1.it[4].c"));
    EXPECT_EQ(items.numElements(), 2u);
    EXPECT_DOUBLE_EQ(fn.findPlug("total").asDouble(), 11.5);
    ASSERT_TRUE(element(1, Summer::weight).setValue(2.0));
    EXPECT_DOUBLE_EQ(fn.findPlug("total").asDouble(), 21.5);

    MFnNumericAttribute triple(Summer::corner);
    EXPECT_EQ(triple.unitType(), MFnNumericData::k3Double);
    MPlug corner = fn.findPlug("corner");
    EXPECT_EQ(corner.numChildren(), 3u);
    EXPECT_DOUBLE_EQ(fn.findPlug("cornerY").asDouble(), 0.5);
    ASSERT_TRUE(fn.findPlug("crz").setValue(7.0));
    EXPECT_DOUBLE_EQ(fn.findPlug("cornerZ").asDouble(), 1.0); // the triple's limit
    MFnNumericAttribute limited(Summer::count);
    double max = 0;
    EXPECT_TRUE(limited.hasMin());
    ASSERT_TRUE(limited.getMax(max));
    EXPECT_EQ(max, 10.0);
    EXPECT_TRUE(MFnNumericAttribute().create("bad", "b", MFnNumericData::kAddr).isNull());
    rvhost::Scene::instance().clear();
    rvhost::deregisterPluginNode("summer");
}

} // namespace
