#pragma once
// The built plug-in loaded into the host with a 20 x 20 plane ("plane", one vertex a unit)
// under an orthographic top view and the tool "rvTool" picked. Port (320 + 20 x, 240 - 20 z)
// looks straight down at world (x, 0, z). The brush is flat with radius 1.5: a dab reaches
// a vertex and its eight neighbours.
#include "PluginHost.h"

#include <cmath>
#include <string>
#include <vector>

class SculptSession : public PluginHostTest {
protected:
    void SetUp() override {
        for (const char* name : optionNames())
            MGlobal::removeOptionVar(name);
        ASSERT_TRUE(ok("loadPlugin Ravelin")) << err() << diagnostics();
        for (const char* command :
             {"file -f -new", "hostView -camera 0 10 0 0 0 0 0 0 -1", "hostView -ortho 32",
              "hostView -size 640 480", "polyPlane -w 20 -h 20 -sx 20 -sy 20 -n plane",
              "RavelinContext rvTool", "setToolTo rvTool"})
            ASSERT_TRUE(ok(command)) << command << err();
        setOption("RVOption_radius", 1.5);
        setOption("RVOption_fallOffRamp", "1,0,1");
    }
    void TearDown() override {
        ok("hostClock -manual off");
        ok("setToolTo selectSuperContext");
        EXPECT_TRUE(ok("unloadPlugin Ravelin")) << err();
        for (const char* name : optionNames())
            MGlobal::removeOptionVar(name);
    }

    static const std::vector<const char*>& optionNames() {
        static const std::vector<const char*> names{"RVOption_radius", "RVOption_value", "RVOption_fallOffRamp", "RVOption_mode",
                "RVOption_useMask", "RVOption_useStencil", "RVOption_stencilImageFile",
                "RVOption_stencilPolyNode", "RVOption_tabletPressureToValue",
                "RVOption_tabletPressureModeValue", "RVOption_tabletPressureValueScale",
                "RVOption_tabletAssignAttrValue", "RVOption_tabletAssignEraserTool",
                "RVOption_tabletPressureToRadius", "RVOption_spacing",
                "RVOption_tabletPressureToSpacing", "RVOption_tabletPressureModeSpacing",
                "RVOption_versionCheckAddress", "RVOption_versionCheckTimeout",
                "RVOption_reflectAxisX", "RVOption_useValueEnvelope", "RVOption_valueEnvelopeMode",
                "RVOption_valueEnvelopeTime", "RVOption_valueEnvelopeDistance",
                "RVOption_valueEnvelope"};
        return names;
    }
    static void setOption(const char* name, double value) {
        MGlobal::setOptionVarValue(name, value);
    }
    static void setOption(const char* name, int value) { MGlobal::setOptionVarValue(name, value); }
    static void setOption(const char* name, const std::string& value) {
        MGlobal::setOptionVarValue(name, MString(value.c_str()));
    }

    void addPlane() { ASSERT_TRUE(ok("RavelinContext -e -add plane rvTool")) << err(); }

    static std::string port(double x, double z) {
        return std::to_string(std::lround(320 + 20 * x)) + " " +
               std::to_string(std::lround(240 - 20 * z));
    }
    int mouse(const std::string& action, double x, double z, const std::string& keys = "") {
        return integer("hostMouse -" + action + " " + port(x, z) + " " + keys);
    }
    // A press and release at one spot: one dab.
    void dab(double x, double z, const std::string& keys = "") {
        EXPECT_EQ(mouse("press", x, z, keys), 0) << err();
        EXPECT_EQ(mouse("release", x, z, keys), 0) << err();
    }
    // Height of the plane's vertex at world (x, z).
    double height(int x, int z) {
        const int k = (10 - z) * 21 + (x + 10);
        return numbers("pointPosition -l plane.vtx[" + std::to_string(k) + "]").at(1);
    }
};
