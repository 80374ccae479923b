// The view keeps each mesh's corners in buffers between frames and sends only what a move
// changed; the pictures must be those a fresh build gives.
#include "view/MeshDrawCache.h"
#include "mesh/MeshGenerators.h"
#include "mesh/MeshShape.h"
#include "scene/Scene.h"
#include "scene/Transform.h"
#include "view/GLApi.h"
#include "view/OffscreenGL.h"
#include "view/ViewHooks.h"
#include "view/ViewPort.h"
#include "view/ViewRenderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>

using rvhost::MeshDrawCache;
using rvhost::ViewPort;

namespace {

// Puts a new mesh in the scene in place of a test's one mesh.
bool replaceMesh(std::shared_ptr<rvhost::MeshShape>& shape, rvhost::MeshGeometry geometry,
                 const char* name) {
    rvhost::Scene::instance().remove(*shape->parent());
    std::string error;
    shape = rvhost::MeshShape::createWithTransform(std::move(geometry), "", name, &error);
    if (!shape) ADD_FAILURE() << error;
    return shape != nullptr;
}

// A 4 x 4-quad plane (5 x 5 vertices, 1 unit apart) seen from above at an angle, so that
// both its shape and its normals show in the picture.
class MeshDrawCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        port.reset();
        port.setGridVisible(false);
        port.setSize(96, 96);
        ASSERT_TRUE(port.camera().setLookAt(MPoint(3, 6, 4), MPoint(0, 0, 0), MVector(0, 1, 0)));
        std::string error;
        shape = rvhost::MeshShape::createWithTransform(rvhost::makePlane(4, 4, 4, 4), "", "pCached",
                                                       &error);
        ASSERT_TRUE(shape) << error;
        for (int v = 0; v < shape->geometry().numVertices(); ++v) {
            const rvhost::Vec3 p = shape->geometry().point(v);
            if (p.x == 0 && p.z == 0) centre = v;
        }
        ASSERT_GE(centre, 0);
    }
    void TearDown() override {
        if (shape) rvhost::Scene::instance().remove(*shape->parent());
        port.reset();
    }

    std::vector<unsigned char> render() {
        std::string error;
        EXPECT_TRUE(rvhost::ViewRenderer::render(port, error)) << error;
        return rvhost::OffscreenGL::instance().pixels();
    }
    void raise(int v, double by) {
        rvhost::Vec3 p = shape->geometry().point(v);
        p.y += by;
        shape->geometry().setPoint(v, p);
    }
    std::size_t sent() const { return MeshDrawCache::instance().cornersSent(); }

    ViewPort& port = ViewPort::active();
    std::shared_ptr<rvhost::MeshShape> shape;
    int centre = -1;
};

} // namespace

// Smooth: a corner a vertex. The first frame sends all 25; an unchanged frame none; raising
// the centre sends the 9 vertices of the 4 quads around it (their normals changed).
TEST_F(MeshDrawCacheTest, SmoothFramesSendOnlyTheVerticesAroundAMove) {
    render();
    EXPECT_EQ(sent(), 25u);
    render();
    EXPECT_EQ(sent(), 0u);
    raise(centre, 1.0);
    const std::vector<unsigned char> updated = render();
    EXPECT_EQ(sent(), 9u);
    // A change of shading builds the buffers anew; going back does too, from scratch.
    port.setDisplayStyle(M3dView::kFlatShaded);
    render();
    port.setDisplayStyle(M3dView::kGouraudShaded);
    EXPECT_EQ(render(), updated);
    EXPECT_EQ(sent(), 25u);
}

// Flat: three corners a triangle, two triangles a quad. Raising the centre changes the 4
// quads around it: 24 corners.
TEST_F(MeshDrawCacheTest, FlatFramesSendOnlyTheTrianglesAroundAMove) {
    port.setDisplayStyle(M3dView::kFlatShaded);
    render();
    EXPECT_EQ(sent(), 96u);
    raise(centre, 1.0);
    const std::vector<unsigned char> updated = render();
    EXPECT_EQ(sent(), 24u);
    port.setDisplayStyle(M3dView::kGouraudShaded);
    render();
    port.setDisplayStyle(M3dView::kFlatShaded);
    EXPECT_EQ(render(), updated);
}

