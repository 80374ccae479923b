#include <maya/MDrawContext.h>
#include <maya/MDrawRegistry.h>
#include <maya/MGLFunctionTable.h>
#include <maya/MHardwareRenderer.h>
#include <maya/MPxDrawOverride.h>
#include <maya/MViewport2Renderer.h>

#include "mesh/MeshGenerators.h"
#include "mesh/MeshShape.h"
#include "scene/NodeTypes.h"
#include "scene/Scene.h"
#include "scene/Transform.h"
#include "view/OffscreenGL.h"
#include "view/ViewHooks.h"
#include "view/ViewPort.h"
#include "view/ViewRenderer.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

using rvhost::ViewPort;
using rvhost::ViewRenderer;
using Pixel = std::array<int, 3>;

namespace {

constexpr Pixel kRed = {255, 0, 0};
constexpr Pixel kGreen = {0, 255, 0};
const Pixel kBackground = {ViewRenderer::kBackground[0], ViewRenderer::kBackground[1],
                           ViewRenderer::kBackground[2]};
const char* const kManipType = "rvViewTestManip";
const char* const kClassification = "drawdb/geometry/rvViewTestManip";

Pixel pixelAt(int x, int y) {
    const auto& context = rvhost::OffscreenGL::instance();
    const unsigned char* p = &context.pixels()[(size_t(y) * context.width() + x) * 4];
    return {p[0], p[1], p[2]};
}

// What the test's draw override saw, and how many of it exist.
struct OverrideLog {
    int draws = 0;
    int alive = 0;
    MMatrix worldView, projection;
    int viewport[4] = {};
};
OverrideLog overrideLog;

// Draws a green line across z = -2 with OpenGL called directly, as Viewport 2.0 overrides do.
void drawGreenLine(const MHWRender::MDrawContext& context, const MHWRender::MUserData*) {
    ++overrideLog.draws;
    overrideLog.worldView = context.getMatrix(MHWRender::MFrameContext::kWorldViewMtx);
    overrideLog.projection = context.getMatrix(MHWRender::MFrameContext::kProjectionMtx);
    int* v = overrideLog.viewport;
    context.getViewportDimensions(v[0], v[1], v[2], v[3]);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(&overrideLog.worldView.matrix[0][0]);
    glColor3f(0, 1, 0);
    glBegin(GL_LINES);
    glVertex3f(-5, 0, -2);
    glVertex3f(5, 0, -2);
    glEnd();
}

class TestOverride : public MHWRender::MPxDrawOverride {
public:
    explicit TestOverride(const MObject& node) : MPxDrawOverride(node, drawGreenLine) {
        ++overrideLog.alive;
    }
    ~TestOverride() override { --overrideLog.alive; }
    MHWRender::MUserData* prepareForDraw(const MDagPath&, const MDagPath&,
                                         const MHWRender::MFrameContext&,
                                         MHWRender::MUserData* old) override {
        return old;
    }
    static MHWRender::MPxDrawOverride* create(const MObject& node) {
        return new TestOverride(node);
    }
};

// Looks straight down at the ground with 10 pixels to a world unit; the eye is offset by
// half a pixel so lines at whole world units run through pixel centres: world (x, 0, z)
// is the centre of port pixel (319 + 10x, 240 - 10z).
class Drawing : public ::testing::Test {
protected:
    void SetUp() override {
        port.reset();
        port.setGridVisible(false);
        ASSERT_TRUE(port.camera().setLookAt(MPoint(0.05, 10, 0.05), MPoint(0.05, 0, 0.05),
                                            MVector(0, 0, -1)));
        ASSERT_TRUE(port.camera().setOrthographic(64));
        overrideLog = OverrideLog();
    }
    void TearDown() override {
        rvhost::ViewHooks::setToolItems({});
        port.reset();
    }

    void render() {
        std::string error;
        ASSERT_TRUE(ViewRenderer::render(port, error)) << error;
    }

