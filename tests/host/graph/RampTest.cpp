#include <maya/MFnDependencyNode.h>
#include <maya/MPxNode.h>
#include <maya/MRampAttribute.h>

#include "graph/PluginNodes.h"
#include "scene/Graph.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class RampHolder : public MPxNode {
public:
    static MObject fallOff;
    static void* creator() { return new RampHolder; }
    static MStatus initialize() {
        fallOff = MRampAttribute::createCurveRamp("fallOffRamp", "fo");
        return addAttribute(fallOff);
    }
};
MObject RampHolder::fallOff;

class RampTest : public ::testing::Test {
protected:
    void SetUp() override {
        rvhost::Scene::instance().clear();
        static const bool registered =
            rvhost::registerPluginNode("rampHolder", MTypeId(0x7f010), RampHolder::creator,
                                       RampHolder::initialize, MPxNode::kDependNode, "")
                .statusCode() == MS::kSuccess;
        ASSERT_TRUE(registered);
        MFnDependencyNode fn;
        node = fn.create("rampHolder");
        ramp = MRampAttribute(node, RampHolder::fallOff, &status);
        ASSERT_TRUE(status);
    }

    void add(std::initializer_list<std::array<float, 3>> entries) {
        MFloatArray positions, values;
        MIntArray interps;
        for (const auto& e : entries) {
            positions.append(e[0]);
            values.append(e[1]);
            interps.append(static_cast<int>(e[2]));
        }
        ramp.addEntries(positions, values, interps, &status);
        ASSERT_TRUE(status);
    }
    float at(float position) {
        float value = -1;
        ramp.getValueAtPosition(position, value, &status, MDGContext::fsNormal);
        EXPECT_TRUE(status);
        return value;
    }

    MObject node;
    MRampAttribute ramp;
    MStatus status;
};

TEST_F(RampTest, AnEmptyRampGivesZeroEverywhere) {
    EXPECT_EQ(ramp.getNumEntries(), 0u);
    EXPECT_EQ(at(0.0f), 0.0f);
    EXPECT_EQ(at(0.7f), 0.0f);
    MRampAttribute unbound;
    float value = 5;
    unbound.getValueAtPosition(0.5f, value, &status);
    EXPECT_FALSE(status);
    EXPECT_FALSE(MRampAttribute(node, MObject(), &status).isCurveRamp());
}

TEST_F(RampTest, EachInterpolationShapesTheSegmentAfterItsEntry) {
    add({{0.0f, 0.0f, MRampAttribute::kNone}, {1.0f, 1.0f, MRampAttribute::kLinear}});
    EXPECT_FLOAT_EQ(at(0.25f), 0.0f); // step: holds the left value
    EXPECT_FLOAT_EQ(at(1.0f), 1.0f);
    ramp.setInterpolationAtIndex(MRampAttribute::kLinear, 0, &status);
    ASSERT_TRUE(status);
    EXPECT_FLOAT_EQ(at(0.25f), 0.25f);
    ramp.setInterpolationAtIndex(MRampAttribute::kSmooth, 0);
    EXPECT_FLOAT_EQ(at(0.25f), 0.15625f); // 3t^2 - 2t^3
    EXPECT_FLOAT_EQ(at(0.5f), 0.5f);
    ramp.setInterpolationAtIndex(MRampAttribute::kSpline, 0);
    // Catmull-Rom with the ends repeated: 0.5 * (t + 3t^2 - 2t^3), 0.203125 at t = 0.25
    EXPECT_FLOAT_EQ(at(0.25f), 0.203125f);
    // Outside the entries the end values hold.
    EXPECT_FLOAT_EQ(at(-1.0f), 0.0f);
    EXPECT_FLOAT_EQ(at(2.0f), 1.0f);
}

TEST_F(RampTest, ASplineSegmentReadsTheEntriesAroundIt) {
    add({{0.0f, 0.0f, 3}, {0.25f, 1.0f, 3}, {0.5f, 0.5f, 3}, {1.0f, 0.75f, 3}});
    // Catmull-Rom at the middle of each segment, worked by hand: the first segment repeats
    // its left value before it, the last its right value after it.
    EXPECT_FLOAT_EQ(at(0.125f), 0.53125f);
    EXPECT_FLOAT_EQ(at(0.375f), 0.796875f);
    EXPECT_FLOAT_EQ(at(0.75f), 0.59375f);
}

TEST_F(RampTest, ANaNPositionGivesTheFirstValue) {
    add({{0.5f, 0.3f, 1}});
    EXPECT_FLOAT_EQ(at(std::nanf("")), 0.3f);
    add({{0.0f, 0.9f, 1}});
    EXPECT_FLOAT_EQ(at(std::nanf("")), 0.9f);
    EXPECT_FLOAT_EQ(at(0.25f), 0.6f);
}

