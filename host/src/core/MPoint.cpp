#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>

#include "core/GeometryMath.h"

#include <cmath>
#include <ostream>

using namespace rvhost;

const MPoint MPoint::origin(0.0, 0.0, 0.0, 1.0);

MPoint::MPoint(const MFloatPoint& p) : x(p.x), y(p.y), z(p.z), w(p.w) {}
MPoint::MPoint(const MFloatVector& v) : x(v.x), y(v.y), z(v.z) {}

MStatus MPoint::get(double dest[4]) const {
    for (unsigned int i = 0; i < 4; ++i)
        dest[i] = (*this)[i];
    return MS::kSuccess;
}

MStatus MPoint::get(float dest[4]) const {
    for (unsigned int i = 0; i < 4; ++i)
        dest[i] = static_cast<float>((*this)[i]);
    return MS::kSuccess;
}

double MPoint::operator[](unsigned int i) const {
    return component4(*this, i);
}
double& MPoint::operator[](unsigned int i) {
    return component4(*this, i);
}

MPoint MPoint::operator*(const double scale) const {
    return MPoint(x * scale, y * scale, z * scale, w);
}

MPoint MPoint::operator/(const double scale) const {
    return MPoint(x / scale, y / scale, z / scale, w);
}

MPoint& MPoint::operator*=(const double scale) {
    return *this = *this * scale;
}
MPoint& MPoint::operator/=(const double scale) {
    return *this = *this / scale;
}

MPoint MPoint::operator*(const MMatrix& right) const {
    return pointTimes(*this, right);
}

MPoint& MPoint::operator*=(const MMatrix& right) {
    return *this = *this * right;
}

bool MPoint::operator==(const MPoint& other) const {
    return x == other.x && y == other.y && z == other.z && w == other.w;
}

MPoint& MPoint::cartesianize() {
    return *this = cartesian(*this);
}

MPoint& MPoint::rationalize() {
    if (w != 0.0) {
        x /= w;
        y /= w;
        z /= w;
    }
    return *this;
}

MPoint& MPoint::homogenize() {
    x *= w;
    y *= w;
    z *= w;
    return *this;
}

double MPoint::distanceTo(const MPoint& other) const {
    return pointDistance(*this, other);
}

bool MPoint::isEquivalent(const MPoint& other, double tolerance) const {
    return equivalent3(MVector(*this), MVector(other), tolerance) &&
           std::abs(w - other.w) <= tolerance;
}

MPoint operator*(const MMatrix& left, const MPoint& right) {
    // Column vector: M x p.
    return pointTimes(right, left.transpose());
}

MPoint operator*(double scale, const MPoint& p) {
    return p * scale;
}

std::ostream& operator<<(std::ostream& os, const MPoint& p) {
    return os << "[" << p.x << ", " << p.y << ", " << p.z << ", " << p.w << "]";
}
