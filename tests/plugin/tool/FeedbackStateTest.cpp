// The brush feedback worked out from a sculpt state set by hand: the colours of single
// vertices, the walk that visits only the vertices near the brush against the walk over
// every vertex, and the grab dial drawn by both drawing paths where the handle points say.
// A manipulator of a test type stands in for the plug-in's, drawn by the host's renderer.
#include "display/KVBrushFeedback.h"
#include "display/KVPSDrawOverride.h"
#include "display/RavelinManipNode.h"
#include "sculpt/KVPSCtxData.h"
#include "sculpt/KVSculptRegistry.h"

#include "app/Startup.h"
#include "graph/PluginNodes.h"
#include "tools/ManipulatorNodes.h"
#include "view/OffscreenGL.h"
#include "view/ViewHooks.h"
#include "view/ViewPort.h"
#include "view/ViewRenderer.h"

#include <maya/MDrawRegistry.h>
#include <maya/MFloatArray.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MSelectionList.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using Pixel = std::array<int, 3>;

const char* const kType = "rvFeedbackTestManip";
const char* const kClassification = "drawdb/geometry/rvFeedbackTestManip";
const char* const kRegistrant = "rvFeedbackTest";

class FeedbackState : public ::testing::Test {
protected:
    void SetUp() override {
        rvhost::startHost();
        static const bool registered =
            rvhost::registerPluginNode(kType, MTypeId(0x7f0a2), RavelinManipNode::creator,
                                       RavelinManipNode::initialize, MPxNode::kManipulatorNode,
                                       kClassification)
                .statusCode() == MS::kSuccess;
        ASSERT_TRUE(registered);
        for (const char* command :
             {"file -f -new", "hostView -camera 0 10 0 0 0 0 0 0 -1 -ortho 32 -size 640 480",
              "hostView -renderer legacy", "polyPlane -w 20 -h 20 -sx 20 -sy 20 -n plane",
              "move -a 0 1 0 plane"})
            ASSERT_TRUE(MGlobal::executeCommand(command)) << command;
        MStatus status;
        manipulator =
            static_cast<RavelinManipNode*>(rvhost::ManipulatorNodes::create(kType, node, status));
        ASSERT_TRUE(manipulator) << status.statusCode();
        manipulator->nodeObject = node;
        manipulator->bindRampHandles();
        setLinearFallOff();
        RavelinManipNode::setCurrent(manipulator);
        ASSERT_TRUE(MHWRender::MDrawRegistry::registerDrawOverrideCreator(
            kClassification, kRegistrant, KVPSDrawOverride::creator));
        rvhost::ViewHooks::setToolItems([this] {
            rvhost::ToolDrawItem item;
            item.node = node;
            item.legacyDraw = [this](M3dView& view, M3dView::DisplayStyle style,
                                     M3dView::DisplayStatus shown) {
                manipulator->draw(view, MDagPath(), style, shown);
            };
            return std::vector<rvhost::ToolDrawItem>{item};
        });

        MSelectionList list;
        list.add("plane");
        MDagPath path;
        list.getDagPath(0, path);
        ASSERT_TRUE(registry.addMesh(path));
        record = &registry.record(0);
        data.setUp = data.meshesReady = data.displayDirty = data.meshModified = true;
    }
    void TearDown() override {
        rvhost::ManipulatorNodes::installViewHook();
        MHWRender::MDrawRegistry::deregisterDrawOverrideCreator(kClassification, kRegistrant);
        RavelinManipNode::setCurrent(nullptr);
        if (manipulator) rvhost::ManipulatorNodes::stopListening(manipulator);
        rvhost::ManipulatorNodes::destroy(node);
        registry.removeAll();
        data = KVPSCtxData();
    }

    // From 1 at the centre to 0 at the rim.
    void setLinearFallOff() {
        MFloatArray positions, values;
        MIntArray interps;
        positions.append(0.0f);
        values.append(1.0f);
        interps.append(1);
        positions.append(1.0f);
        values.append(0.0f);
        interps.append(1);
        MStatus status;
        manipulator->fallOff.addEntries(positions, values, interps, &status);
        ASSERT_TRUE(status);
    }

    // Vertex k of the plane sits at world (x, 1, z).
    static int vertexAt(int x, int z) { return (10 - z) * 21 + (x + 10); }
    void setInstances(std::initializer_list<MPoint> centres) {
        record->instanceCentres.clear();
        for (const MPoint& c : centres)
            record->instanceCentres.append(c);
        record->instanceCount = static_cast<int>(centres.size());
    }
    std::vector<KVFeedbackPoint>
    points(KVBrushFeedback::Walk walk = KVBrushFeedback::Walk::kNearBrush) {
        std::vector<KVFeedbackPoint> result;
        KVBrushFeedback(data, *record, manipulator->fallOff).collectPoints(result, walk);
        return result;
    }
    // The drawn point at world (x, z), or null.
    static const KVFeedbackPoint* find(const std::vector<KVFeedbackPoint>& drawn, int x, int z) {
        for (const KVFeedbackPoint& p : drawn)
            if (p.x == float(x) && p.z == float(z)) return &p;
        return nullptr;
    }

