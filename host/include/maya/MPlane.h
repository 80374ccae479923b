#pragma once
#include <maya/MPoint.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

// The plane a*x + b*y + c*z + d = 0, kept with a unit normal (a, b, c).
class OPENMAYA_EXPORT MPlane {
public:
    MPlane() = default;

    // The coefficients are scaled so that the normal has unit length.
    void setPlane(double a, double b, double c, double d);
    void setPlane(const MVector& n, double d);
    MVector normal() const { return normal_; }
    double distance() const { return d_; }
    // Signed distance: positive on the side the normal points to.
    double directedDistance(const MPoint& point) const;
    void negate();

private:
    MVector normal_{0.0, 0.0, 1.0};
    double d_ = 0.0;
};
