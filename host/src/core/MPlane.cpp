#include <maya/MPlane.h>

void MPlane::setPlane(double a, double b, double c, double d) {
    const MVector n(a, b, c);
    const double len = n.length();
    // A plane without a normal is meaningless; keep the present one.
    if (len == 0.0) return;
    normal_ = n / len;
    d_ = d / len;
}

void MPlane::setPlane(const MVector& n, double d) {
    setPlane(n.x, n.y, n.z, d);
}

double MPlane::directedDistance(const MPoint& point) const {
    return normal_ * MVector(MPoint(point).cartesianize()) + d_;
}

void MPlane::negate() {
    normal_ = -normal_;
    d_ = -d_;
}
