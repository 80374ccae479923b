#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MQuaternion.h>
#include <maya/MVector.h>

#include "core/GeometryMath.h"

#include <algorithm>
#include <cmath>
#include <ostream>

using namespace rvhost;

const MQuaternion MQuaternion::identity;

namespace {

// The Hamilton product p q: rotation q first, then p, for column vectors.
MQuaternion hamilton(const MQuaternion& p, const MQuaternion& q) {
    return MQuaternion(p.w * q.x + q.w * p.x + (p.y * q.z - p.z * q.y),
                       p.w * q.y + q.w * p.y + (p.z * q.x - p.x * q.z),
                       p.w * q.z + q.w * p.z + (p.x * q.y - p.y * q.x),
                       p.w * q.w - (p.x * q.x + p.y * q.y + p.z * q.z));
}

// Any unit vector perpendicular to v.
MVector perpendicular(const MVector& v) {
    const MVector candidate = std::abs(v.x) < 0.9 ? MVector::xAxis : MVector::yAxis;
    return (v ^ candidate).normal();
}

} // namespace

MQuaternion::MQuaternion(const MVector& a, const MVector& b) {
    const MVector na = a.normal();
    const MVector nb = b.normal();
    const MVector axis = na ^ nb;
    const double c = std::clamp(na * nb, -1.0, 1.0);
    if (axis.length() > 1.0e-12)
        setAxisAngle(axis, std::acos(c));
    else if (c < 0.0)
        setAxisAngle(perpendicular(na), M_PI);
}

MQuaternion::MQuaternion(double angle, const MVector& axis) {
    setAxisAngle(axis, angle);
}

MMatrix MQuaternion::asMatrix() const {
    // Row-vector form: the transpose of the usual column-vector rotation matrix.
    const MQuaternion q = normal();
    MMatrix m;
    m[0][0] = 1.0 - 2.0 * (q.y * q.y + q.z * q.z);
    m[0][1] = 2.0 * (q.x * q.y + q.z * q.w);
    m[0][2] = 2.0 * (q.x * q.z - q.y * q.w);
    m[1][0] = 2.0 * (q.x * q.y - q.z * q.w);
    m[1][1] = 1.0 - 2.0 * (q.x * q.x + q.z * q.z);
    m[1][2] = 2.0 * (q.y * q.z + q.x * q.w);
    m[2][0] = 2.0 * (q.x * q.z + q.y * q.w);
    m[2][1] = 2.0 * (q.y * q.z - q.x * q.w);
    m[2][2] = 1.0 - 2.0 * (q.x * q.x + q.y * q.y);
    return m;
}

MQuaternion& MQuaternion::operator=(const MMatrix& matrix) {
    // Scale is taken out of the rows first, so only the rotation is read.
    double m[3][3];
    for (int r = 0; r < 3; ++r) {
        const MVector row = MVector(matrix[r][0], matrix[r][1], matrix[r][2]).normal();
        for (int c = 0; c < 3; ++c)
            m[r][c] = row[c];
    }
    const double trace = m[0][0] + m[1][1] + m[2][2];
    if (trace > 0.0) {
        const double s = 0.5 / std::sqrt(trace + 1.0);
        *this = MQuaternion((m[1][2] - m[2][1]) * s, (m[2][0] - m[0][2]) * s,
                            (m[0][1] - m[1][0]) * s, 0.25 / s);
    } else if (m[0][0] > m[1][1] && m[0][0] > m[2][2]) {
        const double s = 2.0 * std::sqrt(1.0 + m[0][0] - m[1][1] - m[2][2]);
        *this = MQuaternion(0.25 * s, (m[0][1] + m[1][0]) / s, (m[0][2] + m[2][0]) / s,
                            (m[1][2] - m[2][1]) / s);
    } else if (m[1][1] > m[2][2]) {
        const double s = 2.0 * std::sqrt(1.0 + m[1][1] - m[0][0] - m[2][2]);
        *this = MQuaternion((m[0][1] + m[1][0]) / s, 0.25 * s, (m[1][2] + m[2][1]) / s,
                            (m[2][0] - m[0][2]) / s);
    } else {
        const double s = 2.0 * std::sqrt(1.0 + m[2][2] - m[0][0] - m[1][1]);
        *this = MQuaternion((m[0][2] + m[2][0]) / s, (m[1][2] + m[2][1]) / s, 0.25 * s,
                            (m[0][1] - m[1][0]) / s);
    }
    return normalizeIt();
}

