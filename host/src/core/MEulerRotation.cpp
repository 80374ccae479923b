#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MQuaternion.h>

#include "core/GeometryMath.h"

#include <algorithm>
#include <cmath>
#include <ostream>

using namespace rvhost;

const MEulerRotation MEulerRotation::identity;

namespace {

struct AxisOrder {
    int first, second, third;
    // +1 when the order is a cyclic shift of XYZ, -1 otherwise; flips angle signs.
    double parity;
};

AxisOrder axesOf(MEulerRotation::RotationOrder order) {
    switch (order) {
    case MEulerRotation::kYZX:
        return {1, 2, 0, 1.0};
    case MEulerRotation::kZXY:
        return {2, 0, 1, 1.0};
    case MEulerRotation::kXZY:
        return {0, 2, 1, -1.0};
    case MEulerRotation::kYXZ:
        return {1, 0, 2, -1.0};
    case MEulerRotation::kZYX:
        return {2, 1, 0, -1.0};
    default:
        return {0, 1, 2, 1.0};
    }
}

MQuaternion aboutAxis(int axis, double angle) {
    MVector v;
    v[axis] = 1.0;
    return MQuaternion(angle, v);
}

} // namespace

MEulerRotation& MEulerRotation::setValue(const MVector& v, RotationOrder ord) {
    return *this = MEulerRotation(v, ord);
}

MEulerRotation& MEulerRotation::setValue(double xx, double yy, double zz, RotationOrder ord) {
    return *this = MEulerRotation(xx, yy, zz, ord);
}

MQuaternion MEulerRotation::asQuaternion() const {
    const AxisOrder a = axesOf(order);
    return aboutAxis(a.first, (*this)[a.first]) * aboutAxis(a.second, (*this)[a.second]) *
           aboutAxis(a.third, (*this)[a.third]);
}

MMatrix MEulerRotation::asMatrix() const {
    return asQuaternion().asMatrix();
}

double MEulerRotation::operator[](unsigned int i) const {
    return component3(*this, i);
}
double& MEulerRotation::operator[](unsigned int i) {
    return component3(*this, i);
}

MEulerRotation MEulerRotation::operator+(const MEulerRotation& o) const {
    return MEulerRotation(x + o.x, y + o.y, z + o.z, order);
}

MEulerRotation MEulerRotation::operator-(const MEulerRotation& o) const {
    return MEulerRotation(x - o.x, y - o.y, z - o.z, order);
}

MEulerRotation MEulerRotation::operator*(double scale) const {
    return MEulerRotation(x * scale, y * scale, z * scale, order);
}

bool MEulerRotation::operator==(const MEulerRotation& o) const {
    return x == o.x && y == o.y && z == o.z && order == o.order;
}

bool MEulerRotation::isEquivalent(const MEulerRotation& o, double tolerance) const {
    return order == o.order && equivalent3(asVector(), o.asVector(), tolerance);
}

bool MEulerRotation::isZero(double tolerance) const {
    return asVector().length() <= tolerance;
}

MEulerRotation MEulerRotation::reorder(RotationOrder ord) const {
    return decompose(asMatrix(), ord);
}

MEulerRotation& MEulerRotation::reorderIt(RotationOrder ord) {
    return *this = reorder(ord);
}

MEulerRotation MEulerRotation::decompose(const MMatrix& matrix, RotationOrder ord) {
    const AxisOrder a = axesOf(ord);
    const int i = a.first, j = a.second, k = a.third;
    const double e = a.parity;
    // Work on the column-vector rotation R = Rk * Rj * Ri, with scale taken out of the rows.
    double r[3][3];
    for (int row = 0; row < 3; ++row) {
        const MVector v = MVector(matrix[row][0], matrix[row][1], matrix[row][2]).normal();
        for (int col = 0; col < 3; ++col)
            r[col][row] = v[col];
    }
    MEulerRotation result(0.0, 0.0, 0.0, ord);
    const double s = std::clamp(-e * r[k][i], -1.0, 1.0);
    result[j] = std::asin(s);
    if (std::abs(s) < 1.0 - 1.0e-12) {
        result[i] = std::atan2(e * r[k][j], r[k][k]);
        result[k] = std::atan2(e * r[j][i], r[i][i]);
    } else {
        // Gimbal lock: the first and last axes coincide; put the whole turn on the first.
        result[i] = std::atan2(-e * r[j][k], r[j][j]);
    }
    return result;
}

std::ostream& operator<<(std::ostream& os, const MEulerRotation& r) {
    return os << "[" << r.x << ", " << r.y << ", " << r.z << ", order " << r.order << "]";
}