// A corner vertex has one quad: raising it changes that quad's 4 vertices, and the picture
// differs from before; lowering it back gives the first picture again.
TEST_F(MeshDrawCacheTest, AMoveAndItsReturnShowInThePicture) {
    const std::vector<unsigned char> before = render();
    raise(0, 2.0);
    const std::vector<unsigned char> raised = render();
    EXPECT_EQ(sent(), 4u);
    EXPECT_NE(raised, before);
    raise(0, -2.0);
    EXPECT_EQ(render(), before);
}

// A mesh no longer in the scene is dropped; one made in its place is built whole.
TEST_F(MeshDrawCacheTest, ARemovedMeshIsDroppedAndANewOneBuiltWhole) {
    render();
    rvhost::Scene::instance().remove(*shape->parent());
    shape.reset();
    render();
    EXPECT_EQ(sent(), 0u);
    std::string error;
    shape =
        rvhost::MeshShape::createWithTransform(rvhost::makePlane(2, 2, 1, 1), "", "pNew", &error);
    ASSERT_TRUE(shape) << error;
    render();
    EXPECT_EQ(sent(), 4u);
}

// A frame where nothing under the feedback changed starts from the scene kept from the
// last full draw: the feedback drawn then does not linger, the scene is not drawn again
// (no corners sent), and a camera move draws it anew.
TEST_F(MeshDrawCacheTest, FramesReuseTheSceneWithoutTheLastFeedback) {
    const std::vector<unsigned char> plain = render();
    bool drawLine = true;
    rvhost::ViewHooks::setToolItems([&drawLine] {
        rvhost::ToolDrawItem item;
        item.legacyDraw = [&drawLine](M3dView&, M3dView::DisplayStyle, M3dView::DisplayStatus) {
            if (!drawLine) return;
            const rvhost::GLApi& g = rvhost::gl();
            g.glColor3f(1, 0, 0);
            g.glBegin(GL_LINES);
            g.glVertex3f(-2, 0, 0);
            g.glVertex3f(2, 0, 0);
            g.glEnd();
        };
        return std::vector<rvhost::ToolDrawItem>{item};
    });
    const std::vector<unsigned char> withLine = render();
    EXPECT_NE(withLine, plain);
    drawLine = false;
    EXPECT_EQ(render(), plain);
    EXPECT_EQ(sent(), 0u);
    rvhost::ViewHooks::setToolItems({});

    ASSERT_TRUE(port.camera().setLookAt(MPoint(-3, 6, 4), MPoint(0, 0, 0), MVector(0, 1, 0)));
    EXPECT_NE(render(), plain);
}

// A move on a larger mesh (256 x 16 quads, 8192 triangles, seen from straight above) draws
// again only the runs of triangles that can reach the changed pixels (the rows round the
// move), and the picture is the one a full draw gives.
TEST_F(MeshDrawCacheTest, AMoveRedrawsOnlyTrianglesThatCanReachItsPixels) {
    ASSERT_TRUE(replaceMesh(shape, rvhost::makePlane(16, 16, 256, 16), "pLarge"));
    port.setSize(256, 256);
    ASSERT_TRUE(port.camera().setLookAt(MPoint(0, 10, 0), MPoint(0, 0, 0), MVector(0, 0, -1)));
    ASSERT_TRUE(port.camera().setOrthographic(20));
    render();
    EXPECT_EQ(MeshDrawCache::instance().trianglesDrawn(), 8192u);
    raise(8 * 257 + 128, 0.5); // the centre
    const std::vector<unsigned char> partial = render();
    // Runs are 256 triangles: half a row. The move reshapes quad rows 7 and 8 and shades rows
    // 6 to 9; a few pixels of margin (a row is 12.8 pixels tall) reach rows 5 and 10. The
    // centre column lies where the two halves of each row meet: 6 rows x 2 halves x 256.
    EXPECT_EQ(MeshDrawCache::instance().trianglesDrawn(), 3072u);
    port.setDisplayStyle(M3dView::kFlatShaded);
    render();
    port.setDisplayStyle(M3dView::kGouraudShaded);
    EXPECT_EQ(render(), partial);
    EXPECT_EQ(MeshDrawCache::instance().trianglesDrawn(), 8192u);
}