    // A red line across z = 2 drawn through the host's function table, as legacy
    // manipulators draw, leaving a wide line width behind inside beginGL/endGL.
    void useRedLineTool(int* draws) {
        rvhost::ViewHooks::setToolItems([draws] {
            rvhost::ToolDrawItem item;
            item.legacyDraw = [draws](M3dView& view, M3dView::DisplayStyle style,
                                      M3dView::DisplayStatus status) {
                ++*draws;
                EXPECT_EQ(view.portWidth(), 640);
                EXPECT_EQ(style, M3dView::kGouraudShaded);
                EXPECT_EQ(status, M3dView::kActive);
                MGLFunctionTable* gl = MHardwareRenderer::theRenderer()->glFunctionTable();
                ASSERT_TRUE(view.beginGL());
                gl->glLineWidth(1.0f);
                gl->glColor3f(1, 0, 0);
                gl->glBegin(MGL_LINES);
                gl->glVertex3f(-5, 0, 2);
                gl->glVertex3f(5, 0, 2);
                gl->glEnd();
                gl->glLineWidth(9.0f);
                view.endGL();
            };
            return std::vector<rvhost::ToolDrawItem>{item};
        });
    }

    ViewPort& port = ViewPort::active();
};

} // namespace

TEST_F(Drawing, EmptySceneIsBackgroundWithAFaintGrid) {
    port.setGridVisible(true);
    render();
    EXPECT_EQ(pixelAt(100, 100), kBackground);
    EXPECT_EQ(pixelAt(345, 295), kBackground); // between grid lines
    const Pixel grid = {ViewRenderer::kGrid[0], ViewRenderer::kGrid[1], ViewRenderer::kGrid[2]};
    EXPECT_EQ(pixelAt(349, 295), grid);              // on the line x = 3
    EXPECT_EQ(pixelAt(345, 290), grid);              // on the line z = -5
    EXPECT_EQ(pixelAt(319 + 150, 290), kBackground); // x = 15 is past the grid's edge
}

TEST_F(Drawing, LegacyManipulatorDrawsWhereWorldToViewSays) {
    int draws = 0;
    useRedLineTool(&draws);
    render();
    EXPECT_EQ(draws, 1);
    short x = 0, y = 0;
    ASSERT_TRUE(M3dView::active3dView().worldToView(MPoint(3, 0, 2), x, y));
    // The point is the centre of a pixel; rounding gives that pixel's top-right corner.
    EXPECT_EQ(pixelAt(x - 1, y - 1), kRed) << x << "," << y;
    EXPECT_EQ(pixelAt(319 + 30, 220), kRed);
    EXPECT_EQ(pixelAt(319 + 30, 222), kBackground); // one pixel wide: the state was restored
    EXPECT_EQ(pixelAt(319 + 80, 220), kBackground); // past the line's end

    // The width the tool left behind inside beginGL/endGL did not survive: render again.
    render();
    EXPECT_EQ(pixelAt(319 + 30, 222), kBackground);
    EXPECT_EQ(draws, 2);
}

TEST_F(Drawing, SnapshotRowsRunTopFirst) {
    int draws = 0;
    useRedLineTool(&draws); // port row 220, in the lower half of the picture
    const auto path = std::filesystem::temp_directory_path() / "rvhost_view_rows.png";
    std::string error;
    ASSERT_TRUE(ViewRenderer::snapshot(port, path.string(), error)) << error;

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    std::filesystem::remove(path);
    ASSERT_EQ(image.width, 640u);
    ASSERT_EQ(image.height, 480u);
    auto pngPixel = [&](int column, int row) {
        const unsigned char* p = &rgb[(size_t(row) * 640 + column) * 3];
        return Pixel{p[0], p[1], p[2]};
    };
    EXPECT_EQ(pngPixel(349, 479 - 220), kRed);
    EXPECT_EQ(pngPixel(349, 220), kBackground);
}

