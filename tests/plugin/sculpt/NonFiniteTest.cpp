// Settings at or past the edge of the arithmetic: option variables holding inf or NaN are
// refused with a warning, and a dab whose result is not finite never reaches the mesh.
#include "SculptFixture.h"

#include "script/Output.h"

#include <sstream>

namespace {
bool finite(const MPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}
} // namespace

class NonFiniteTest : public SculptTest {
protected:
    ~NonFiniteTest() override {
        for (const char* name : {"value", "radius", "pinchScale", "vertexSize", "vertexColorR"})
            MGlobal::executeCommand(MString("optionVar -rm RVOption_") + name);
    }
    std::ostringstream out, err;
    rvhost::script::OutputRedirect redirect{out, err};
};

TEST_F(NonFiniteTest, OptionVariablesThatAreNoFiniteNumberAreRefusedWithAWarning) {
    run("optionVar -sv RVOption_value \"inf\"");
    run("optionVar -sv RVOption_radius \"nan\"");
    run("optionVar -sv RVOption_pinchScale \"-inf\"");
    run("optionVar -fv RVOption_vertexSize 1e300"); // finite, but no single-precision float
    run("optionVar -sv RVOption_vertexColorR \"nan\"");
    KVPSCtxData s;
    s.loadSculptSettings();
    EXPECT_EQ(s.value, 1.0);
    EXPECT_EQ(s.baseValue, 1.0);
    EXPECT_EQ(s.radius, 20.0);
    EXPECT_EQ(s.brushDiameter, 40.0);
    EXPECT_EQ(s.pinchScale, KVPSCtxData().pinchScale);
    EXPECT_EQ(s.vertexSize, KVPSCtxData().vertexSize);
    EXPECT_EQ(s.vertexColor, KVPSCtxData().vertexColor);
    for (const char* name : {"RVOption_value", "RVOption_radius", "RVOption_pinchScale",
                             "RVOption_vertexSize", "RVOption_vertexColor"})
        EXPECT_NE(
            err.str().find(std::string("option variable ") + name + " is not a finite number"),
            std::string::npos)
            << name << "\n"
            << err.str();
    // A finite value of the same variable is taken again.
    run("optionVar -fv RVOption_value 0.5");
    s.loadSculptSettings();
    EXPECT_EQ(s.value, 0.5);
}

TEST_F(NonFiniteTest, DabsThatOverflowLeaveTheMeshWhereItWas) {
    state.radius = 3.0;
    state.mode = kSmear;
    state.smearScale = 1e308; // finite, but not once the brush value scales it
    state.value = 4.0;
    ASSERT_EQ(stroke().applyDab(at(2.3, 1.2)), MS::kSuccess);
    ASSERT_EQ(stroke().applyDab(at(3.3, 1.2)), MS::kSuccess);
    int broken = 0;
    for (unsigned int k = 0; k < record.worldPoints.length(); ++k)
        broken += finite(record.worldPoints[k]) ? 0 : 1;
    ASSERT_GT(broken, 0); // the setting does overflow the dab's arithmetic

    record.writeBackPoints();
    MPointArray points;
    MFnMesh(record.meshPath).getPoints(points, MSpace::kObject);
    ASSERT_EQ(points.length(), 441u);
    for (unsigned int k = 0; k < points.length(); ++k) {
        ASSERT_TRUE(finite(points[k])) << k;
        ASSERT_TRUE(finite(record.worldPoints[k])) << k;
    }
    // The vertices that would have broken kept their place; the rest moved.
    EXPECT_EQ(points[0], MPoint(-10.0, 0.0, 10.0));
    EXPECT_NE(err.str().find("vertices would have moved to an infinite or undefined position"),
              std::string::npos)
        << err.str();
}
