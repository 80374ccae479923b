#include <maya/MFnAttribute.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnStringData.h>
#include <maya/MFnTypedAttribute.h>
#include <maya/MIntArray.h>

#include "SceneFixture.h"
#include "scene/Data.h"

using PlugTest = SceneTest;

TEST_F(PlugTest, ATaggedStringAttributeKeepsItsFlagsAndValue) {
    MFnDependencyNode node(make("transform", "tagged")->handle());
    MFnTypedAttribute typed;
    MStatus status;
    MObject attr =
        typed.create("RavelinSculptID", "rvId", MFnData::kString, MObject::kNullObj, &status);
    ASSERT_TRUE(status);
    typed.setReadable(true);
    typed.setWritable(true);
    typed.setStorable(true);
    typed.setHidden(true);
    EXPECT_FALSE(node.hasAttribute("rvId"));
    ASSERT_TRUE(node.addAttribute(attr));
    EXPECT_TRUE(node.hasAttribute("RavelinSculptID"));
    EXPECT_TRUE(node.hasAttribute("rvId"));
    EXPECT_FALSE(node.addAttribute(attr)); // the name is taken now

    MFnAttribute flags(node.attribute("rvId"));
    EXPECT_TRUE(flags.isHidden());
    EXPECT_TRUE(flags.isStorable());
    EXPECT_EQ(flags.name(), MString("RavelinSculptID"));

    MPlug plug = node.findPlug("RavelinSculptID", false, &status);
    ASSERT_TRUE(status);
    EXPECT_EQ(plug.asString(), MString(""));
    ASSERT_TRUE(plug.setValue(MString("0f8fad5b-d9cb-469f-a165-70867728950e")));
    EXPECT_EQ(plug.asString(MDGContext::fsNormal), MString("0f8fad5b-d9cb-469f-a165-70867728950e"));
    EXPECT_EQ(plug.name(), MString("tagged.rvId"));
    EXPECT_TRUE(plug.isDynamic());
    EXPECT_FALSE(plug.setValue(3.0)); // a number does not fit a string

    MFnStringData text;
    ASSERT_TRUE(plug.setValue(text.create("via data")));
    EXPECT_EQ(MFnStringData(plug.asMObject()).string(), MString("via data"));

    ASSERT_TRUE(node.removeAttribute(node.attribute("rvId")));
    EXPECT_FALSE(node.hasAttribute("RavelinSculptID"));
    EXPECT_FALSE(node.removeAttribute(node.attribute("tx"))); // static attributes stay
}

TEST_F(PlugTest, NumericPlugsKeepTheirKindAndLimits) {
    auto node = make("transform", "n");
    auto add = [&](const char* name, rvhost::Attribute::Kind kind) {
        auto attribute = rvhost::makeAttribute(name, name, kind);
        EXPECT_TRUE(node->addAttribute(attribute));
        return MPlug(node->handle(), attribute->handle());
    };
    using K = rvhost::Attribute::Kind;
    MPlug flag = add("flag", K::Bool), count = add("count", K::Int), small = add("small", K::Short);
    MPlug ratio = add("ratio", K::Float);
    ASSERT_TRUE(flag.setValue(5));
    EXPECT_TRUE(flag.asBool());
    EXPECT_EQ(flag.asInt(), 1);
    ASSERT_TRUE(count.setValue(7.9));
    EXPECT_EQ(count.asInt(), 7);
    ASSERT_TRUE(small.setValue(static_cast<short>(-3)));
    EXPECT_EQ(small.asShort(), -3);
    ASSERT_TRUE(ratio.setValue(0.1));
    EXPECT_EQ(ratio.asDouble(), static_cast<double>(0.1f));
    EXPECT_FALSE(count.setValue(MString("12")));

    node->findAttribute("count")->max = 10.0;
    ASSERT_TRUE(count.setValue(99));
    EXPECT_EQ(count.asInt(), 10);

    ASSERT_TRUE(count.setLocked(true));
    EXPECT_FALSE(count.setValue(1));
    EXPECT_EQ(count.asInt(), 10);
}

TEST_F(PlugTest, ArrayPlugsCountExistingElementsInLogicalOrder) {
    auto node = make("transform", "arr");
    auto ids = rvhost::makeAttribute("ids", "ids", rvhost::Attribute::Kind::IntArray);
    ids->array = true;
    ASSERT_TRUE(node->addAttribute(ids));
    MPlug array(node->handle(), ids->handle());
    EXPECT_TRUE(array.isArray());
    EXPECT_EQ(array.numElements(), 0u);
    MObject data(std::make_shared<rvhost::IntArrayData>(std::vector<int>{4, 5, 6}));
    ASSERT_TRUE(array.elementByLogicalIndex(7).setValue(data));
    ASSERT_TRUE(array.elementByLogicalIndex(2).setValue(data));
    EXPECT_EQ(array.numElements(), 2u);
    MPlug first = array.elementByPhysicalIndex(0);
    EXPECT_EQ(first.logicalIndex(), 2u);
    EXPECT_TRUE(first.isElement());
    EXPECT_EQ(first.name(), MString("arr.ids[2]"));
    EXPECT_EQ(array[1].logicalIndex(), 7u);
    MIntArray existing;
    EXPECT_EQ(array.getExistingArrayAttributeIndices(existing), 2);
    EXPECT_EQ(existing[1], 7);

    // The plug holds a copy: changing the data object afterwards changes nothing.
    std::static_pointer_cast<rvhost::IntArrayData>(data.object())->values[0] = 40;
    auto held = std::dynamic_pointer_cast<rvhost::IntArrayData>(first.asMObject().object());
    ASSERT_TRUE(held);
    EXPECT_EQ(held->values, (std::vector<int>{4, 5, 6}));
    EXPECT_FALSE(first.setValue(MObject(std::make_shared<rvhost::StringData>("no"))));
}

TEST_F(PlugTest, CompoundPlugsReachTheirChildren) {
    MFnDependencyNode node(make("transform", "c")->handle());
    MPlug translate = node.findPlug("translate");
    EXPECT_TRUE(translate.isCompound());
    EXPECT_EQ(translate.numChildren(), 3u);
    MPlug y = translate.child(1);
    EXPECT_EQ(y.partialName(false, false, false, false, false, true), MString("translateY"));
    EXPECT_EQ(y.parent(), translate);
    ASSERT_TRUE(y.setValue(2.5));
    EXPECT_DOUBLE_EQ(node.findPlug("ty").asDouble(), 2.5);
    EXPECT_DOUBLE_EQ(node.findPlug("sx").asDouble(), 1.0); // scale starts at one
    EXPECT_TRUE(node.findPlug("nothing", false, nullptr).isNull());
}
