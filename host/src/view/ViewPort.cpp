#include "view/ViewPort.h"

#include <algorithm>
#include <cmath>

namespace rvhost {

ViewPort& ViewPort::active() {
    static ViewPort view;
    return view;
}

bool ViewPort::setSize(int width, int height) {
    constexpr int kMaxSide = 16384;
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return false;
    width_ = width;
    height_ = height;
    return true;
}

void ViewPort::reset() {
    *this = ViewPort();
}

ViewPort::Ray ViewPort::ray(double x, double y) const {
    const double half = width_ / 2.0;
    const double s = (x - half) / half;
    const double t = (y - height_ / 2.0) / half;
    const Camera::Frame& f = camera_.frame();
    const double k = camera_.halfExtent();
    if (camera_.projection() == Camera::Projection::kOrthographic)
        return {camera_.eye() + f.right * (s * k) + f.up * (t * k), f.forward};
    return {camera_.eye(), (f.forward + f.right * (s * k) + f.up * (t * k)).normal()};
}

ViewPort::Projected ViewPort::project(const MPoint& world) const {
    const Camera::Frame& f = camera_.frame();
    const MVector d = world - camera_.eye();
    const double depth = d * f.forward;
    const bool ortho = camera_.projection() == Camera::Projection::kOrthographic;
    // Perspective divides by depth; orthographic scales by the fixed half width.
    const double scale = camera_.halfExtent() * (ortho ? 1.0 : depth);
    Projected p;
    p.inFront = ortho ? depth >= 0.0 : depth > 0.0;
    if (scale == 0.0) return p;
    const double half = width_ / 2.0;
    p.x = half + (d * f.right) / scale * half;
    p.y = height_ / 2.0 + (d * f.up) / scale * half;
    return p;
}

bool ViewPort::toPort(const MPoint& world, short& x, short& y) const {
    const Projected p = project(world);
    auto toShort = [](double v) {
        if (!std::isfinite(v)) return short(0);
        return static_cast<short>(std::clamp(std::round(v), -32768.0, 32767.0));
    };
    x = toShort(p.x);
    y = toShort(p.y);
    return p.inFront && x >= 0 && x < width_ && y >= 0 && y < height_;
}

MMatrix ViewPort::viewMatrix() const {
    // Columns are the eye axes: right, up and backward (OpenGL looks down -z).
    const Camera::Frame& f = camera_.frame();
    const MVector back = -f.forward;
    const MVector e = camera_.eye() - MPoint::origin;
    const MVector axes[3] = {f.right, f.up, back};
    MMatrix m;
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 3; ++r)
            m[r][c] = axes[c][r];
        m[3][c] = -(e * axes[c]);
    }
    return m;
}

MMatrix ViewPort::projectionMatrix() const {
    const double k = camera_.halfExtent();
    const double aspect = double(width_) / height_;
    MMatrix m;
    if (camera_.projection() == Camera::Projection::kOrthographic) {
        const double n = kOrthographicNear;
        m[0][0] = 1.0 / k;
        m[1][1] = aspect / k;
        m[2][2] = -2.0 / (kFar - n);
        m[3][2] = -(kFar + n) / (kFar - n);
        return m;
    }
    const double n = kPerspectiveNear;
    m[0][0] = 1.0 / k;
    m[1][1] = aspect / k;
    m[2][2] = (kFar + n) / (n - kFar);
    m[2][3] = -1.0;
    m[3][2] = 2.0 * kFar * n / (n - kFar);
    m[3][3] = 0.0;
    return m;
}

} // namespace rvhost