    void render(rvhost::ViewPort::Renderer renderer) {
        rvhost::ViewPort::active().setRenderer(renderer);
        std::string error;
        ASSERT_TRUE(rvhost::ViewRenderer::render(rvhost::ViewPort::active(), error)) << error;
    }
    static Pixel pixel(int x, int y) {
        const auto& context = rvhost::OffscreenGL::instance();
        const unsigned char* p = &context.pixels()[(size_t(y) * context.width() + x) * 4];
        return {p[0], p[1], p[2]};
    }

    KVPSCtxData& data = KVPSCtxData::instance();
    KVSculptRegistry& registry = KVSculptRegistry::instance();
    RVMeshData* record = nullptr;
    MObject node;
    RavelinManipNode* manipulator = nullptr;
};

TEST_F(FeedbackState, HoverColoursSumOverInstancesCountTheRimAndClamp) {
    data.radius = 1.0;
    const MPoint centre = record->worldPoints[vertexAt(2, 3)];
    setInstances({centre});
    std::vector<KVFeedbackPoint> drawn = points();
    ASSERT_EQ(drawn.size(), 5u); // the centre and its four neighbours at exactly the radius
    const KVFeedbackPoint* middle = find(drawn, 2, 3);
    const KVFeedbackPoint* rim = find(drawn, 3, 3);
    ASSERT_TRUE(middle && rim);
    EXPECT_FLOAT_EQ(middle->g, 0.5f * 1.25f);
    EXPECT_FLOAT_EQ(middle->b, 1.0f);      // 1.25, clamped
    EXPECT_FLOAT_EQ(rim->g, 0.5f * 0.25f); // the ramp's end, plus 0.25
    EXPECT_FLOAT_EQ(rim->b, 0.25f);
    EXPECT_EQ(find(drawn, 3, 4), nullptr); // a diagonal neighbour is beyond the radius

    // Two instances on the same spot add up, channel by channel, to at most 1.
    setInstances({centre, centre});
    drawn = points();
    EXPECT_FLOAT_EQ(find(drawn, 2, 3)->g, 1.0f);
    EXPECT_FLOAT_EQ(find(drawn, 3, 3)->g, 0.25f);
    EXPECT_FLOAT_EQ(find(drawn, 3, 3)->b, 0.5f);

    // Masks need an instance to show.
    data.useMask = true;
    record->maskFlag[vertexAt(-5, -5)] = true;
    EXPECT_NE(find(points(), -5, -5), nullptr);
    setInstances({});
    EXPECT_TRUE(points().empty());
}

TEST_F(FeedbackState, StrokeColoursAreTheVertexColourBlendedUnclampedWithTheMask) {
    data.strokeActive = true;
    data.useMask = true;
    const int both = vertexAt(0, 0), touched = vertexAt(1, 0), masked = vertexAt(2, 0);
    record->strokeTouched[both] = record->strokeTouched[touched] = 1;
    record->maskFlag[both] = record->maskFlag[masked] = true;
    record->maskWeight[both] = record->maskWeight[masked] = 0.25;
    std::vector<KVFeedbackPoint> drawn = points();
    ASSERT_EQ(drawn.size(), 3u);
    // M = V w + maskColour (1 - w) = (0.75, 0.5, 0.25); V + (1 - M) V.
    EXPECT_FLOAT_EQ(find(drawn, 0, 0)->r, 0.0f);
    EXPECT_FLOAT_EQ(find(drawn, 0, 0)->g, 0.75f);
    EXPECT_FLOAT_EQ(find(drawn, 0, 0)->b, 1.75f);
    EXPECT_FLOAT_EQ(find(drawn, 1, 0)->g, 0.5f);
    EXPECT_FLOAT_EQ(find(drawn, 2, 0)->r, 0.75f);
    EXPECT_FLOAT_EQ(find(drawn, 2, 0)->b, 0.25f);

    data.realtimeUpdate = true; // the mesh shows the stroke: masked vertices only
    drawn = points();
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_FLOAT_EQ(find(drawn, 0, 0)->g, 0.5f);
    data.useMask = false;
    EXPECT_TRUE(points().empty());
}

