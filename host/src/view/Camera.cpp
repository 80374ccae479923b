#include "view/Camera.h"

#include <cmath>

namespace rvhost {

namespace {
constexpr double kPi = 3.14159265358979323846;
}

// The default looks at the origin from a raised corner, as a fresh scene's view would.
Camera::Camera() {
    setLookAt(MPoint(28, 21, 28), MPoint(0, 0, 0), MVector(0, 1, 0));
}

bool Camera::setLookAt(const MPoint& eye, const MPoint& centre, const MVector& up) {
    MVector forward = centre - eye;
    if (forward.length() == 0.0 || up.length() == 0.0) return false;
    forward.normalize();
    MVector right = forward ^ up;
    if (right.length() <= 1e-12 * up.length()) return false;
    right.normalize();
    eye_ = eye;
    centre_ = centre;
    upHint_ = up;
    frame_ = {forward, right, right ^ forward};
    return true;
}

bool Camera::setPerspective(double horizontalFovDegrees) {
    if (!(horizontalFovDegrees > 0.0 && horizontalFovDegrees < 180.0)) return false;
    projection_ = Projection::kPerspective;
    fovDegrees_ = horizontalFovDegrees;
    return true;
}

bool Camera::setOrthographic(double width) {
    if (!(width > 0.0) || !std::isfinite(width)) return false;
    projection_ = Projection::kOrthographic;
    orthoWidth_ = width;
    return true;
}

double Camera::halfExtent() const {
    if (projection_ == Projection::kOrthographic) return orthoWidth_ / 2.0;
    return std::tan(fovDegrees_ * kPi / 360.0);
}

} // namespace rvhost
