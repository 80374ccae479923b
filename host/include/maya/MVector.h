#pragma once
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <iosfwd>

class MPoint;
class MFloatPoint;
class MFloatVector;
class MMatrix;
class MQuaternion;
class MEulerRotation;

#define MVector_kTol 1.0e-10

// A direction in 3D space, in double precision.
class OPENMAYA_EXPORT MVector {
public:
    enum Axis { kXaxis, kYaxis, kZaxis, kWaxis };

    MVector() = default;
    MVector(const MFloatPoint& p);
    MVector(const MFloatVector& v);
    MVector(const MPoint& p);
    MVector(double xx, double yy, double zz = 0.0) : x(xx), y(yy), z(zz) {}
    MVector(const double d[3]) : x(d[0]), y(d[1]), z(d[2]) {}
    MVector(const float d[3]) : x(d[0]), y(d[1]), z(d[2]) {}

    double operator()(unsigned int i) const { return (*this)[i]; }
    double& operator()(unsigned int i) { return (*this)[i]; }
    double operator[](unsigned int i) const;
    double& operator[](unsigned int i);

    MVector operator^(const MVector& right) const;
    double operator*(const MVector& right) const { return x * right.x + y * right.y + z * right.z; }
    MVector& operator/=(double scalar);
    MVector operator/(double scalar) const;
    MVector& operator*=(double scalar);
    MVector operator*(double scalar) const { return MVector(x * scalar, y * scalar, z * scalar); }
    MVector operator+(const MVector& other) const {
        return MVector(x + other.x, y + other.y, z + other.z);
    }
    MVector& operator+=(const MVector& other) { return *this = *this + other; }
    MVector operator-() const { return MVector(-x, -y, -z); }
    MVector operator-(const MVector& other) const {
        return MVector(x - other.x, y - other.y, z - other.z);
    }
    MVector& operator-=(const MVector& other) { return *this = *this - other; }
    // Row vector times matrix; the translation row is ignored.
    MVector operator*(const MMatrix& right) const;
    MVector& operator*=(const MMatrix& right);
    bool operator==(const MVector& other) const;
    bool operator!=(const MVector& other) const { return !(*this == other); }

    MVector rotateBy(MVector::Axis axis, const double angle) const;
    MVector rotateBy(const MQuaternion& q) const;
    MVector rotateBy(const MEulerRotation& r) const;
    MQuaternion rotateTo(const MVector& target) const;
    MStatus get(double dest[3]) const;
    double length() const;
    MVector normal() const;
    MStatus normalize();
    double angle(const MVector& other) const;
    bool isEquivalent(const MVector& other, double tolerance = MVector_kTol) const;
    bool isParallel(const MVector& other, double tolerance = MVector_kTol) const;
    // Transforms a normal: multiplies by the inverse transpose and normalizes.
    MVector transformAsNormal(const MMatrix& matrix) const;

    static const MVector zero;
    static const MVector one;
    static const MVector xAxis;
    static const MVector yAxis;
    static const MVector zAxis;
    static const MVector xNegAxis;
    static const MVector yNegAxis;
    static const MVector zNegAxis;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

OPENMAYA_EXPORT MVector operator*(double scalar, const MVector& v);
OPENMAYA_EXPORT MVector operator*(const MMatrix& left, const MVector& right);
OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MVector& v);