TEST_F(Drawing, MeshesAreDrawnLitWhereTheirTransformsPutThem) {
    std::string error;
    auto shape =
        rvhost::MeshShape::createWithTransform(rvhost::makePlane(4, 2, 1, 1), "", "pPlane", &error);
    ASSERT_TRUE(shape) << error;
    auto transform = std::dynamic_pointer_cast<rvhost::Transform>(shape->parent());
    ASSERT_TRUE(transform);
    const Pixel facing = {ViewRenderer::kMeshFacing, ViewRenderer::kMeshFacing,
                          ViewRenderer::kMeshFacing};

    // The plane spans x in [-2, 2] and z in [-1, 1], facing the eye.
    render();
    EXPECT_EQ(pixelAt(320, 240), facing);
    EXPECT_EQ(pixelAt(301, 249), facing);
    EXPECT_EQ(pixelAt(345, 240), kBackground);
    EXPECT_EQ(pixelAt(320, 255), kBackground);

    MTransformationMatrix moved;
    moved.setTranslation(MVector(10, 0, 0), MSpace::kTransform);
    transform->setTransformation(moved);
    render();
    EXPECT_EQ(pixelAt(320, 240), kBackground);
    EXPECT_EQ(pixelAt(420, 240), facing);

    shape->setIntermediate(true); // intermediate objects are never drawn
    render();
    EXPECT_EQ(pixelAt(420, 240), kBackground);
    rvhost::Scene::instance().remove(*transform);
}

// A plane tilted to y = z in its own space and stretched three times along z by its
// transform lies along y = z / 3: its true normal (0, 3, -1) / sqrt 10 meets the eye's
// direction at cos 3 / sqrt 10, so the surface gets the ambient quarter plus three quarters
// of that of the facing grey. Carrying the normal like a point would give cos 1 / sqrt 10.
TEST_F(Drawing, StretchedMeshesAreLitByTheirTrueNormals) {
    rvhost::MeshGeometry tilted = rvhost::makePlane(4, 2, 4, 2);
    for (int v = 0; v < tilted.numVertices(); ++v) {
        rvhost::Vec3 p = tilted.point(v);
        p.y = p.z;
        tilted.setPoint(v, p);
    }
    std::string error;
    auto shape = rvhost::MeshShape::createWithTransform(tilted, "", "pTilted", &error);
    ASSERT_TRUE(shape) << error;
    auto transform = std::dynamic_pointer_cast<rvhost::Transform>(shape->parent());
    MTransformationMatrix stretched;
    const double scale[3] = {1.0, 1.0, 3.0};
    stretched.setScale(scale, MSpace::kTransform);
    transform->setTransformation(stretched);
    const int expected =
        int(std::lround(ViewRenderer::kMeshFacing * (0.25 + 0.75 * 3.0 / std::sqrt(10.0))));
    for (auto style : {M3dView::kGouraudShaded, M3dView::kFlatShaded}) {
        port.setDisplayStyle(style);
        render();
        const Pixel lit = pixelAt(320, 240);
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(lit[c], expected, 1) << style;
    }
    port.setDisplayStyle(M3dView::kGouraudShaded);
    rvhost::Scene::instance().remove(*transform);
}

TEST_F(Drawing, BeginAndEndGLMustPair) {
    M3dView view = M3dView::active3dView();
    EXPECT_FALSE(view.endGL());
    EXPECT_TRUE(view.beginGL());
    EXPECT_TRUE(view.endGL());
    EXPECT_FALSE(view.endGL());
}

TEST_F(Drawing, PluginOpenGLCallsReachTheOffscreenRenderer) {
    render(); // makes the context
    EXPECT_TRUE(rvhost::OffscreenGL::globalSymbolsReachRenderer());
}

class Viewport2 : public Drawing {
protected:
    void SetUp() override {
        Drawing::SetUp();
        rvhost::NodeType type;
        type.name = kManipType;
        type.make = [] {
            return std::make_shared<rvhost::Node>(kManipType, MFn::kPluginManipulatorNode);
        };
        type.classification = kClassification;
        ASSERT_TRUE(rvhost::NodeTypes::instance().add(type));
        node = rvhost::Scene::instance().create(kManipType);
        ASSERT_TRUE(node);
        ASSERT_TRUE(MHWRender::MDrawRegistry::registerDrawOverrideCreator(
            kClassification, "rvViewTest", TestOverride::create));
        rvhost::ViewHooks::setToolItems([this] {
            rvhost::ToolDrawItem item;
            item.node = node->handle();
            item.legacyDraw = [this](M3dView&, M3dView::DisplayStyle, M3dView::DisplayStatus) {
                ++legacyDraws;
            };
            return std::vector<rvhost::ToolDrawItem>{item};
        });
    }
    void TearDown() override {
        MHWRender::MDrawRegistry::deregisterDrawOverrideCreator(kClassification, "rvViewTest");
        rvhost::Scene::instance().remove(*node);
        node.reset();
        rvhost::NodeTypes::instance().remove(kManipType);
        Drawing::TearDown();
    }

