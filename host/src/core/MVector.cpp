#include <maya/MEulerRotation.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MQuaternion.h>
#include <maya/MVector.h>

#include "core/GeometryMath.h"

#include <cmath>
#include <ostream>

using namespace rvhost;

const MVector MVector::zero(0.0, 0.0, 0.0);
const MVector MVector::one(1.0, 1.0, 1.0);
const MVector MVector::xAxis(1.0, 0.0, 0.0);
const MVector MVector::yAxis(0.0, 1.0, 0.0);
const MVector MVector::zAxis(0.0, 0.0, 1.0);
const MVector MVector::xNegAxis(-1.0, 0.0, 0.0);
const MVector MVector::yNegAxis(0.0, -1.0, 0.0);
const MVector MVector::zNegAxis(0.0, 0.0, -1.0);

MVector::MVector(const MFloatPoint& p) : x(p.x), y(p.y), z(p.z) {}
MVector::MVector(const MFloatVector& v) : x(v.x), y(v.y), z(v.z) {}
MVector::MVector(const MPoint& p) : x(p.x), y(p.y), z(p.z) {}

double MVector::operator[](unsigned int i) const {
    return component3(*this, i);
}
double& MVector::operator[](unsigned int i) {
    return component3(*this, i);
}

MVector MVector::operator^(const MVector& right) const {
    return cross(*this, right);
}

MVector& MVector::operator/=(double scalar) {
    x /= scalar;
    y /= scalar;
    z /= scalar;
    return *this;
}

MVector MVector::operator/(double scalar) const {
    return MVector(*this) /= scalar;
}

MVector& MVector::operator*=(double scalar) {
    x *= scalar;
    y *= scalar;
    z *= scalar;
    return *this;
}

MVector MVector::operator*(const MMatrix& right) const {
    return directionTimes(*this, right);
}

MVector& MVector::operator*=(const MMatrix& right) {
    return *this = *this * right;
}

bool MVector::operator==(const MVector& other) const {
    return x == other.x && y == other.y && z == other.z;
}

MVector MVector::rotateBy(MVector::Axis axis, const double angle) const {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    switch (axis) {
    case kXaxis:
        return MVector(x, y * c - z * s, y * s + z * c);
    case kYaxis:
        return MVector(x * c + z * s, y, -x * s + z * c);
    case kZaxis:
        return MVector(x * c - y * s, x * s + y * c, z);
    default:
        return *this;
    }
}

MVector MVector::rotateBy(const MQuaternion& q) const {
    return *this * q.asMatrix();
}

MVector MVector::rotateBy(const MEulerRotation& r) const {
    return *this * r.asMatrix();
}

MQuaternion MVector::rotateTo(const MVector& target) const {
    return MQuaternion(*this, target);
}

MStatus MVector::get(double dest[3]) const {
    dest[0] = x;
    dest[1] = y;
    dest[2] = z;
    return MS::kSuccess;
}

double MVector::length() const {
    return length3(*this);
}

MVector MVector::normal() const {
    return normalized(*this);
}

MStatus MVector::normalize() {
    *this = normalized(*this);
    return MS::kSuccess;
}

double MVector::angle(const MVector& other) const {
    return angleBetween(*this, other);
}

bool MVector::isEquivalent(const MVector& other, double tolerance) const {
    return equivalent3(*this, other, tolerance);
}

bool MVector::isParallel(const MVector& other, double tolerance) const {
    return parallel(*this, other, tolerance);
}

MVector MVector::transformAsNormal(const MMatrix& matrix) const {
    return normalTimes(*this, matrix);
}

MVector operator*(double scalar, const MVector& v) {
    return v * scalar;
}

MVector operator*(const MMatrix& left, const MVector& right) {
    return matrixTimesDirection(left, right);
}

std::ostream& operator<<(std::ostream& os, const MVector& v) {
    return os << "[" << v.x << ", " << v.y << ", " << v.z << "]";
}
