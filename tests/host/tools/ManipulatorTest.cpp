#include "ToolFixture.h"

#include <maya/M3dView.h>
#include <maya/MDagPath.h>
#include <maya/MDrawRegistry.h>
#include <maya/MGLFunctionTable.h>
#include <maya/MHardwareRenderer.h>
#include <maya/MPxDrawOverride.h>
#include <maya/MPxManipulatorNode.h>

#include "graph/PluginNodes.h"
#include "scene/Scene.h"
#include "tools/ManipulatorNodes.h"
#include "view/OffscreenGL.h"
#include "view/ViewHooks.h"
#include "view/ViewRenderer.h"

#include <array>

namespace rvhost::test {
namespace {

// A manipulator that follows the mouse when `listens` was set at its making, and writes
// down what it saw.
class FollowManip : public MPxManipulatorNode {
public:
    static bool listens;
    static int alive;
    static void* creator() { return new FollowManip; }
    static MStatus initialize() { return MS::kSuccess; }

    FollowManip() { ++alive; }
    ~FollowManip() override { --alive; }

    void postConstructor() override {
        if (listens) registerForMouseMove();
    }
    MStatus doMove(M3dView& view, bool& refresh) override {
        mousePosition(x, y);
        mouseRay(rayPoint, rayDirection);
        viewWidth = view.portWidth();
        refresh = true;
        ++moves;
        return MS::kSuccess;
    }
    void draw(M3dView&, const MDagPath&, M3dView::DisplayStyle, M3dView::DisplayStatus) override {
        // A fat red point at the world origin.
        MGLFunctionTable* gl = MHardwareRenderer::theRenderer()->glFunctionTable();
        gl->glPointSize(9.0f);
        gl->glColor3f(1.0f, 0.0f, 0.0f);
        gl->glBegin(MGL_POINTS);
        gl->glVertex3f(0.0f, 0.0f, 0.0f);
        gl->glEnd();
    }

    int moves = 0;
    short x = -1;
    short y = -1;
    int viewWidth = 0;
    MPoint rayPoint;
    MVector rayDirection;
};

bool FollowManip::listens = true;
int FollowManip::alive = 0;

class ManipulatorTest : public ToolFixture {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(registerPluginNode("followManip", MTypeId(0x7f0101), FollowManip::creator,
                                     FollowManip::initialize, MPxNode::kManipulatorNode,
                                     "drawdb/geometry/followManip"),
                  MS::kSuccess);
    }
    void SetUp() override {
        ToolFixture::SetUp();
        FollowManip::listens = true;
    }
    void TearDown() override {
        ToolFixture::TearDown();
        ManipulatorNodes::destroyOfType("followManip");
        EXPECT_EQ(FollowManip::alive, 0);
    }

    FollowManip* make(MObject& node) {
        MStatus status;
        auto* manip = static_cast<FollowManip*>(
            MPxManipulatorNode::newManipulator("followManip", node, &status));
        EXPECT_EQ(status, MS::kSuccess);
        EXPECT_FALSE(node.isNull());
        return manip;
    }
};

TEST_F(ManipulatorTest, AListeningManipulatorFollowsMovesWithNoButtonDown) {
    MObject node;
    FollowManip* manip = make(node);
    ASSERT_NE(manip, nullptr);
    EXPECT_EQ(manip->thisMObject(), node);

    script::Value delivered;
    ASSERT_EQ(run("hostMouse -move 100 200", &delivered), MS::kSuccess);
    EXPECT_EQ(delivered.asInt(), 1);
    EXPECT_EQ(manip->moves, 1);
    EXPECT_EQ(manip->x, 100);
    EXPECT_EQ(manip->y, 200);
    EXPECT_EQ(manip->viewWidth, ViewPort::active().width());

    run("hostMouse -press 5 5");
    run("hostMouse -move 7 7", &delivered);
    EXPECT_EQ(delivered.asInt(), 0);
    run("hostMouse -release 7 7");
    EXPECT_EQ(manip->moves, 1) << "no doMove while the button is down";
    EXPECT_EQ(manip->x, 100);

    manip->deregisterForMouseMove();
    run("hostMouse -move 9 9", &delivered);
    EXPECT_EQ(delivered.asInt(), 0);
    EXPECT_EQ(manip->moves, 1);
}

TEST_F(ManipulatorTest, OnlyManipulatorsThatRegisteredGetMoves) {
    MObject quietNode;
    FollowManip::listens = false;
    FollowManip* quiet = make(quietNode);
    MObject loudNode;
    FollowManip::listens = true;
    FollowManip* loud = make(loudNode);
    run("hostMouse -move 3 4");
    EXPECT_EQ(quiet->moves, 0);
    EXPECT_EQ(loud->moves, 1);
}

TEST_F(ManipulatorTest, TheMouseRayIsTheViewsRayThroughTheMouse) {
    run("hostMouse -move 0 0");
    ViewPort::active().camera().setLookAt(MPoint(3, 4, 5), MPoint(0, 0, 0), MVector(0, 1, 0));
    MObject node;
    FollowManip* manip = make(node);
    const long refreshes = ViewPort::active().refreshCount();
    run("hostMouse -move 123 321");

    MPoint point;
    MVector direction;
    ASSERT_EQ(M3dView::active3dView().viewToWorld(123, 321, point, direction), MS::kSuccess);
    EXPECT_TRUE(manip->rayPoint.isEquivalent(point, 1e-12));
    EXPECT_TRUE(manip->rayDirection.isEquivalent(direction, 1e-12));
    EXPECT_NEAR(manip->rayDirection.length(), 1.0, 1e-12);
    EXPECT_EQ(ViewPort::active().refreshCount(), refreshes + 1) << "doMove asked for a refresh";
}

TEST_F(ManipulatorTest, OnlyManipulatorTypesMakeManipulators) {
    MObject node;
    MStatus status;
    EXPECT_EQ(MPxManipulatorNode::newManipulator("transform", node, &status), nullptr);
    EXPECT_NE(status, MS::kSuccess);
    EXPECT_EQ(MPxManipulatorNode::newManipulator("noSuchType", node, &status), nullptr);
    EXPECT_NE(status, MS::kSuccess);
    EXPECT_TRUE(node.isNull());
}

TEST_F(ManipulatorTest, TheCurrentToolsManipulatorsAreDrawnAndDeletedWithIt) {
    RecordingContext& tool = addContext("tool");
    MObject node;
    make(node);
    ASSERT_EQ(tool.addManipulator(node), MS::kSuccess);
    EXPECT_NE(tool.addManipulator(MObject()), MS::kSuccess);
    EXPECT_TRUE(ViewHooks::toolItems().empty()) << "the tool is not current";

    run("setToolTo tool");
    std::vector<ToolDrawItem> items = ViewHooks::toolItems();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].node, node);
    EXPECT_TRUE(items[0].legacyDraw);

    EXPECT_EQ(FollowManip::alive, 1);
    tool.deleteManipulators();
    EXPECT_EQ(FollowManip::alive, 0);
    EXPECT_TRUE(ViewHooks::toolItems().empty());
    script::Value delivered;
    run("hostMouse -move 1 1", &delivered);
    EXPECT_EQ(delivered.asInt(), 0) << "a deleted manipulator gets no moves";
}