namespace {

// A sphere of radius 5 (384 x 192 segments, about 0.08 between vertices) seen from +z,
// orthographic, 12 units across 128 pixels: a pixel is 0.094 units, a stand-in's cube 2
// pixels (0.19), so the sphere is far denser than the view.
class StandInTest : public ::testing::Test {
protected:
    static constexpr double kRadius = 5, kWidth = 12;
    static constexpr int kPort = 128, kAround = 384;

    void SetUp() override {
        port.reset();
        port.setGridVisible(false);
        port.setSize(kPort, kPort);
        ASSERT_TRUE(port.camera().setLookAt(MPoint(0, 0, 30), MPoint(0, 0, 0), MVector(0, 1, 0)));
        ASSERT_TRUE(port.camera().setOrthographic(kWidth));
        std::string error;
        shape = rvhost::MeshShape::createWithTransform(
            rvhost::makeSphere(kRadius, kAround, kAround / 2), "", "pDense", &error);
        ASSERT_TRUE(shape) << error;
    }
    void TearDown() override {
        rvhost::Scene::instance().remove(*shape->parent());
        port.reset();
    }

    std::vector<unsigned char> render(rvhost::ViewRenderer::Detail detail) {
        std::string error;
        EXPECT_TRUE(rvhost::ViewRenderer::render(port, error, detail)) << error;
        return rvhost::OffscreenGL::instance().pixels();
    }
    std::vector<unsigned char> exact() { return render(rvhost::ViewRenderer::Detail::kExact); }
    std::vector<unsigned char> moving() { return render(rvhost::ViewRenderer::Detail::kMoving); }
    std::size_t drawn() const { return MeshDrawCache::instance().trianglesDrawn(); }
    int made() const { return MeshDrawCache::instance().standInsMade(); }

    ViewPort& port = ViewPort::active();
    std::shared_ptr<rvhost::MeshShape> shape;
};

bool isBackground(const unsigned char* p) {
    const unsigned char* bg = rvhost::ViewRenderer::kBackground;
    return p[0] == bg[0] && p[1] == bg[1] && p[2] == bg[2];
}

} // namespace

// How far the stand-in's picture may stray from the exact one, worked out from the cube c:
// a stand-in vertex is the mean of sphere points in one cube (at most sqrt(3) c apart), so
// it lies inside the sphere by at most the sagitta 3c^2 / 8R; its triangles join clusters
// at most 2 sqrt(3) c apart, sagging 12c^2 / 8R more. The outline can only shrink, by at
// most 15c^2 / 8R, plus a pixel of rasterisation on either side. Within half the radius of
// the middle the surface faces the eye within 30 degrees; there each vertex shading a pixel
// has a normal within (3 sqrt(3) c + 2h) / R radians of the exact one (h: the sphere's own
// vertex spacing, which bounds the exact picture's own interpolation), and the lit grey,
// 204 (0.25 + 0.75 cos), changes by at most 153 levels a radian.
TEST_F(StandInTest, TheMovingPictureStaysWithinWorkedOutBoundsOfTheExactOne) {
    const std::vector<unsigned char> full = exact();
    const std::size_t allTriangles = drawn();
    ASSERT_TRUE(port.camera().setLookAt(MPoint(0, 0, 31), MPoint(0, 0, 0), MVector(0, 1, 0)));
    const std::vector<unsigned char> reduced = moving();
    // Cubes of about 2.3 x 2.3 vertex spacings: some 5 times fewer triangles.
    EXPECT_LT(drawn(), allTriangles / 4);
    EXPECT_EQ(made(), 1);

    const double pixel = kWidth / kPort, cube = 2 * pixel;
    const double spacing = 2 * M_PI * kRadius / kAround;
    const double outline = kRadius / pixel;
    const double shrink = 15 * cube * cube / (8 * kRadius) / pixel;
    const double grey = 153 * (3 * std::sqrt(3.0) * cube + 2 * spacing) / kRadius + 1;
    int outlinePixels = 0;
    for (int y = 0; y < kPort; ++y)
        for (int x = 0; x < kPort; ++x) {
            const size_t at = 4 * (size_t(y) * kPort + x);
            const double r = std::hypot(x + 0.5 - kPort / 2, y + 0.5 - kPort / 2);
            const bool inFull = !isBackground(&full[at]), inReduced = !isBackground(&reduced[at]);
            if (inFull != inReduced) {
                ++outlinePixels;
                EXPECT_GE(r, outline - shrink - 1) << x << ' ' << y;
                EXPECT_LE(r, outline + 1) << x << ' ' << y;
            } else if (inFull && r < outline / 2) {
                EXPECT_LE(std::abs(int(full[at]) - int(reduced[at])), grey) << x << ' ' << y;
            }
        }
    // The rim is where they may differ, not everywhere.
    EXPECT_LT(outlinePixels, 2 * M_PI * outline * 2);
}