    std::shared_ptr<rvhost::Node> node;
    int legacyDraws = 0;
};

TEST_F(Viewport2, OpenGLRendererRunsTheOverrideWithTheViewsMatrices) {
    port.setRenderer(ViewPort::Renderer::kVp2);
    EXPECT_TRUE(MHWRender::MRenderer::theRenderer()->drawAPIIsOpenGL());
    render();
    render();
    EXPECT_EQ(overrideLog.draws, 2);
    EXPECT_EQ(overrideLog.alive, 1); // one override per node, kept between draws
    EXPECT_EQ(legacyDraws, 0);
    EXPECT_TRUE(overrideLog.worldView.isEquivalent(port.viewMatrix()));
    EXPECT_TRUE(overrideLog.projection.isEquivalent(port.projectionMatrix()));
    const int expected[4] = {0, 0, 640, 480};
    EXPECT_TRUE(std::equal(expected, expected + 4, overrideLog.viewport));
    EXPECT_EQ(pixelAt(319 + 30, 260), kGreen);

    EXPECT_TRUE(
        MHWRender::MDrawRegistry::deregisterDrawOverrideCreator(kClassification, "rvViewTest"));
    EXPECT_EQ(overrideLog.alive, 0);
    EXPECT_FALSE(
        MHWRender::MDrawRegistry::deregisterDrawOverrideCreator(kClassification, "rvViewTest"));
}

TEST_F(Viewport2, DirectXRendererRunsNoPluginOpenGL) {
    port.setRenderer(ViewPort::Renderer::kVp2DirectX);
    EXPECT_FALSE(MHWRender::MRenderer::theRenderer()->drawAPIIsOpenGL());
    EXPECT_EQ(MHWRender::MRenderer::theRenderer()->drawAPI(), MHWRender::kDirectX11);
    render();
    EXPECT_EQ(overrideLog.draws, 0);
    EXPECT_EQ(legacyDraws, 0);
    EXPECT_EQ(pixelAt(319 + 30, 260), kBackground);
}

TEST_F(Viewport2, LegacyRendererIgnoresOverrides) {
    render();
    EXPECT_EQ(overrideLog.draws, 0);
    EXPECT_EQ(legacyDraws, 1);
}

TEST_F(Viewport2, OverridesOfDeletedNodesAreDropped) {
    port.setRenderer(ViewPort::Renderer::kVp2);
    render();
    EXPECT_EQ(overrideLog.alive, 1);
    rvhost::Scene::instance().remove(*node);
    rvhost::ViewHooks::setToolItems({});
    render();
    EXPECT_EQ(overrideLog.alive, 0);
}

TEST(FrameContext, MatrixVariantsAreTransposesAndInverses) {
    MMatrix world, view, projection;
    world[3][0] = 2;
    view[0][0] = 3;
    view[3][2] = -5;
    projection[1][1] = 0.5;
    projection[2][3] = -1;
    const MHWRender::MFrameContext context(world, view, projection, 10, 20);
    using F = MHWRender::MFrameContext;
    const MMatrix wvp = context.getMatrix(F::kWorldViewProjMtx);
    EXPECT_TRUE(wvp.isEquivalent(world * view * projection));
    EXPECT_TRUE(
        context.getMatrix(F::kViewProjTransposeMtx).isEquivalent((view * projection).transpose()));
    EXPECT_TRUE(
        (context.getMatrix(F::kWorldViewInverseMtx) * world * view).isEquivalent(MMatrix()));
    EXPECT_TRUE(
        context.getMatrix(F::kWorldTranspInverseMtx).isEquivalent(world.inverse().transpose()));
    MStatus status;
    context.getMatrix(static_cast<F::MatrixType>(99), &status);
    EXPECT_EQ(status, MS::kInvalidParameter);
}
