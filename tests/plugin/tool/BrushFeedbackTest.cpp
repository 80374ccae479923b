// The brush feedback as a user sees it: the built plug-in loaded into the host, a plane of
// unit squares (raised above the ground grid) under an orthographic top view, and the pixels of
// real snapshots read back. Port (320 + 20 x, 240 - 20 z) looks straight down at world (x, 0, z); a
// vertex's point (3 pixels wide) is centred on the pixel below and left of that port point.
#include "PluginHost.h"
#include "TempFolder.h"

#include "view/OffscreenGL.h"

#include "view/ViewRenderer.h"
#include <maya/MDrawRegistry.h>

#include <array>
#include <cmath>
#include <string>

namespace {

using Pixel = std::array<int, 3>;

// Colours of the picture, 0..255, for the default colours of the tool.
constexpr double kVertex[3] = {0.0, 0.5, 1.0};
constexpr double kMask[3] = {1.0, 0.5, 0.0};
const Pixel kGrey = {rvhost::ViewRenderer::kMeshFacing, rvhost::ViewRenderer::kMeshFacing,
                     rvhost::ViewRenderer::kMeshFacing};

Pixel toPixel(const double colour[3]) {
    Pixel p;
    for (int c = 0; c < 3; ++c)
        p[c] = int(std::lround(255.0 * std::min(1.0, std::max(0.0, colour[c]))));
    return p;
}

// The hover colour of a vertex at distance d inside a brush of radius r with the linear
// ramp from 1 at the centre to 0 at the rim: the vertex colour times (falloff + 0.25),
// each channel clamped to 1.
Pixel hoverColour(double d, double r) {
    const double weight = (1.0 - d / r) + 0.25;
    double c[3];
    for (int k = 0; k < 3; ++k)
        c[k] = std::min(kVertex[k] * weight, 1.0);
    return toPixel(c);
}

class BrushFeedback : public PluginHostTest {
protected:
    void SetUp() override {
        for (const char* name : kOptions)
            MGlobal::removeOptionVar(name);
        ASSERT_TRUE(ok("loadPlugin Ravelin")) << err() << diagnostics();
        for (const char* command :
             {"file -f -new", "hostView -camera 0 10 0 0 0 0 0 0 -1 -ortho 32 -size 640 480",
              "hostView -renderer legacy", "polyPlane -w 20 -h 20 -sx 20 -sy 20 -n plane",
              "move -a 0 1 0 plane", // above the ground grid, which would cover the points
              "RavelinContext rvTool", "setToolTo rvTool", "RavelinContext -e -add plane rvTool"})
            ASSERT_TRUE(ok(command)) << command << err();
        MGlobal::setOptionVarValue("RVOption_radius", kRadius);
        MGlobal::setOptionVarValue("RVOption_fallOffRamp", MString("1,0,1,0,1,1"));
        // Strokes touch vertices without moving them, so the mesh stays one flat grey.
        MGlobal::setOptionVarValue("RVOption_value", 0.0);
        pickToolAgain();
    }
    void TearDown() override {
        ok("hostMouse -release 380 200");
        ok("hostView -renderer legacy");
        ok("setToolTo selectSuperContext");
        EXPECT_TRUE(ok("unloadPlugin Ravelin")) << err();
    }

