#include "window/CameraNavigation.h"
#include "view/ViewPort.h"

#include <gtest/gtest.h>

#include <cmath>

namespace nav = rvhost::window::navigation;
using rvhost::ViewPort;

namespace {

constexpr double kPi = 3.14159265358979323846;

// Eye at (0, 0, 10) looking at the origin, y up, in a 200-pixel-wide port.
ViewPort frontView() {
    ViewPort view;
    view.setSize(200, 100);
    view.camera().setLookAt(MPoint(0, 0, 10), MPoint(0, 0, 0), MVector(0, 1, 0));
    view.camera().setPerspective(90.0); // half extent tan 45 = 1
    return view;
}

void expectPoint(const MPoint& p, double x, double y, double z) {
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
    EXPECT_NEAR(p.z, z, 1e-9);
}

} // namespace

// 225 pixels at 0.4 degrees a pixel is a quarter turn: dragging right swings the eye to the
// camera's left (-x), the object turning with the mouse; the centre stays.
TEST(CameraNavigation, TumbleSidewaysTurnsTheEyeAboutUp) {
    ViewPort view = frontView();
    nav::tumble(view, 225, 0);
    expectPoint(view.camera().eye(), -10, 0, 0);
    expectPoint(view.camera().centre(), 0, 0, 0);
}

// Dragging up 100 pixels lowers the eye by 40 degrees; far more stops 1 degree short of
// looking straight up, where the view would lose its frame, and the way back is free.
TEST(CameraNavigation, TumbleUpAndDownStopsShortOfThePoles) {
    ViewPort view = frontView();
    nav::tumble(view, 0, 100);
    const double a = 40 * kPi / 180;
    expectPoint(view.camera().eye(), 0, -10 * std::sin(a), 10 * std::cos(a));

    nav::tumble(view, 0, 10000);
    const double b = 179 * kPi / 180; // from the up direction
    expectPoint(view.camera().eye(), 0, 10 * std::cos(b), 10 * std::sin(b));

    nav::tumble(view, 0, -10000);
    const double c = 1 * kPi / 180;
    expectPoint(view.camera().eye(), 0, 10 * std::cos(c), 10 * std::sin(c));
}

// At the centre's depth (10) a 200-pixel port spans 20 units: 0.1 a pixel. The scene follows
// the cursor, so eye and centre move the other way.
TEST(CameraNavigation, TrackMovesEyeAndCentreByTheWorldSizeOfAPixel) {
    ViewPort view = frontView();
    nav::track(view, 10, 0);
    expectPoint(view.camera().eye(), -1, 0, 10);
    expectPoint(view.camera().centre(), -1, 0, 0);

    ViewPort ortho = frontView();
    ortho.camera().setOrthographic(40); // 0.2 a pixel at any depth
    nav::track(ortho, 0, 5);
    expectPoint(ortho.camera().centre(), 0, -1, 0);
    EXPECT_EQ(ortho.camera().projection(), rvhost::Camera::Projection::kOrthographic);
}

// Each pixel of dolly scales the distance (or the orthographic width) by exp(-0.005); the
// eye never reaches the centre.
TEST(CameraNavigation, DollyScalesTheDistanceOrTheOrthographicWidth) {
    ViewPort view = frontView();
    nav::dolly(view, 100);
    expectPoint(view.camera().eye(), 0, 0, 10 * std::exp(-0.5));
    nav::dolly(view, 1e6);
    EXPECT_GT(view.camera().eye().z, 0.0);
    EXPECT_NEAR(view.camera().eye().z, 1e-3, 1e-12);

    ViewPort ortho = frontView();
    ortho.camera().setOrthographic(20);
    nav::dolly(ortho, -100);
    EXPECT_NEAR(ortho.camera().orthoWidth(), 20 * std::exp(0.5), 1e-9);
    expectPoint(ortho.camera().eye(), 0, 0, 10);
}
