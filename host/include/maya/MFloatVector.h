#pragma once
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <iosfwd>

class MVector;
class MPoint;
class MFloatPoint;
class MFloatMatrix;

#define MFloatVector_kTol 1.0e-5

// A direction in 3D space, in single precision.
class OPENMAYA_EXPORT MFloatVector {
public:
    enum Axis { kXaxis, kYaxis, kZaxis, kWaxis };

    MFloatVector() = default;
    MFloatVector(const MVector& v);
    MFloatVector(const MFloatPoint& p);
    MFloatVector(const MPoint& p);
    MFloatVector(float xx, float yy, float zz = 0.0f) : x(xx), y(yy), z(zz) {}
    MFloatVector(const float d[3]) : x(d[0]), y(d[1]), z(d[2]) {}
    MFloatVector(const double d[3])
        : x(static_cast<float>(d[0])), y(static_cast<float>(d[1])), z(static_cast<float>(d[2])) {}

    float operator()(unsigned int i) const { return (*this)[i]; }
    float& operator()(unsigned int i) { return (*this)[i]; }
    float operator[](unsigned int i) const;
    float& operator[](unsigned int i);

    MFloatVector operator^(const MFloatVector& right) const;
    float operator*(const MFloatVector& right) const {
        return x * right.x + y * right.y + z * right.z;
    }
    MFloatVector& operator/=(float scalar);
    MFloatVector operator/(float scalar) const;
    MFloatVector& operator*=(float scalar);
    MFloatVector operator*(float scalar) const {
        return MFloatVector(x * scalar, y * scalar, z * scalar);
    }
    MFloatVector operator+(const MFloatVector& other) const {
        return MFloatVector(x + other.x, y + other.y, z + other.z);
    }
    MFloatVector& operator+=(const MFloatVector& other) { return *this = *this + other; }
    MFloatVector operator-() const { return MFloatVector(-x, -y, -z); }
    MFloatVector operator-(const MFloatVector& other) const {
        return MFloatVector(x - other.x, y - other.y, z - other.z);
    }
    MFloatVector& operator-=(const MFloatVector& other) { return *this = *this - other; }
    // Row vector times matrix; the translation row is ignored.
    MFloatVector operator*(const MFloatMatrix& right) const;
    MFloatVector& operator*=(const MFloatMatrix& right);
    bool operator==(const MFloatVector& other) const;
    bool operator!=(const MFloatVector& other) const { return !(*this == other); }

    MStatus get(float dest[3]) const;
    float length() const;
    MFloatVector normal() const;
    MStatus normalize();
    float angle(const MFloatVector& other) const;
    bool isEquivalent(const MFloatVector& other, float tolerance = MFloatVector_kTol) const;
    bool isParallel(const MFloatVector& other, float tolerance = MFloatVector_kTol) const;
    MFloatVector transformAsNormal(const MFloatMatrix& matrix) const;

    static const MFloatVector zero;
    static const MFloatVector one;
    static const MFloatVector xAxis;
    static const MFloatVector yAxis;
    static const MFloatVector zAxis;
    static const MFloatVector xNegAxis;
    static const MFloatVector yNegAxis;
    static const MFloatVector zNegAxis;

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

OPENMAYA_EXPORT MFloatVector operator*(float scalar, const MFloatVector& v);
OPENMAYA_EXPORT MFloatVector operator*(const MFloatMatrix& left, const MFloatVector& right);
OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MFloatVector& v);
