// The ramps as the tool writes and reads them: ramp strings into a host curve ramp, the
// clearing rule, and the envelope stage of the multiplier update.
#include "display/RavelinManipNode.h"
#include "sculpt/KVPSCtxData.h"
#include "services/KVRampString.h"
#include "services/KVRamps.h"

#include "app/Startup.h"
#include "graph/PluginNodes.h"

#include <maya/MFnDependencyNode.h>
#include <maya/MPxNode.h>

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

class ToolRampHolder : public MPxNode {
public:
    static MObject ramp;
    static void* creator() { return new ToolRampHolder; }
    static MStatus initialize() {
        ramp = MRampAttribute::createCurveRamp("testRamp", "tr");
        return addAttribute(ramp);
    }
};
MObject ToolRampHolder::ramp;

using Entry = std::array<float, 3>; // position, value, interpolation

class RampsTest : public ::testing::Test {
protected:
    void SetUp() override {
        rvhost::startHost();
        static const bool registered =
            rvhost::registerPluginNode("toolRampHolder", MTypeId(0x7f0a1), ToolRampHolder::creator,
                                       ToolRampHolder::initialize, MPxNode::kDependNode, "")
                .statusCode() == MS::kSuccess;
        ASSERT_TRUE(registered);
        ramp = newRamp();
    }

    static MRampAttribute newRamp() {
        MFnDependencyNode fn;
        return MRampAttribute(fn.create("toolRampHolder"), ToolRampHolder::ramp);
    }

    static void add(MRampAttribute& target, std::initializer_list<Entry> entries) {
        MFloatArray positions, values;
        MIntArray interps;
        for (const Entry& e : entries) {
            positions.append(e[0]);
            values.append(e[1]);
            interps.append(static_cast<int>(e[2]));
        }
        MStatus status;
        target.addEntries(positions, values, interps, &status);
        ASSERT_TRUE(status);
    }

    // The entries in position order.
    static std::vector<Entry> entries(MRampAttribute& target) {
        MIntArray indexes, interps;
        MFloatArray positions, values;
        target.getEntries(indexes, positions, values, interps);
        std::vector<Entry> result;
        for (unsigned int i = 0; i < indexes.length(); ++i)
            result.push_back({positions[i], values[i], static_cast<float>(interps[i])});
        std::sort(result.begin(), result.end());
        return result;
    }

    MRampAttribute ramp;
};

TEST_F(RampsTest, AStringReplacesEveryEntry) {
    add(ramp, {{0.0f, 0.3f, 0}, {0.5f, 0.8f, 1}, {1.0f, 0.1f, 2}});
    EXPECT_TRUE(rampFromString(ramp, "1,0,2,0,1,2"));
    EXPECT_EQ(entries(ramp), (std::vector<Entry>{{0, 1, 2}, {1, 0, 2}}));

    EXPECT_TRUE(rampFromString(ramp, "0.25,0.1,1,0.5,0.5,3,0.75,0.9,0"));
    EXPECT_EQ(entries(ramp),
              (std::vector<Entry>{{0.1f, 0.25f, 1}, {0.5f, 0.5f, 3}, {0.9f, 0.75f, 0}}));
}

TEST_F(RampsTest, OneTripletLeavesOneEntry) {
    add(ramp, {{0.0f, 0.3f, 0}, {0.5f, 0.8f, 1}, {1.0f, 0.1f, 2}});
    EXPECT_TRUE(rampFromString(ramp, "0.5,0.2,1"));
    EXPECT_EQ(entries(ramp), (std::vector<Entry>{{0.2f, 0.5f, 1}}));
}

TEST_F(RampsTest, AnEmptyRampGetsItsFirstEntryMade) {
    EXPECT_TRUE(rampFromString(ramp, "0.7,0.4,2"));
    EXPECT_EQ(entries(ramp), (std::vector<Entry>{{0.4f, 0.7f, 2}}));
}

TEST_F(RampsTest, InvalidStringsStillClearTheRamp) {
    add(ramp, {{0.0f, 0.3f, 0}, {0.5f, 0.8f, 1}, {1.0f, 0.1f, 2}});
    EXPECT_FALSE(rampFromString(ramp, ""));
    EXPECT_EQ(entries(ramp), (std::vector<Entry>{{0, 1, 0}}));

    MRampAttribute single = newRamp();
    add(single, {{0.3f, 0.6f, 1}});
    EXPECT_FALSE(rampFromString(single, "1,2"));
    EXPECT_EQ(entries(single), (std::vector<Entry>{{0.3f, 0.6f, 1}}));
}

TEST_F(RampsTest, ABrokenLastTripletAddsNothingAfterTheFirst) {
    add(ramp, {{0.0f, 0.3f, 0}, {1.0f, 0.1f, 2}});
    EXPECT_FALSE(rampFromString(ramp, "1,0,1,0.5,1"));
    EXPECT_EQ(entries(ramp), (std::vector<Entry>{{0, 1, 1}}));
    EXPECT_FALSE(rampFromString(ramp, "0.5,0,1,0,1,1,0.2"));
    EXPECT_EQ(entries(ramp), (std::vector<Entry>{{0, 0.5f, 1}}));
}

