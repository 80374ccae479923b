#include <maya/M3dView.h>
#include <maya/MMatrix.h>
#include <maya/MTransformationMatrix.h>

#include "view/ViewPort.h"

#include <gtest/gtest.h>

#include <random>

using rvhost::ViewPort;

namespace {

class ViewGeometry : public ::testing::Test {
protected:
    void SetUp() override { ViewPort::active().reset(); }
    void TearDown() override { ViewPort::active().reset(); }

    ViewPort& port = ViewPort::active();
    M3dView view = M3dView::active3dView();
};

void expectNear(const MPoint& a, const MPoint& b, double tol = 1e-9) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
}

// Port position of a world point through the OpenGL matrices, as the pictures place it.
MPoint throughMatrices(const ViewPort& p, const MPoint& world) {
    MPoint clip = world * p.viewMatrix() * p.projectionMatrix();
    clip.cartesianize();
    return MPoint((clip.x + 1) * p.width() / 2, (clip.y + 1) * p.height() / 2, clip.z);
}

} // namespace

TEST_F(ViewGeometry, OrthographicWorkedExampleLooksStraightDown) {
    ASSERT_TRUE(port.camera().setLookAt(MPoint(0, 10, 0), MPoint(0, 0, 0), MVector(0, 0, -1)));
    ASSERT_TRUE(port.camera().setOrthographic(32));
    ASSERT_TRUE(port.setSize(640, 480));

    MPoint origin;
    MVector direction;
    ASSERT_TRUE(view.viewToWorld(366, 216, origin, direction));
    expectNear(origin, MPoint(2.3, 10, 1.2));
    expectNear(direction, MPoint(0, -1, 0));

    short x = 0, y = 0;
    EXPECT_TRUE(view.worldToView(MPoint(2.3, 0, 1.2), x, y));
    EXPECT_EQ(x, 366);
    EXPECT_EQ(y, 216);
    // The port spans 32 units across and 24 up; the bottom-left corner is (-16, 12) in x-z.
    EXPECT_TRUE(view.worldToView(MPoint(-16, 0, 12), x, y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST_F(ViewGeometry, PerspectiveRaysRoundTripThroughWorldToView) {
    ASSERT_TRUE(port.camera().setLookAt(MPoint(3, 7, 12), MPoint(0, 1, 0), MVector(0, 1, 0)));
    ASSERT_TRUE(port.camera().setPerspective(60));
    ASSERT_TRUE(port.setSize(800, 500));
    std::mt19937 random(7);
    std::uniform_int_distribution<int> px(0, 799), py(0, 499);
    std::uniform_real_distribution<double> depth(0.5, 200.0);
    for (int i = 0; i < 200; ++i) {
        const short x = short(px(random)), y = short(py(random));
        MPoint origin;
        MVector direction;
        ASSERT_TRUE(view.viewToWorld(x, y, origin, direction));
        EXPECT_NEAR(direction.length(), 1.0, 1e-12);
        expectNear(origin, MPoint(3, 7, 12));
        short bx = -1, by = -1;
        EXPECT_TRUE(view.worldToView(origin + direction * depth(random), bx, by));
        EXPECT_EQ(bx, x);
        EXPECT_EQ(by, y);
    }
}

TEST_F(ViewGeometry, PerspectiveMatchesTheHorizontalFieldOfView) {
    // 90 degrees across: a point at depth 10 and 10 to the right lands on the right edge.
    ASSERT_TRUE(port.camera().setLookAt(MPoint(0, 0, 0), MPoint(0, 0, -1), MVector(0, 1, 0)));
    ASSERT_TRUE(port.camera().setPerspective(90));
    const ViewPort::Projected right = port.project(MPoint(10, 0, -10));
    EXPECT_NEAR(right.x, 640, 1e-9);
    EXPECT_NEAR(right.y, 240, 1e-9);
    // Up uses the same scale as across (t is divided by W/2): 10 up at depth 40 is 80 pixels.
    EXPECT_NEAR(port.project(MPoint(0, 10, -40)).y, 240 + 80, 1e-9);
}

TEST_F(ViewGeometry, WorldToViewRoundsAndReportsWhatIsNotVisible) {
    ASSERT_TRUE(port.camera().setLookAt(MPoint(0, 10, 0), MPoint(0, 0, 0), MVector(0, 0, -1)));
    ASSERT_TRUE(port.camera().setOrthographic(640)); // one world unit per pixel
    short x = 0, y = 0;
    EXPECT_TRUE(view.worldToView(MPoint(-320 + 10.49, 0, 240 - 20.5), x, y));
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 21); // halves round away from zero
    // x = 639.6 rounds to 640: outside 0 <= x < W.
    EXPECT_FALSE(view.worldToView(MPoint(319.6, 0, 0), x, y));
    EXPECT_EQ(x, 640);
    EXPECT_TRUE(view.worldToView(MPoint(319.4, 0, 0), x, y));
    EXPECT_FALSE(view.worldToView(MPoint(0, 0, 240.6), x, y)); // y = -0.6 rounds to -1
    // Behind the eye's plane; the eye's plane itself still counts as in front.
    EXPECT_FALSE(view.worldToView(MPoint(0, 10.5, 0), x, y));
    EXPECT_TRUE(view.worldToView(MPoint(0, 10, 0), x, y));
    // Far outside the short range: clamped, not wrapped.
    EXPECT_FALSE(view.worldToView(MPoint(1e9, 0, 0), x, y));
    EXPECT_EQ(x, 32767);

    ASSERT_TRUE(port.camera().setPerspective(45));
    EXPECT_FALSE(view.worldToView(MPoint(0, 20, 0), x, y)); // behind the eye
    EXPECT_FALSE(view.worldToView(MPoint(0, 10, 0), x, y)); // at the eye
}

TEST_F(ViewGeometry, ObjectSpaceRayIsTheWorldRayCarriedByTheMatrix) {
    ASSERT_TRUE(port.camera().setLookAt(MPoint(0, 5, 20), MPoint(0, 0, 0), MVector(0, 1, 0)));
    MTransformationMatrix transform;
    transform.setTranslation(MVector(1, 2, 3), MSpace::kTransform);
    const double scale[3] = {2, 2, 4};
    transform.setScale(scale, MSpace::kTransform);
    const MMatrix inverse = transform.asMatrix().inverse();

    MPoint worldPt, objectPt;
    MVector worldDir, objectDir;
    ASSERT_TRUE(view.viewToWorld(100, 400, worldPt, worldDir));
    ASSERT_TRUE(view.viewToObjectSpace(100, 400, inverse, objectPt, objectDir));
    expectNear(objectPt, worldPt * inverse);
    EXPECT_NEAR(objectDir.length(), 1.0, 1e-12);
    EXPECT_TRUE(objectDir.isParallel(worldDir * inverse, 1e-9));
    EXPECT_GT(objectDir * (worldDir * inverse), 0.0);
}

TEST_F(ViewGeometry, OpenGLMatricesPlacePointsWhereWorldToViewDoes) {
    ASSERT_TRUE(port.setSize(300, 200));
    ASSERT_TRUE(port.camera().setLookAt(MPoint(4, 6, 9), MPoint(1, 0, -1), MVector(0, 1, 0)));
    const MPoint samples[] = {MPoint(0, 0, 0), MPoint(2, 1, -3), MPoint(-1, 2, 1)};
    for (bool ortho : {false, true}) {
        ASSERT_TRUE(ortho ? port.camera().setOrthographic(12) : port.camera().setPerspective(50));
        for (const MPoint& p : samples) {
            const ViewPort::Projected exact = port.project(p);
            const MPoint gl = throughMatrices(port, p);
            EXPECT_NEAR(gl.x, exact.x, 1e-6) << (ortho ? "ortho" : "perspective");
            EXPECT_NEAR(gl.y, exact.y, 1e-6) << (ortho ? "ortho" : "perspective");
            EXPECT_GT(gl.z, -1.0);
            EXPECT_LT(gl.z, 1.0);
        }
    }
    MMatrix fromView;
    ASSERT_TRUE(view.modelViewMatrix(fromView));
    EXPECT_TRUE(fromView.isEquivalent(port.viewMatrix()));
}

TEST_F(ViewGeometry, NearAndFarClipPointsLieOnTheRay) {
    ASSERT_TRUE(port.camera().setLookAt(MPoint(0, 0, 10), MPoint(0, 0, 0), MVector(0, 1, 0)));
    MPoint nearPt, farPt;
    ASSERT_TRUE(view.viewToWorld(320, 240, nearPt, farPt));
    expectNear(nearPt, MPoint(0, 0, 10 - ViewPort::kPerspectiveNear));
    expectNear(farPt, MPoint(0, 0, 10 - ViewPort::kFar), 1e-6);
}

TEST_F(ViewGeometry, BadSettingsAreRefusedAndChangeNothing) {
    rvhost::Camera& camera = port.camera();
    const MPoint eye = camera.eye();
    EXPECT_FALSE(camera.setLookAt(MPoint(1, 1, 1), MPoint(1, 1, 1), MVector(0, 1, 0)));
    EXPECT_FALSE(camera.setLookAt(MPoint(0, 5, 0), MPoint(0, 0, 0), MVector(0, 2, 0)));
    EXPECT_FALSE(camera.setPerspective(0));
    EXPECT_FALSE(camera.setPerspective(180));
    EXPECT_FALSE(camera.setOrthographic(-3));
    EXPECT_FALSE(port.setSize(0, 10));
    EXPECT_EQ(camera.eye(), eye);
    EXPECT_EQ(camera.projection(), rvhost::Camera::Projection::kPerspective);
    EXPECT_DOUBLE_EQ(camera.horizontalFov(), 45.0);
    EXPECT_EQ(view.portWidth(), 640);
    EXPECT_EQ(view.portHeight(), 480);
}

TEST_F(ViewGeometry, RefreshesAreCountedAndDetachedViewsFail) {
    EXPECT_TRUE(view.refresh());
    EXPECT_TRUE(view.refresh(true, true));
    EXPECT_EQ(port.refreshCount(), 2);

    M3dView detached;
    MStatus status;
    EXPECT_EQ(detached.portWidth(&status), 0);
    EXPECT_EQ(status, MS::kFailure);
    EXPECT_FALSE(detached.refresh());
    short x, y;
    EXPECT_FALSE(detached.worldToView(MPoint(), x, y));
    EXPECT_EQ(port.refreshCount(), 2);
}