// Once the camera stops, the frame is exactly the one a full redraw gives, although the
// frames before it were reduced and the camera ends where one of them was drawn.
TEST_F(StandInTest, TheFrameAtRestIsExact) {
    const std::vector<unsigned char> atRest = exact();
    EXPECT_EQ(moving(), atRest) << "the same camera: the exact picture is still at hand";
    ASSERT_TRUE(port.camera().setLookAt(MPoint(1, 0, 30), MPoint(0, 0, 0), MVector(0, 1, 0)));
    moving();
    ASSERT_TRUE(port.camera().setLookAt(MPoint(0, 0, 30), MPoint(0, 0, 0), MVector(0, 1, 0)));
    EXPECT_NE(moving(), atRest);
    EXPECT_EQ(exact(), atRest);
}

// The stand-in is kept while the camera turns, made again when the points change or when
// the view wants cubes more than twice as large (a dolly), and not used at all for a mesh
// no denser than the view.
TEST_F(StandInTest, TheStandInIsKeptUntilPointsOrTheCubeSizeChange) {
    moving();
    EXPECT_EQ(made(), 1);
    ASSERT_TRUE(port.camera().setLookAt(MPoint(0, 1, 30), MPoint(0, 0, 0), MVector(0, 1, 0)));
    moving();
    EXPECT_EQ(made(), 0);

    rvhost::Vec3 p = shape->geometry().point(0);
    p.x += 0.5;
    shape->geometry().setPoint(0, p);
    ASSERT_TRUE(port.camera().setLookAt(MPoint(0, 2, 30), MPoint(0, 0, 0), MVector(0, 1, 0)));
    moving();
    EXPECT_EQ(made(), 1);

    ASSERT_TRUE(port.camera().setOrthographic(kWidth * 1.9));
    moving();
    EXPECT_EQ(made(), 0);
    ASSERT_TRUE(port.camera().setOrthographic(kWidth * 2.1));
    moving();
    EXPECT_EQ(made(), 1);

    // A 4 x 4-quad plane in 128 pixels: a stand-in would keep more than half its triangles,
    // so the moving frame draws it whole, as the exact one does.
    ASSERT_TRUE(replaceMesh(shape, rvhost::makePlane(8, 8, 4, 4, {0, 0, 1}), "pCoarse"));
    const std::vector<unsigned char> whole = moving();
    EXPECT_EQ(drawn(), 32u);
    EXPECT_EQ(exact(), whole);
}

// An eye at the mesh's middle sees no size of pixel there (here a plane whose bounds are
// exactly symmetric, with the eye in it): cubes as small as the mesh's extent allows keep
// every vertex apart, so the mesh is drawn whole rather than left out.
TEST_F(StandInTest, AnEyeAtTheMeshsMiddleDrawsItWhole) {
    ASSERT_TRUE(replaceMesh(shape, rvhost::makePlane(8, 8, 64, 64), "pAround"));
    ASSERT_TRUE(port.camera().setPerspective(90));
    ASSERT_TRUE(port.camera().setLookAt(MPoint(0, 0, 0), MPoint(0, -1, 0), MVector(0, 0, -1)));
    moving();
    EXPECT_EQ(drawn(), 8192u);
}

// A plane smaller than a cube (its normals all lean one way) makes one cluster and a
// stand-in with no triangles: it is drawn whole, so that it still shows while the camera
// moves. (A sphere there keeps a cluster for each of its six leans, and 8 triangles.)
TEST_F(StandInTest, AMeshWithinOneCubeIsDrawnWhole) {
    ASSERT_TRUE(replaceMesh(shape, rvhost::makePlane(8, 8, 64, 64), "pFar"));
    ASSERT_TRUE(port.camera().setLookAt(MPoint(0, 30, 0), MPoint(0, 0, 0), MVector(0, 0, -1)));
    ASSERT_TRUE(port.camera().setOrthographic(kWidth * 100));
    moving();
    EXPECT_EQ(drawn(), 8192u);
}