    // The tool set up afresh, so that it reads the option variables and ramps again.
    void pickToolAgain() {
        ASSERT_TRUE(ok("setToolTo selectSuperContext"));
        ASSERT_TRUE(ok("setToolTo rvTool")) << err();
    }
    static std::string port(double x, double z) {
        return std::to_string(std::lround(320 + 20 * x)) + " " +
               std::to_string(std::lround(240 - 20 * z));
    }
    void mouse(const std::string& action, double x, double z) {
        ASSERT_TRUE(ok("hostMouse -" + action + " " + port(x, z))) << err();
    }
    void snapshot(const char* renderer = "legacy") {
        ASSERT_TRUE(ok(std::string("hostView -renderer ") + renderer)) << err();
        ASSERT_TRUE(ok("hostView -snapshot \"" + (folder.path() / "view.png").string() + "\""))
            << err();
    }
    static Pixel pixel(int x, int y) {
        const auto& context = rvhost::OffscreenGL::instance();
        const unsigned char* p = &context.pixels()[(size_t(y) * context.width() + x) * 4];
        return {p[0], p[1], p[2]};
    }
    // The centre pixel of the vertex at world (x, z).
    static Pixel vertexPixel(int x, int z) { return pixel(320 + 20 * x - 1, 240 - 20 * z - 1); }
    // A mask painted with a flat ramp of one half: weight 1 - 0.5 at every vertex within
    // 1.5 of (x, z) after one dab.
    void paintMask(double x, double z) {
        MGlobal::setOptionVarValue("RVOption_mode", 6);
        MGlobal::setOptionVarValue("RVOption_radius", 1.5);
        MGlobal::setOptionVarValue("RVOption_fallOffRamp", MString("0.5,0,1"));
        pickToolAgain();
        mouse("press", x, z);
        mouse("release", x, z);
        MGlobal::setOptionVarValue("RVOption_mode", 0);
        MGlobal::setOptionVarValue("RVOption_radius", kRadius);
        MGlobal::setOptionVarValue("RVOption_fallOffRamp", MString("1,0,1,0,1,1"));
    }

