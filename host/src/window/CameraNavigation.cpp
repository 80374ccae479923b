#include "window/CameraNavigation.h"

#include <maya/MMatrix.h>

#include "view/ViewPort.h"

#include <algorithm>
#include <cmath>

namespace rvhost::window::navigation {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDollyPerPixel = 0.005;
// The eye never comes closer to the centre than this, nor an orthographic width below it.
constexpr double kClosest = 1e-3;

// `v` turned by `degrees` about the unit `axis` (right-handed).
MVector rotated(const MVector& v, const MVector& axis, double degrees) {
    const double a = degrees * kPi / 180.0;
    return v * std::cos(a) + (axis ^ v) * std::sin(a) + axis * ((axis * v) * (1.0 - std::cos(a)));
}

double angleBetween(const MVector& a, const MVector& b) {
    const double c = std::clamp((a * b) / (a.length() * b.length()), -1.0, 1.0);
    return std::acos(c) * 180.0 / kPi;
}

} // namespace

void tumble(ViewPort& view, double dx, double dy) {
    Camera& camera = view.camera();
    const MVector up = camera.upHint().normal();
    MVector offset = camera.eye() - camera.centre();
    // Dragging right swings the eye left around the object, so the object turns right.
    offset = rotated(offset, up, -dx * kDegreesPerPixel);
    // Dragging up tips the object's front up, so the eye goes down; stop short of the poles.
    const double fromUp = angleBetween(offset, up);
    const double lowest = std::max(0.0, 180.0 - kPoleMarginDegrees - fromUp);
    const double highest = std::min(0.0, kPoleMarginDegrees - fromUp);
    const double pitch = std::clamp(dy * kDegreesPerPixel, highest, lowest);
    const MVector right = (up ^ offset).normal();
    if (right.length() > 0.0) offset = rotated(offset, right, pitch);
    camera.setLookAt(camera.centre() + offset, camera.centre(), camera.upHint());
}

void track(ViewPort& view, double dx, double dy) {
    Camera& camera = view.camera();
    const Camera::Frame& f = camera.frame();
    const bool ortho = camera.projection() == Camera::Projection::kOrthographic;
    const double distance = (camera.centre() - camera.eye()) * f.forward;
    // World units a pixel covers at the centre's depth.
    const double perPixel = 2.0 * camera.halfExtent() * (ortho ? 1.0 : distance) / view.width();
    const MVector shift = (f.right * -dx + f.up * -dy) * perPixel;
    camera.setLookAt(camera.eye() + shift, camera.centre() + shift, camera.upHint());
}

void dolly(ViewPort& view, double amount) {
    Camera& camera = view.camera();
    const double scale = std::exp(-amount * kDollyPerPixel);
    if (camera.projection() == Camera::Projection::kOrthographic) {
        camera.setOrthographic(std::max(kClosest, camera.orthoWidth() * scale));
        return;
    }
    const MVector offset = camera.eye() - camera.centre();
    const double distance = std::max(kClosest, offset.length() * scale);
    camera.setLookAt(camera.centre() + offset.normal() * distance, camera.centre(),
                     camera.upHint());
}

} // namespace rvhost::window::navigation
