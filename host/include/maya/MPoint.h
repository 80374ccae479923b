#pragma once
#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

#include <iosfwd>

class MFloatPoint;
class MFloatVector;
class MMatrix;

#define MPoint_kTol 1.0e-10

// A homogeneous point (x, y, z, w) in double precision.
class OPENMAYA_EXPORT MPoint {
public:
    MPoint() = default;
    MPoint(const MFloatPoint& p);
    MPoint(const MVector& v) : x(v.x), y(v.y), z(v.z) {}
    MPoint(const MFloatVector& v);
    MPoint(double xx, double yy, double zz = 0.0, double ww = 1.0) : x(xx), y(yy), z(zz), w(ww) {}
    MPoint(const double d[4]) : x(d[0]), y(d[1]), z(d[2]), w(d[3]) {}
    MPoint(const float d[4]) : x(d[0]), y(d[1]), z(d[2]), w(d[3]) {}

    MStatus get(double dest[4]) const;
    MStatus get(float dest[4]) const;
    double operator()(unsigned int i) const { return (*this)[i]; }
    double& operator()(unsigned int i) { return (*this)[i]; }
    double operator[](unsigned int i) const;
    double& operator[](unsigned int i);

    MVector operator-(const MPoint& other) const {
        return MVector(x - other.x, y - other.y, z - other.z);
    }
    MPoint operator+(const MVector& other) const {
        return MPoint(x + other.x, y + other.y, z + other.z, w);
    }
    MPoint operator-(const MVector& other) const {
        return MPoint(x - other.x, y - other.y, z - other.z, w);
    }
    MPoint& operator+=(const MVector& vector) { return *this = *this + vector; }
    MPoint& operator-=(const MVector& vector) { return *this = *this - vector; }
    // Scaling and division act on x, y and z; w is kept.
    MPoint operator*(const double scale) const;
    MPoint operator/(const double scale) const;
    MPoint& operator*=(const double scale);
    MPoint& operator/=(const double scale);
    // Row vector times matrix: p x M.
    MPoint operator*(const MMatrix& right) const;
    MPoint& operator*=(const MMatrix& right);
    bool operator==(const MPoint& other) const;
    bool operator!=(const MPoint& other) const { return !(*this == other); }

    MPoint& cartesianize();
    MPoint& rationalize();
    MPoint& homogenize();
    double distanceTo(const MPoint& other) const;
    bool isEquivalent(const MPoint& other, double tolerance = MPoint_kTol) const;

    static const MPoint origin;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double w = 1.0;
};

OPENMAYA_EXPORT MPoint operator*(const MMatrix& left, const MPoint& right);
OPENMAYA_EXPORT MPoint operator*(double scale, const MPoint& p);
OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MPoint& p);