    static constexpr double kRadius = 3.2;
    static constexpr const char* kOptions[] = {"RVOption_radius",
                                               "RVOption_value",
                                               "RVOption_fallOffRamp",
                                               "RVOption_mode",
                                               "RVOption_useMask",
                                               "RVOption_realtimeUpdate",
                                               "RVOption_spacing",
                                               "RVOption_displayCenterNormal",
                                               "RVOption_normalDisplayScale",
                                               "RVOption_vectorType",
                                               "RVOption_reflectAxisX"};
    TempFolder folder{"ravelin_feedback"};
};

// Each channel within one step of 255 of the expected value (OpenGL's own rounding).
void expectNear(const Pixel& actual, const Pixel& expected, const std::string& where) {
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(actual[c], expected[c], 1) << where << " channel " << c;
}

TEST_F(BrushFeedback, TheHoverFootprintIsColouredByTheFallOffInEitherRenderer) {
    mouse("move", 3, 2);
    for (const char* renderer : {"legacy", "vp2"}) {
        snapshot(renderer);
        expectNear(vertexPixel(3, 2), hoverColour(0.0, kRadius), renderer);
        expectNear(vertexPixel(5, 2), hoverColour(2.0, kRadius), renderer);
        expectNear(vertexPixel(3, -1), hoverColour(3.0, kRadius), renderer);
        expectNear(vertexPixel(6, 3), hoverColour(std::sqrt(10.0), kRadius), renderer);
        // Just beyond the radius, and between vertices: the plain mesh.
        EXPECT_EQ(vertexPixel(6, 4), kGrey) << renderer;
        EXPECT_EQ(pixel(380 + 10, 200 + 10), kGrey) << renderer;
    }
}

TEST_F(BrushFeedback, NothingIsDrawnBeforeTheFirstHoverOrUnderDirectX) {
    paintMask(-3, -3);
    MGlobal::setOptionVarValue("RVOption_useMask", 1);
    pickToolAgain(); // tool setup: the mask is there, the footprint is not
    snapshot("legacy");
    EXPECT_EQ(vertexPixel(-3, -3), kGrey);
    snapshot("vp2");
    EXPECT_EQ(vertexPixel(-3, -3), kGrey);

    mouse("move", 3, 2);
    snapshot("vp2-directx");
    EXPECT_EQ(vertexPixel(3, 2), kGrey);
    EXPECT_EQ(vertexPixel(-3, -3), kGrey);
    snapshot("vp2");
    EXPECT_NE(vertexPixel(3, 2), kGrey);
    EXPECT_EQ(err(), "");
}

TEST_F(BrushFeedback, MaskedVerticesBlendWithTheBrushOnlyWhileTheMaskIsUsed) {
    paintMask(0, 2); // weight 0.5 at (-1..1, 1..3)
    double mask[3];
    for (int c = 0; c < 3; ++c)
        mask[c] = kVertex[c] * 0.5 + kMask[c] * 0.5;
    // Masked and in the brush of a hover at (3, 2): M + (1 - M) B.
    auto blended = [&](double d) {
        const double weight = (1.0 - d / kRadius) + 0.25;
        double c[3];
        for (int k = 0; k < 3; ++k)
            c[k] = mask[k] + (1.0 - mask[k]) * std::min(kVertex[k] * weight, 1.0);
        return toPixel(c);
    };

    MGlobal::setOptionVarValue("RVOption_useMask", 1);
    pickToolAgain();
    mouse("move", 3, 2);
    snapshot();
    expectNear(vertexPixel(-1, 2), toPixel(mask), "masked only");
    expectNear(vertexPixel(1, 2), blended(2.0), "masked, in the brush");
    expectNear(vertexPixel(1, 3), blended(std::sqrt(5.0)), "masked, in the brush");
    expectNear(vertexPixel(4, 2), hoverColour(1.0, kRadius), "in the brush only");

    MGlobal::setOptionVarValue("RVOption_useMask", 0);
    pickToolAgain();
    mouse("move", -6, -6); // away first: a footprint within the spacing of the last stays
    mouse("move", 3, 2);
    snapshot();
    EXPECT_EQ(vertexPixel(-1, 2), kGrey);
    expectNear(vertexPixel(1, 2), hoverColour(2.0, kRadius), "the mask unused");
}

TEST_F(BrushFeedback, AStrokeShowsTouchedVerticesUnlessItUpdatesInRealTime) {
    paintMask(-2, -2); // weight 0.5 at (-3..-1, -3..-1)
    MGlobal::setOptionVarValue("RVOption_radius", 1.5);
    MGlobal::setOptionVarValue("RVOption_useMask", 1);
    pickToolAgain();
    const double touchedAndMasked[3] = {0.0, 0.5 + 0.5 * 0.5, 1.0}; // V + (1 - M) V, OpenGL clamps
    const Pixel vertex = toPixel(kVertex);

    mouse("press", -1, -1); // touches (-2..0, -2..0)
    snapshot();
    expectNear(vertexPixel(0, 0), vertex, "touched");
    expectNear(vertexPixel(-1, -1), toPixel(touchedAndMasked), "touched and masked");
    EXPECT_NE(vertexPixel(-3, -3), kGrey); // masked only
    EXPECT_EQ(vertexPixel(1, 1), kGrey);   // neither
    mouse("release", -1, -1);

    // Realtime: the mesh itself shows the stroke; only masked vertices are drawn.
    MGlobal::setOptionVarValue("RVOption_realtimeUpdate", 1);
    pickToolAgain();
    mouse("press", 4, 4);
    snapshot();
    EXPECT_EQ(vertexPixel(4, 4), kGrey);
    EXPECT_EQ(vertexPixel(5, 4), kGrey);
    EXPECT_NE(vertexPixel(-3, -3), kGrey);
    mouse("release", 4, 4);

    // ... and without the mask, nothing at all; a hover during the stroke draws nothing new.
    MGlobal::setOptionVarValue("RVOption_useMask", 0);
    pickToolAgain();
    mouse("press", 4, -4);
    const int refreshes = integer("hostView -q -refreshCount");
    mouse("move", 6, -4);
    EXPECT_EQ(integer("hostView -q -refreshCount"), refreshes);
    snapshot();
    EXPECT_EQ(vertexPixel(4, -4), kGrey);
    EXPECT_EQ(vertexPixel(-3, -3), kGrey);
    mouse("release", 4, -4);
}

TEST_F(BrushFeedback, BrushVectorsAreDrawnInTheComplementOfTheVertexColour) {
    MGlobal::setOptionVarValue("RVOption_displayCenterNormal", 1);
    MGlobal::setOptionVarValue("RVOption_normalDisplayScale", 5.0);
    MGlobal::setOptionVarValue("RVOption_vectorType", 0); // the object's X axis
    pickToolAgain();
    mouse("move", 3, 2);
    const double complement[3] = {1.0, 0.5, 0.0};
    for (const char* renderer : {"legacy", "vp2"}) {
        snapshot(renderer);
        // From (3, 2) to (8, 2), two pixels wide along port row 200, past the footprint.
        expectNear(pixel(470, 199), toPixel(complement), renderer);
        expectNear(pixel(470, 200), toPixel(complement), renderer);
        EXPECT_EQ(pixel(470, 202), kGrey) << renderer;
        EXPECT_EQ(pixel(490, 200), kGrey) << renderer; // past its end
    }
}

TEST_F(BrushFeedback, AGrabTurnedWithControlShowsTheRotationDialAtTheCursor) {
    MGlobal::setOptionVarValue("RVOption_mode", 5);
    pickToolAgain();
    mouse("move", 3, 2); // feedback is drawn once a hover has made a footprint
    ASSERT_TRUE(ok("hostMouse -press 380 200")) << err();
    // Control pressed at (385, 200): the dial's centre. Its fixed arm runs 100 pixels to
    // the right; the handle points 100 pixels toward the cursor, here up and right at 45.
    for (const char* drag : {"385 200", "395 200", "405 200", "425 240"})
        ASSERT_TRUE(ok(std::string("hostMouse -drag ") + drag + " -ctrl")) << err();
    const Pixel dial = {64, 217, 13}; // (0.25, 0.85, 0.05)
    auto onDial = [&](int x, int y) {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (pixel(x + dx, y + dy) == dial) return true;
        return false;
    };
    for (const char* renderer : {"legacy", "vp2"}) {
        snapshot(renderer);
        EXPECT_TRUE(onDial(435, 200)) << renderer;            // the fixed arm
        EXPECT_TRUE(onDial(420, 235)) << renderer;            // the handle, half-way
        EXPECT_FALSE(onDial(500, 200)) << renderer;           // past the arm's end
        EXPECT_FALSE(onDial(385 + 50, 200 + 20)) << renderer; // between the two
    }
    ASSERT_TRUE(ok("hostMouse -release 425 240 -ctrl")) << err();
    snapshot();
    EXPECT_FALSE(onDial(435, 200)); // the stroke's end takes the dial away
}

TEST_F(BrushFeedback, BothRenderersDrawTheSamePixels) {
    paintMask(0, 2);
    MGlobal::setOptionVarValue("RVOption_useMask", 1);
    MGlobal::setOptionVarValue("RVOption_displayCenterNormal", 1);
    MGlobal::setOptionVarValue("RVOption_normalDisplayScale", 3.0);
    MGlobal::setOptionVarValue("RVOption_vectorType", 2);
    MGlobal::setOptionVarValue("RVOption_reflectAxisX", 1);
    pickToolAgain();
    mouse("move", 3, 2);
    snapshot("legacy");
    const std::vector<unsigned char> legacy = rvhost::OffscreenGL::instance().pixels();
    snapshot("vp2");
    const std::vector<unsigned char> viewport2 = rvhost::OffscreenGL::instance().pixels();
    ASSERT_EQ(legacy.size(), viewport2.size());
    size_t differing = 0;
    for (size_t k = 0; k < legacy.size(); ++k)
        differing += legacy[k] != viewport2[k];
    EXPECT_EQ(differing, 0u);
    // Both brush instances drew: the mirrored one about x = 0 too.
    EXPECT_NE(vertexPixel(-3, 2), kGrey);
}

// The plug-in's draw override holds the manipulator's classification under its registrant
// while loaded, and lets it go when unloaded.
TEST_F(BrushFeedback, TheDrawOverrideIsRegisteredWhileThePluginIsLoaded) {
    const MString classification("drawdb/geometry/RavelinManipNode");
    const MString registrant("RavelinPlugin");
    auto none = [](const MObject&) -> MHWRender::MPxDrawOverride* { return nullptr; };
    EXPECT_FALSE(
        MHWRender::MDrawRegistry::registerDrawOverrideCreator(classification, registrant, none));
    ASSERT_TRUE(ok("setToolTo selectSuperContext"));
    ASSERT_TRUE(ok("unloadPlugin Ravelin")) << err();
    EXPECT_TRUE(
        MHWRender::MDrawRegistry::registerDrawOverrideCreator(classification, registrant, none));
    EXPECT_TRUE(
        MHWRender::MDrawRegistry::deregisterDrawOverrideCreator(classification, registrant));
    ASSERT_TRUE(ok("loadPlugin Ravelin")) << err(); // as TearDown expects
}

} // namespace