TEST_F(RampTest, TheOrderEntriesWereAddedInDoesNotMatter) {
    add({{1.0f, 0.0f, 1}, {0.0f, 1.0f, 1}, {0.5f, 0.2f, 1}});
    std::vector<float> forward;
    for (float p : {0.1f, 0.5f, 0.8f})
        forward.push_back(at(p));
    MIntArray indexes;
    MFloatArray positions, values;
    MIntArray interps;
    ramp.getEntries(indexes, positions, values, interps);
    ramp.deleteEntries(indexes, &status);
    ASSERT_TRUE(status);
    add({{0.5f, 0.2f, 1}, {0.0f, 1.0f, 1}});
    add({{1.0f, 0.0f, 1}});
    EXPECT_FLOAT_EQ(at(0.1f), forward[0]);
    EXPECT_FLOAT_EQ(at(0.5f), forward[1]);
    EXPECT_FLOAT_EQ(at(0.8f), forward[2]);
    EXPECT_FLOAT_EQ(forward[0], 0.84f);
}

TEST_F(RampTest, EntriesKeepTheirIndexesThroughEdits) {
    add({{0.0f, 1.0f, 1}, {0.5f, 0.5f, 1}, {1.0f, 0.0f, 1}});
    MIntArray gone;
    gone.append(1);
    ramp.deleteEntries(gone);
    add({{0.3f, 0.7f, 2}});
    MIntArray indexes, interps;
    MFloatArray positions, values;
    ramp.getEntries(indexes, positions, values, interps, &status);
    ASSERT_TRUE(status);
    ASSERT_EQ(indexes.length(), 3u);
    EXPECT_EQ(indexes[0], 0);
    EXPECT_EQ(indexes[1], 2);
    EXPECT_EQ(indexes[2], 3); // a new index, not the freed one
    EXPECT_EQ(interps[2], 2);

    ramp.setPositionAtIndex(0.9f, 3);
    ramp.setValueAtIndex(0.25f, 3);
    EXPECT_FLOAT_EQ(at(0.9f), 0.25f);
    ramp.setValueAtIndex(1.0f, 7, &status);
    EXPECT_FALSE(status); // no such entry
    gone.clear();
    gone.append(0);
    gone.append(9);
    ramp.deleteEntries(gone, &status);
    EXPECT_FALSE(status); // one bad index deletes nothing
    EXPECT_EQ(ramp.getNumEntries(), 3u);

    // Each node has its own ramp.
    MFnDependencyNode fn;
    MRampAttribute other(fn.create("rampHolder"), RampHolder::fallOff);
    EXPECT_EQ(other.getNumEntries(), 0u);
}

} // namespace

namespace {
rvhost::PlugRef rampPlug(const MObject& node) {
    auto* attribute = dynamic_cast<rvhost::Attribute*>(RampHolder::fallOff.object().get());
    return {rvhost::nodeOf(node).get(), {attribute, -1}};
}
} // namespace

TEST_F(RampTest, AHandleThatHasReadTheRampSeesEveryLaterChange) {
    add({{0.0f, 1.0f, 1}, {1.0f, 0.0f, 1}});
    EXPECT_FLOAT_EQ(at(0.5f), 0.5f);

    // An edit through another handle on the same plug.
    MRampAttribute(node, RampHolder::fallOff).setValueAtIndex(0.0f, 0);
    EXPECT_FLOAT_EQ(at(0.5f), 0.0f);

    // A connection from another node's ramp, and its removal (the last value stays).
    MFnDependencyNode fn;
    const MObject source = fn.create("rampHolder");
    MRampAttribute upstream(source, RampHolder::fallOff);
    MFloatArray positions, values;
    MIntArray interps;
    positions.append(0.0f);
    values.append(0.75f);
    interps.append(1);
    upstream.addEntries(positions, values, interps);
    rvhost::Graph& graph = rvhost::Graph::instance();
    ASSERT_TRUE(graph.connect(rampPlug(source), rampPlug(node)));
    EXPECT_FLOAT_EQ(at(0.5f), 0.75f);
    upstream.setValueAtIndex(0.5f, 0);
    EXPECT_FLOAT_EQ(at(0.5f), 0.5f);
    ASSERT_TRUE(graph.disconnect(rampPlug(source), rampPlug(node)));
    upstream.setValueAtIndex(0.25f, 0);
    EXPECT_FLOAT_EQ(at(0.5f), 0.5f);
}
