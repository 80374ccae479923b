#include <maya/MFloatMatrix.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include "core/GeometryMath.h"

#include <ostream>

using namespace rvhost;

const MFloatVector MFloatVector::zero(0.0f, 0.0f, 0.0f);
const MFloatVector MFloatVector::one(1.0f, 1.0f, 1.0f);
const MFloatVector MFloatVector::xAxis(1.0f, 0.0f, 0.0f);
const MFloatVector MFloatVector::yAxis(0.0f, 1.0f, 0.0f);
const MFloatVector MFloatVector::zAxis(0.0f, 0.0f, 1.0f);
const MFloatVector MFloatVector::xNegAxis(-1.0f, 0.0f, 0.0f);
const MFloatVector MFloatVector::yNegAxis(0.0f, -1.0f, 0.0f);
const MFloatVector MFloatVector::zNegAxis(0.0f, 0.0f, -1.0f);

MFloatVector::MFloatVector(const MVector& v)
    : x(static_cast<float>(v.x)), y(static_cast<float>(v.y)), z(static_cast<float>(v.z)) {}
MFloatVector::MFloatVector(const MFloatPoint& p) : x(p.x), y(p.y), z(p.z) {}
MFloatVector::MFloatVector(const MPoint& p)
    : x(static_cast<float>(p.x)), y(static_cast<float>(p.y)), z(static_cast<float>(p.z)) {}

float MFloatVector::operator[](unsigned int i) const {
    return component3(*this, i);
}
float& MFloatVector::operator[](unsigned int i) {
    return component3(*this, i);
}

MFloatVector MFloatVector::operator^(const MFloatVector& right) const {
    return cross(*this, right);
}

MFloatVector& MFloatVector::operator/=(float scalar) {
    x /= scalar;
    y /= scalar;
    z /= scalar;
    return *this;
}

MFloatVector MFloatVector::operator/(float scalar) const {
    return MFloatVector(*this) /= scalar;
}

MFloatVector& MFloatVector::operator*=(float scalar) {
    x *= scalar;
    y *= scalar;
    z *= scalar;
    return *this;
}

MFloatVector MFloatVector::operator*(const MFloatMatrix& right) const {
    return directionTimes(*this, right);
}

MFloatVector& MFloatVector::operator*=(const MFloatMatrix& right) {
    return *this = *this * right;
}

bool MFloatVector::operator==(const MFloatVector& other) const {
    return x == other.x && y == other.y && z == other.z;
}

MStatus MFloatVector::get(float dest[3]) const {
    dest[0] = x;
    dest[1] = y;
    dest[2] = z;
    return MS::kSuccess;
}

float MFloatVector::length() const {
    return length3(*this);
}

MFloatVector MFloatVector::normal() const {
    return normalized(*this);
}

MStatus MFloatVector::normalize() {
    *this = normalized(*this);
    return MS::kSuccess;
}

float MFloatVector::angle(const MFloatVector& other) const {
    return angleBetween(*this, other);
}

bool MFloatVector::isEquivalent(const MFloatVector& other, float tolerance) const {
    return equivalent3(*this, other, tolerance);
}

bool MFloatVector::isParallel(const MFloatVector& other, float tolerance) const {
    return parallel(*this, other, tolerance);
}

MFloatVector MFloatVector::transformAsNormal(const MFloatMatrix& matrix) const {
    return normalTimes(*this, matrix);
}

MFloatVector operator*(float scalar, const MFloatVector& v) {
    return v * scalar;
}

MFloatVector operator*(const MFloatMatrix& left, const MFloatVector& right) {
    return matrixTimesDirection(left, right);
}

std::ostream& operator<<(std::ostream& os, const MFloatVector& v) {
    return os << "[" << v.x << ", " << v.y << ", " << v.z << "]";
}