MQuaternion& MQuaternion::operator=(const MEulerRotation& rotation) {
    return *this = rotation.asQuaternion();
}

MEulerRotation MQuaternion::asEulerRotation() const {
    return MEulerRotation::decompose(asMatrix(), MEulerRotation::kXYZ);
}

MQuaternion& MQuaternion::setAxisAngle(const MVector& axis, double theta) {
    const MVector n = axis.normal();
    if (n.length() == 0.0) return *this = identity;
    const double s = std::sin(theta / 2.0);
    return *this = MQuaternion(n.x * s, n.y * s, n.z * s, std::cos(theta / 2.0));
}

bool MQuaternion::getAxisAngle(MVector& axis, double& theta) const {
    const MQuaternion q = normal();
    theta = 2.0 * std::acos(std::clamp(q.w, -1.0, 1.0));
    const MVector v(q.x, q.y, q.z);
    axis = v.length() > 0.0 ? v.normal() : MVector::zAxis;
    return true;
}

MStatus MQuaternion::get(double dest[4]) const {
    for (unsigned int i = 0; i < 4; ++i)
        dest[i] = (*this)[i];
    return MS::kSuccess;
}

double MQuaternion::operator[](unsigned int i) const {
    return component4(*this, i);
}
double& MQuaternion::operator[](unsigned int i) {
    return component4(*this, i);
}

MQuaternion MQuaternion::operator+(const MQuaternion& o) const {
    return MQuaternion(x + o.x, y + o.y, z + o.z, w + o.w);
}

MQuaternion MQuaternion::operator-(const MQuaternion& o) const {
    return MQuaternion(x - o.x, y - o.y, z - o.z, w - o.w);
}

MQuaternion MQuaternion::operator*(const MQuaternion& other) const {
    return hamilton(other, *this);
}

MQuaternion& MQuaternion::operator*=(const MQuaternion& other) {
    return *this = *this * other;
}

bool MQuaternion::operator==(const MQuaternion& o) const {
    return x == o.x && y == o.y && z == o.z && w == o.w;
}

bool MQuaternion::isEquivalent(const MQuaternion& other, double tolerance) const {
    auto near = [tolerance](const MQuaternion& a, const MQuaternion& b) {
        for (unsigned int i = 0; i < 4; ++i)
            if (std::abs(a[i] - b[i]) > tolerance) return false;
        return true;
    };
    return near(*this, other) || near(*this, -other);
}

MQuaternion MQuaternion::normal() const {
    return MQuaternion(*this).normalizeIt();
}

MQuaternion& MQuaternion::normalizeIt() {
    const double len = std::sqrt(x * x + y * y + z * z + w * w);
    if (len == 0.0) return *this;
    x /= len;
    y /= len;
    z /= len;
    w /= len;
    return *this;
}

MQuaternion& MQuaternion::conjugateIt() {
    return *this = conjugate();
}

MQuaternion MQuaternion::inverse() const {
    const double n = x * x + y * y + z * z + w * w;
    if (n == 0.0) return *this;
    const MQuaternion c = conjugate();
    return MQuaternion(c.x / n, c.y / n, c.z / n, c.w / n);
}

MQuaternion& MQuaternion::invertIt() {
    return *this = inverse();
}

std::ostream& operator<<(std::ostream& os, const MQuaternion& q) {
    return os << "[" << q.x << ", " << q.y << ", " << q.z << ", " << q.w << "]";
}