// The walk near the brush against the walk over every vertex, on random strokes over a
// jittered mesh: the same points, the same colours, bit for bit, in the same order.
TEST_F(FeedbackState, TheWalkNearTheBrushGivesWhatEveryVertexGives) {
    std::mt19937 random(1234);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int n = static_cast<int>(record->worldPoints.length());
    size_t drawnInAll = 0;
    for (int trial = 0; trial < 60; ++trial) {
        for (int v = 0; v < n; ++v) {
            MPoint& p = record->worldPoints[v];
            p.y = 1.0 + 0.3 * (unit(random) - 0.5);
            record->maskFlag[v] = unit(random) < 0.15;
            record->maskWeight[v] = unit(random);
            record->strokeTouched[v] = unit(random) < 0.1;
        }
        record->worldPointsChanged();
        const int count = int(unit(random) * 9.0); // 0 to 8 instances
        record->instanceCentres.clear();
        for (int j = 0; j < count; ++j) {
            // Half the centres sit on a vertex, so that neighbours lie exactly at radius 1.
            const bool onVertex = unit(random) < 0.5;
            const MPoint onMesh = record->worldPoints[int(unit(random) * n) % n];
            record->instanceCentres.append(
                onVertex ? onMesh : MPoint(24 * unit(random) - 12, 1.0, 24 * unit(random) - 12));
        }
        record->instanceCount = count;
        data.radius = trial % 3 == 0 ? 1.0 : 0.2 + 4 * unit(random);
        data.strokeActive = trial % 4 == 3;
        data.realtimeUpdate = trial % 8 == 7;
        data.useMask = trial % 5 < 2;
        if (trial == 59) record->dabIndexInSync = false; // points written elsewhere

        const std::vector<KVFeedbackPoint> near = points(KVBrushFeedback::Walk::kNearBrush);
        const std::vector<KVFeedbackPoint> every = points(KVBrushFeedback::Walk::kEveryVertex);
        ASSERT_EQ(near.size(), every.size()) << "trial " << trial;
        EXPECT_TRUE(near.empty() || std::memcmp(near.data(), every.data(),
                                                near.size() * sizeof(KVFeedbackPoint)) == 0)
            << "trial " << trial;
        drawnInAll += near.size();
    }
    EXPECT_GT(drawnInAll, 3000u);
}

class FeedbackDial : public FeedbackState {
protected:
    void SetUp() override {
        FeedbackState::SetUp();
        setInstances({});
        // Rotation: A from (200, 150) to (300, 150); B from there up and right to (260, 210).
        data.rotateDialPoints = {{{200, 150}, {300, 150}, {200, 150}, {260, 210}}};
        // Scale: the rectangle (400, 300), (400, 200), (340, 200), (340, 300).
        data.scaleDialPoints = {{{400, 300}, {400, 200}, {340, 200}, {340, 300}}};
    }
    // The dial's colour at or just below port pixel row y (a line on a pixel boundary).
    static bool dialAt(int x, int y) { return pixel(x, y) == kDial || pixel(x, y - 1) == kDial; }
    static bool dialNear(int x, int y) {
        return dialAt(x, y) || dialAt(x + 1, y) || dialAt(x - 1, y);
    }
    static inline const Pixel kDial = {64, 217, 13}; // (0.25, 0.85, 0.05)
};

TEST_F(FeedbackDial, TheRotationDialIsDrawnWhereItsHandlePointsSay) {
    data.showRotateDial = true;
    for (auto renderer : {rvhost::ViewPort::Renderer::kLegacy, rvhost::ViewPort::Renderer::kVp2}) {
        render(renderer);
        EXPECT_TRUE(dialAt(250, 150)) << int(renderer);
        EXPECT_TRUE(dialNear(230, 180)) << int(renderer); // on B, half-way
        EXPECT_FALSE(dialAt(250, 170)) << int(renderer);
        EXPECT_FALSE(dialAt(320, 150)) << int(renderer); // past A's end
        EXPECT_FALSE(dialAt(400, 250)) << int(renderer); // no scale dial
    }
    // The legacy path draws it two pixels wide.
    render(rvhost::ViewPort::Renderer::kLegacy);
    EXPECT_EQ(pixel(250, 150), kDial);
    EXPECT_EQ(pixel(250, 149), kDial);
}

TEST_F(FeedbackDial, TheScaleDialWinsWhenBothAreShown) {
    data.showRotateDial = data.showScaleDial = true;
    for (auto renderer : {rvhost::ViewPort::Renderer::kLegacy, rvhost::ViewPort::Renderer::kVp2}) {
        render(renderer);
        EXPECT_TRUE(dialNear(400, 250)) << int(renderer);
        EXPECT_TRUE(dialNear(340, 250)) << int(renderer);
        EXPECT_TRUE(dialAt(370, 300)) << int(renderer);
        EXPECT_TRUE(dialAt(370, 200)) << int(renderer);
        EXPECT_FALSE(dialAt(370, 250)) << int(renderer); // inside the outline
        EXPECT_FALSE(dialAt(250, 150)) << int(renderer); // no rotation dial
    }
}

TEST_F(FeedbackDial, Viewport2DrawsNothingWithoutACurrentManipulator) {
    data.showRotateDial = true;
    RavelinManipNode::setCurrent(nullptr);
    render(rvhost::ViewPort::Renderer::kVp2);
    EXPECT_FALSE(dialAt(250, 150));
    render(rvhost::ViewPort::Renderer::kLegacy); // the legacy draw is the node's own
    EXPECT_TRUE(dialAt(250, 150));
    data.meshModified = false;
    render(rvhost::ViewPort::Renderer::kLegacy);
    EXPECT_FALSE(dialAt(250, 150));
}

} // namespace
