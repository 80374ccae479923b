#pragma once
#include <maya/MTypes.h>
#include <maya/MVector.h>

#include <iosfwd>

class MMatrix;
class MQuaternion;

#define kEulerRotationEpsilon 1.0e-10

// Three rotation angles in radians, applied one axis after another in the given order:
// kXYZ turns about X first, then Y, then Z.
class OPENMAYA_EXPORT MEulerRotation {
public:
    enum RotationOrder { kXYZ, kYZX, kZXY, kXZY, kYXZ, kZYX };

    MEulerRotation() = default;
    MEulerRotation(const MVector& v, RotationOrder ord = kXYZ)
        : x(v.x), y(v.y), z(v.z), order(ord) {}
    MEulerRotation(double xx, double yy, double zz, RotationOrder ord = kXYZ)
        : x(xx), y(yy), z(zz), order(ord) {}

    MEulerRotation& setValue(const MVector& v, RotationOrder ord = kXYZ);
    MEulerRotation& setValue(double xx, double yy, double zz, RotationOrder ord = kXYZ);
    MQuaternion asQuaternion() const;
    MMatrix asMatrix() const;
    MVector asVector() const { return MVector(x, y, z); }

    double operator[](unsigned int i) const;
    double& operator[](unsigned int i);
    MEulerRotation operator+(const MEulerRotation& other) const;
    MEulerRotation operator-(const MEulerRotation& other) const;
    MEulerRotation operator-() const { return MEulerRotation(-x, -y, -z, order); }
    MEulerRotation operator*(double scale) const;
    bool operator==(const MEulerRotation& other) const;
    bool operator!=(const MEulerRotation& other) const { return !(*this == other); }
    bool isEquivalent(const MEulerRotation& other, double tolerance = kEulerRotationEpsilon) const;
    bool isZero(double tolerance = kEulerRotationEpsilon) const;

    // The same rotation expressed in another order.
    MEulerRotation reorder(RotationOrder ord) const;
    MEulerRotation& reorderIt(RotationOrder ord);
    static MEulerRotation decompose(const MMatrix& matrix, RotationOrder ord);

    static const MEulerRotation identity;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    RotationOrder order = kXYZ;
};

OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MEulerRotation& r);
