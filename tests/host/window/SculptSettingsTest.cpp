#include "window/SculptSettings.h"

#include <maya/MGlobal.h>

#include <gtest/gtest.h>

using rvhost::window::SculptSettings;

namespace {

const char* const kOptions[] = {
    "RVOption_mode",         "RVOption_radius",       "RVOption_value",
    "RVOption_spacing",      "RVOption_reflectAxisX", "RVOption_reflectAxisY",
    "RVOption_reflectAxisZ", "RVOption_useMask",      "RVOption_realtimeUpdate"};

class SculptSettingsTest : public ::testing::Test {
protected:
    SculptSettingsTest() {
        for (const char* name : kOptions)
            MGlobal::removeOptionVar(name);
    }
};

} // namespace

TEST_F(SculptSettingsTest, MissingVariablesKeepTheToolsDefaultsAndPresentOnesAreRead) {
    SculptSettings s = SculptSettings::load();
    EXPECT_EQ(s.mode, 0);
    EXPECT_EQ(s.radius, 20.0);
    EXPECT_EQ(s.value, 1.0);
    EXPECT_EQ(s.spacing, 1.0);
    EXPECT_FALSE(s.mirror[1]);

    MGlobal::setOptionVarValue("RVOption_mode", 4);
    MGlobal::setOptionVarValue("RVOption_radius", 2.5);
    MGlobal::setOptionVarValue("RVOption_reflectAxisY", 1);
    MGlobal::setOptionVarValue("RVOption_realtimeUpdate", 1);
    s = SculptSettings::load();
    EXPECT_EQ(s.mode, 4);
    EXPECT_EQ(s.radius, 2.5);
    EXPECT_FALSE(s.mirror[0]);
    EXPECT_TRUE(s.mirror[1]);
    EXPECT_FALSE(s.mirror[2]);
    EXPECT_TRUE(s.realtime);
    EXPECT_FALSE(s.mask);
}

// Every setting goes to its own variable; the radius and mode are kept in range.
TEST_F(SculptSettingsTest, StoreWritesEachVariableWithinItsRange) {
    SculptSettings s;
    s.mode = 12;
    s.radius = 5000;
    s.value = -0.25;
    s.spacing = 0.5;
    s.mirror[2] = true;
    s.mask = true;
    EXPECT_TRUE(s.store()); // no plug-in tool is current: nothing to reload
    EXPECT_EQ(MGlobal::optionVarIntValue("RVOption_mode"), 8);
    EXPECT_EQ(MGlobal::optionVarDoubleValue("RVOption_radius"), 1000.0);
    EXPECT_EQ(MGlobal::optionVarDoubleValue("RVOption_value"), -0.25);
    EXPECT_EQ(MGlobal::optionVarDoubleValue("RVOption_spacing"), 0.5);
    EXPECT_EQ(MGlobal::optionVarIntValue("RVOption_reflectAxisX"), 0);
    EXPECT_EQ(MGlobal::optionVarIntValue("RVOption_reflectAxisZ"), 1);
    EXPECT_EQ(MGlobal::optionVarIntValue("RVOption_useMask"), 1);
    EXPECT_EQ(MGlobal::optionVarIntValue("RVOption_realtimeUpdate"), 0);

    s.mode = -1;
    s.radius = 0.0;
    s.store();
    EXPECT_EQ(MGlobal::optionVarIntValue("RVOption_mode"), 0);
    EXPECT_EQ(MGlobal::optionVarDoubleValue("RVOption_radius"), SculptSettings::kMinRadius);
}

TEST_F(SculptSettingsTest, RadiusStepsStayWithinRangeAndTheStatusLineNamesTheMode) {
    SculptSettings s;
    s.radius = 2.0;
    s.scaleRadius(1.1);
    EXPECT_DOUBLE_EQ(s.radius, 2.2);
    s.radius = 999.0;
    s.scaleRadius(1.1);
    EXPECT_EQ(s.radius, SculptSettings::kMaxRadius);
    s.radius = 0.0011;
    s.scaleRadius(0.5);
    EXPECT_EQ(s.radius, SculptSettings::kMinRadius);

    s.mode = 1;
    s.radius = 2.5;
    s.value = 0.35;
    EXPECT_EQ(s.statusText(), "Smooth   radius 2.5   value 0.35");
    s.mode = 8;
    EXPECT_EQ(s.statusText().rfind("NoDeform", 0), 0u);
    EXPECT_STREQ(SculptSettings::modeName(9), "unknown mode");
}