TEST_F(ManipulatorTest, RemovingAContextDeletesItsManipulators) {
    RecordingContext& tool = addContext("tool");
    MObject node;
    make(node);
    tool.addManipulator(node);
    ContextRegistry::instance().removeMadeBy("testContext");
    EXPECT_EQ(FollowManip::alive, 0);
}

TEST_F(ManipulatorTest, ManipulatorsStayOutOfTheScene) {
    const size_t before = Scene::instance().nodes().size();
    MObject node;
    make(node);
    EXPECT_EQ(Scene::instance().nodes().size(), before);
}

std::array<int, 3> pixelAt(int x, int y) {
    const OffscreenGL& context = OffscreenGL::instance();
    const unsigned char* p = &context.pixels()[(size_t(y) * context.width() + x) * 4];
    return {p[0], p[1], p[2]};
}

TEST_F(ManipulatorTest, TheViewDrawsTheCurrentToolsManipulators) {
    ViewPort& port = ViewPort::active();
    port.setGridVisible(false);
    ASSERT_TRUE(port.camera().setLookAt(MPoint(0, 10, 0), MPoint(0, 0, 0), MVector(0, 0, -1)));
    ASSERT_TRUE(port.camera().setOrthographic(32));
    RecordingContext& tool = addContext("tool");
    MObject node;
    make(node);
    tool.addManipulator(node);
    short x = 0;
    short y = 0;
    ASSERT_TRUE(M3dView::active3dView().worldToView(MPoint(0, 0, 0), x, y));
    const std::array<int, 3> red{255, 0, 0};
    std::string error;

    ASSERT_TRUE(ViewRenderer::render(port, error)) << error;
    EXPECT_NE(pixelAt(x, y), red) << "drawn although its tool is not current";
    run("setToolTo tool");
    ASSERT_TRUE(ViewRenderer::render(port, error)) << error;
    EXPECT_EQ(pixelAt(x, y), red);
    EXPECT_EQ(pixelAt(x - 3, y + 3), red);
    EXPECT_NE(pixelAt(x + 20, y), red);
}

int overrideDraws = 0;

class CountingOverride : public MHWRender::MPxDrawOverride {
public:
    explicit CountingOverride(const MObject& node) : MPxDrawOverride(node, count) {}
    static MHWRender::MPxDrawOverride* create(const MObject& node) {
        return new CountingOverride(node);
    }
    static void count(const MHWRender::MDrawContext&, const MHWRender::MUserData*) {
        ++overrideDraws;
    }
    MHWRender::MUserData* prepareForDraw(const MDagPath&, const MDagPath&,
                                         const MHWRender::MFrameContext&,
                                         MHWRender::MUserData* old) override {
        return old;
    }
};

TEST_F(ManipulatorTest, Viewport2RunsTheDrawOverrideOfTheManipulatorsClassification) {
    ASSERT_EQ(MHWRender::MDrawRegistry::registerDrawOverrideCreator(
                  "drawdb/geometry/followManip", "toolsTest", CountingOverride::create),
              MS::kSuccess);
    ViewPort& port = ViewPort::active();
    port.setRenderer(ViewPort::Renderer::kVp2);
    RecordingContext& tool = addContext("tool");
    MObject node;
    make(node);
    tool.addManipulator(node);
    run("setToolTo tool");
    overrideDraws = 0;
    std::string error;
    ASSERT_TRUE(ViewRenderer::render(port, error)) << error;
    ASSERT_TRUE(ViewRenderer::render(port, error)) << error;
    EXPECT_EQ(overrideDraws, 2);
    MHWRender::MDrawRegistry::deregisterDrawOverrideCreator("drawdb/geometry/followManip",
                                                            "toolsTest");
}

} // namespace
} // namespace rvhost::test
