#include <maya/MDataBlock.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MPxNode.h>

#include "graph/PluginNodes.h"
#include "scene/Graph.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

namespace {

// sum = a + b, counting its computes.
class Adder : public MPxNode {
public:
    static MObject a, b, sum;
    static int computes;
    static int constructed;
    static void* creator() { return new Adder; }
    static MStatus initialize() {
        MFnNumericAttribute numeric;
        a = numeric.create("inputA", "a", MFnNumericData::kDouble, 0.0);
        b = numeric.create("inputB", "b", MFnNumericData::kDouble, 0.0);
        sum = numeric.create("sum", "s", MFnNumericData::kDouble, 0.0);
        numeric.setWritable(false);
        for (const MObject* attr : {&a, &b, &sum})
            addAttribute(*attr);
        attributeAffects(a, sum);
        attributeAffects(b, sum);
        return MS::kSuccess;
    }
    void postConstructor() override { ++constructed; }
    MStatus compute(const MPlug& plug, MDataBlock& block) override {
        if (plug.attribute() != sum) return MS::kUnknownParameter;
        ++computes;
        double total = block.inputValue(a).asDouble() + block.inputValue(b).asDouble();
        MDataHandle out = block.outputValue(sum);
        out.set(total);
        out.setClean();
        return MS::kSuccess;
    }
};
MObject Adder::a, Adder::b, Adder::sum;
int Adder::computes = 0;
int Adder::constructed = 0;

class DirtyTest : public ::testing::Test {
protected:
    void SetUp() override {
        rvhost::Scene::instance().clear();
        static const bool registered =
            rvhost::registerPluginNode("adder", MTypeId(0x7f001), Adder::creator, Adder::initialize,
                                       MPxNode::kDependNode, "")
                .statusCode() == MS::kSuccess;
        ASSERT_TRUE(registered);
        Adder::computes = 0;
    }
    MPlug plug(const MObject& node, const char* name) {
        return MFnDependencyNode(node).findPlug(name);
    }
    MObject adder(const char* name) {
        MFnDependencyNode fn;
        MObject node = fn.create("adder", name);
        EXPECT_FALSE(node.isNull());
        return node;
    }
    static rvhost::PlugRef ref(const MPlug& p) {
        return {rvhost::nodeOf(p.node()).get(),
                {rvhost::attributeOf(p.attribute()).get(), p.index()}};
    }
};

TEST_F(DirtyTest, OutputsComputeOnceWhenReadAfterAnInputChanges) {
    int before = Adder::constructed;
    MObject node = adder("add1");
    EXPECT_EQ(Adder::constructed, before + 1);
    MFnDependencyNode fn(node);
    EXPECT_EQ(fn.typeId(), MTypeId(0x7f001));
    EXPECT_EQ(static_cast<Adder*>(fn.userNode())->name(), MString("add1"));
    EXPECT_EQ(node.apiType(), MFn::kPluginDependNode);

    plug(node, "a").setValue(2.0);
    plug(node, "b").setValue(3.0);
    EXPECT_EQ(Adder::computes, 0); // nothing is computed until asked
    EXPECT_DOUBLE_EQ(plug(node, "sum").asDouble(), 5.0);
    EXPECT_DOUBLE_EQ(plug(node, "sum").asDouble(), 5.0);
    EXPECT_EQ(Adder::computes, 1);
    plug(node, "b").setValue(10.0);
    EXPECT_DOUBLE_EQ(plug(node, "sum").asDouble(), 12.0);
    EXPECT_EQ(Adder::computes, 2);
}

TEST_F(DirtyTest, ChangesTravelDownstreamThroughConnections) {
    MObject first = adder("first"), second = adder("second");
    auto& graph = rvhost::Graph::instance();
    ASSERT_TRUE(graph.connect(ref(plug(first, "sum")), ref(plug(second, "a"))));
    EXPECT_FALSE(graph.connect(ref(plug(second, "sum")), ref(plug(first, "sum")))); // not writable
    EXPECT_FALSE(graph.connect(ref(plug(second, "b")), ref(plug(second, "a"))));    // taken
    plug(first, "a").setValue(1.5);
    plug(second, "b").setValue(1.0);
    EXPECT_DOUBLE_EQ(plug(second, "sum").asDouble(), 2.5);
    plug(first, "b").setValue(4.0);
    EXPECT_TRUE(graph.isDirty(*rvhost::nodeOf(second), rvhost::attributeOf(Adder::sum).get()));
    EXPECT_DOUBLE_EQ(plug(second, "sum").asDouble(), 6.5);

    MPlug input = plug(second, "a");
    EXPECT_TRUE(input.isDestination());
    EXPECT_TRUE(plug(first, "sum").isSource());
    MPlugArray sources;
    ASSERT_TRUE(input.connectedTo(sources, true, false));
    EXPECT_EQ(sources[0], plug(first, "sum"));
    EXPECT_FALSE(input.setValue(0.0)); // a connected destination is driven

    ASSERT_TRUE(graph.disconnect(ref(plug(first, "sum")), ref(input)));
    EXPECT_FALSE(input.isConnected());
    EXPECT_DOUBLE_EQ(input.asDouble(), 5.5); // keeps the last value it received
    plug(first, "a").setValue(100.0);
    EXPECT_DOUBLE_EQ(plug(second, "sum").asDouble(), 6.5);
}

TEST_F(DirtyTest, InitializerRulesAndDeregistration) {
    auto failing = []() -> MStatus { return MS::kFailure; };
    EXPECT_FALSE(rvhost::registerPluginNode("broken", MTypeId(0x7f002), Adder::creator, failing,
                                            MPxNode::kDependNode, ""));
    MFnDependencyNode fn;
    EXPECT_TRUE(fn.create("broken").isNull());
    EXPECT_FALSE(rvhost::registerPluginNode("adder2", MTypeId(0x7f001), Adder::creator,
                                            Adder::initialize, MPxNode::kDependNode, ""));
    // Outside an initializer a node class cannot add static attributes.
    MFnNumericAttribute numeric;
    EXPECT_FALSE(MPxNode::addAttribute(numeric.create("late", "l", MFnNumericData::kInt)));

    auto plain = []() -> MStatus { return MS::kSuccess; };
    ASSERT_TRUE(rvhost::registerPluginNode("gone", MTypeId(0x7f003), Adder::creator, plain,
                                           MPxNode::kDependNode, ""));
    EXPECT_FALSE(fn.create(MTypeId(0x7f003)).isNull());
    ASSERT_TRUE(rvhost::deregisterPluginNode("gone"));
    EXPECT_TRUE(fn.create("gone").isNull());
    EXPECT_FALSE(rvhost::deregisterPluginNode("transform")); // built-in types stay
}

} // namespace
