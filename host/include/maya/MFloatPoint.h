#pragma once
#include <maya/MFloatVector.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <iosfwd>

class MPoint;
class MVector;
class MFloatMatrix;

#define MFloatPoint_kTol 1.0e-5

// A homogeneous point (x, y, z, w) in single precision.
class OPENMAYA_EXPORT MFloatPoint {
public:
    MFloatPoint() = default;
    MFloatPoint(const MPoint& p);
    MFloatPoint(const MFloatVector& v) : x(v.x), y(v.y), z(v.z) {}
    MFloatPoint(const MVector& v);
    MFloatPoint(float xx, float yy, float zz = 0.0f, float ww = 1.0f)
        : x(xx), y(yy), z(zz), w(ww) {}
    MFloatPoint(const float d[4]) : x(d[0]), y(d[1]), z(d[2]), w(d[3]) {}
    MFloatPoint(const double d[4]);

    MStatus get(float dest[4]) const;
    MStatus get(double dest[4]) const;
    MStatus setCast(const MPoint& src);
    MStatus setCast(const MVector& src);
    float operator()(unsigned int i) const { return (*this)[i]; }
    float& operator()(unsigned int i) { return (*this)[i]; }
    float operator[](unsigned int i) const;
    float& operator[](unsigned int i);

    MFloatVector operator-(const MFloatPoint& other) const {
        return MFloatVector(x - other.x, y - other.y, z - other.z);
    }
    MFloatPoint operator+(const MFloatVector& other) const {
        return MFloatPoint(x + other.x, y + other.y, z + other.z, w);
    }
    MFloatPoint operator-(const MFloatVector& other) const {
        return MFloatPoint(x - other.x, y - other.y, z - other.z, w);
    }
    MFloatPoint& operator+=(const MFloatVector& vector) { return *this = *this + vector; }
    MFloatPoint& operator-=(const MFloatVector& vector) { return *this = *this - vector; }
    // Scaling and division act on x, y and z; w is kept.
    MFloatPoint operator*(const float scale) const;
    MFloatPoint operator/(const float scale) const;
    MFloatPoint operator*(const MFloatMatrix& right) const;
    MFloatPoint& operator*=(const MFloatMatrix& right);
    bool operator==(const MFloatPoint& other) const;
    bool operator!=(const MFloatPoint& other) const { return !(*this == other); }

    MFloatPoint& cartesianize();
    MFloatPoint& rationalize();
    MFloatPoint& homogenize();
    float distanceTo(const MFloatPoint& other) const;
    bool isEquivalent(const MFloatPoint& other, float tolerance = MFloatPoint_kTol) const;

    static const MFloatPoint origin;

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;
};

OPENMAYA_EXPORT MFloatPoint operator*(const MFloatMatrix& left, const MFloatPoint& right);
OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MFloatPoint& p);
