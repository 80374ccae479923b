#include <maya/MFloatMatrix.h>
#include <maya/MFloatPoint.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include "core/GeometryMath.h"

#include <cmath>
#include <ostream>

using namespace rvhost;

const MFloatPoint MFloatPoint::origin(0.0f, 0.0f, 0.0f, 1.0f);

MFloatPoint::MFloatPoint(const MPoint& p) {
    setCast(p);
}
MFloatPoint::MFloatPoint(const MVector& v) {
    setCast(v);
}
MFloatPoint::MFloatPoint(const double d[4]) {
    setCast(MPoint(d));
}

MStatus MFloatPoint::get(float dest[4]) const {
    for (unsigned int i = 0; i < 4; ++i)
        dest[i] = (*this)[i];
    return MS::kSuccess;
}

MStatus MFloatPoint::get(double dest[4]) const {
    for (unsigned int i = 0; i < 4; ++i)
        dest[i] = (*this)[i];
    return MS::kSuccess;
}

MStatus MFloatPoint::setCast(const MPoint& src) {
    for (unsigned int i = 0; i < 4; ++i)
        (*this)[i] = static_cast<float>(src[i]);
    return MS::kSuccess;
}

MStatus MFloatPoint::setCast(const MVector& src) {
    return setCast(MPoint(src));
}

float MFloatPoint::operator[](unsigned int i) const {
    return component4(*this, i);
}
float& MFloatPoint::operator[](unsigned int i) {
    return component4(*this, i);
}

MFloatPoint MFloatPoint::operator*(const float scale) const {
    return MFloatPoint(x * scale, y * scale, z * scale, w);
}

MFloatPoint MFloatPoint::operator/(const float scale) const {
    return MFloatPoint(x / scale, y / scale, z / scale, w);
}

MFloatPoint MFloatPoint::operator*(const MFloatMatrix& right) const {
    return pointTimes(*this, right);
}

MFloatPoint& MFloatPoint::operator*=(const MFloatMatrix& right) {
    return *this = *this * right;
}

bool MFloatPoint::operator==(const MFloatPoint& other) const {
    return x == other.x && y == other.y && z == other.z && w == other.w;
}

MFloatPoint& MFloatPoint::cartesianize() {
    return *this = cartesian(*this);
}

MFloatPoint& MFloatPoint::rationalize() {
    if (w != 0.0f) {
        x /= w;
        y /= w;
        z /= w;
    }
    return *this;
}

MFloatPoint& MFloatPoint::homogenize() {
    x *= w;
    y *= w;
    z *= w;
    return *this;
}

float MFloatPoint::distanceTo(const MFloatPoint& other) const {
    return pointDistance(*this, other);
}

bool MFloatPoint::isEquivalent(const MFloatPoint& other, float tolerance) const {
    return equivalent3(MFloatVector(*this), MFloatVector(other), tolerance) &&
           std::abs(w - other.w) <= tolerance;
}

MFloatPoint operator*(const MFloatMatrix& left, const MFloatPoint& right) {
    return pointTimes(right, left.transpose());
}

std::ostream& operator<<(std::ostream& os, const MFloatPoint& p) {
    return os << "[" << p.x << ", " << p.y << ", " << p.z << ", " << p.w << "]";
}