TEST_F(RampsTest, ClearingKeepsTheEntryNearestTheStart) {
    add(ramp, {{0.5f, 0.8f, 3}, {0.005f, 0.2f, 2}, {1.0f, 0.1f, 1}});
    EXPECT_TRUE(clearRamp(ramp));
    EXPECT_EQ(entries(ramp), (std::vector<Entry>{{0, 1, 2}}));

    MRampAttribute late = newRamp();
    add(late, {{0.01f, 0.4f, 3}, {0.6f, 0.8f, 1}});
    EXPECT_TRUE(clearRamp(late));
    EXPECT_EQ(entries(late), (std::vector<Entry>{{0, 1, 3}}));

    MRampAttribute single = newRamp();
    add(single, {{0.5f, 0.5f, 1}});
    EXPECT_EQ(clearRamp(single).statusCode(), MS::kNotImplemented);
    EXPECT_EQ(entries(single), (std::vector<Entry>{{0.5f, 0.5f, 1}}));
}

// The envelope stage reads the manipulator's envelope ramps; these hold linear 0 -> 1.
class EnvelopeTest : public RampsTest {
protected:
    void SetUp() override {
        RampsTest::SetUp();
        manipulator.valueEnvelope = newRamp();
        manipulator.radiusEnvelope = newRamp();
        ASSERT_TRUE(rampFromString(manipulator.valueEnvelope, "0,0,1,1,1,1"));
        ASSERT_TRUE(rampFromString(manipulator.radiusEnvelope, "0,0,1,1,1,1"));
        state.baseValue = 2.0;
        state.baseRadius = 10.0;
        state.baseSpacing = 0.5;
        state.baseMaskScale = 0.25;
    }

    KVPSCtxData state;
    RavelinManipNode manipulator;
};

TEST_F(EnvelopeTest, TimeModeRunsOverTheEnvelopeTime) {
    state.useValueEnvelope = true;
    state.valueEnvelopeTime = 2.0;
    state.strokeTime = 0.5;
    updateStrokeMultipliers(state, &manipulator);
    EXPECT_FLOAT_EQ(state.valueEnvelopePosition, 0.25f);
    EXPECT_DOUBLE_EQ(state.value, 2.0 * 0.25);
    EXPECT_DOUBLE_EQ(state.radius, 10.0); // no radius envelope
    state.strokeTime = 3.0;
    updateStrokeMultipliers(state, &manipulator);
    EXPECT_FLOAT_EQ(state.valueEnvelopePosition, 1.0f);
    EXPECT_DOUBLE_EQ(state.value, 2.0);
}

TEST_F(EnvelopeTest, DistanceModeStartsAtTheFirstDab) {
    state.useRadiusEnvelope = true;
    state.radiusEnvelopeMode = 0;
    state.radiusEnvelopeDistance = 40.0;
    state.strokeDistanceB = 10.0;
    state.strokeDistanceA = 30.0; // the value envelope's accumulator is not read
    updateStrokeMultipliers(state, &manipulator);
    EXPECT_FLOAT_EQ(state.radiusEnvelopePosition, 0.0f);
    EXPECT_DOUBLE_EQ(state.radius, 0.0);
    state.firstDabDone = true;
    updateStrokeMultipliers(state, &manipulator);
    EXPECT_FLOAT_EQ(state.radiusEnvelopePosition, 0.25f);
    EXPECT_DOUBLE_EQ(state.radius, 10.0 * 0.25);
    EXPECT_DOUBLE_EQ(state.value, 2.0);
}

TEST_F(EnvelopeTest, SpacingAndMaskScaleFollowTheirBases) {
    state.useValueEnvelope = state.useRadiusEnvelope = true;
    state.spacing = state.maskScale = 99.0;
    state.strokeTime = 1.0;
    state.valueEnvelopeTime = state.radiusEnvelopeTime = 4.0;
    updateStrokeMultipliers(state, &manipulator);
    EXPECT_DOUBLE_EQ(state.value, 0.5);
    EXPECT_DOUBLE_EQ(state.radius, 2.5);
    EXPECT_DOUBLE_EQ(state.spacing, 0.5);
    EXPECT_DOUBLE_EQ(state.maskScale, 0.25);
}

TEST_F(EnvelopeTest, ASpanThatIsNotPositiveIsOverAtOnce) {
    state.useValueEnvelope = true;
    state.valueEnvelopeTime = 0.0;
    updateStrokeMultipliers(state, &manipulator);
    EXPECT_FLOAT_EQ(state.valueEnvelopePosition, 1.0f);
    EXPECT_DOUBLE_EQ(state.value, 2.0);
}

} // namespace
