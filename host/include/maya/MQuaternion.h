#pragma once
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <iosfwd>

class MMatrix;
class MVector;
class MEulerRotation;

#define kQuaternionEpsilon 1.0e-10

// A rotation as a unit quaternion. The product a * b is the rotation a followed by b, so
// (a * b).asMatrix() == a.asMatrix() * b.asMatrix().
class OPENMAYA_EXPORT MQuaternion {
public:
    MQuaternion() = default;
    MQuaternion(double xx, double yy, double zz, double ww) : x(xx), y(yy), z(zz), w(ww) {}
    MQuaternion(const double q[4]) : x(q[0]), y(q[1]), z(q[2]), w(q[3]) {}
    // The shortest rotation taking a onto b.
    MQuaternion(const MVector& a, const MVector& b);
    MQuaternion(double angle, const MVector& axis);

    MMatrix asMatrix() const;
    MQuaternion& operator=(const MMatrix& matrix);
    MQuaternion& operator=(const MEulerRotation& rotation);
    MEulerRotation asEulerRotation() const;
    MQuaternion& setAxisAngle(const MVector& axis, double theta);
    bool getAxisAngle(MVector& axis, double& theta) const;
    MStatus get(double dest[4]) const;

    double operator[](unsigned int i) const;
    double& operator[](unsigned int i);
    MQuaternion operator+(const MQuaternion& other) const;
    MQuaternion operator-(const MQuaternion& other) const;
    MQuaternion operator-() const { return MQuaternion(-x, -y, -z, -w); }
    MQuaternion operator*(const MQuaternion& other) const;
    MQuaternion& operator*=(const MQuaternion& other);
    bool operator==(const MQuaternion& other) const;
    bool operator!=(const MQuaternion& other) const { return !(*this == other); }
    // Quaternions q and -q are the same rotation and count as equivalent.
    bool isEquivalent(const MQuaternion& other, double tolerance = kQuaternionEpsilon) const;

    MQuaternion normal() const;
    MQuaternion& normalizeIt();
    MQuaternion conjugate() const { return MQuaternion(-x, -y, -z, w); }
    MQuaternion& conjugateIt();
    MQuaternion inverse() const;
    MQuaternion& invertIt();

    static const MQuaternion identity;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double w = 1.0;
};

OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MQuaternion& q);
