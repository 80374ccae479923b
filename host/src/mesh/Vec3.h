#pragma once
#include <cmath>

namespace rvhost {

// Double-precision 3-vector for the mesh room's arithmetic. Mesh points are stored as
// floats, as the host application stores them; computations widen them to doubles.
struct Vec3 {
    double x = 0.0, y = 0.0, z = 0.0;

    double operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }
};

inline Vec3 operator+(const Vec3& a, const Vec3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(const Vec3& a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline Vec3& operator+=(Vec3& a, const Vec3& b) {
    return a = a + b;
}
inline double dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(const Vec3& a) {
    return std::sqrt(dot(a, a));
}
// The unit vector along `a`; the zero vector stays zero.
inline Vec3 normalized(const Vec3& a) {
    const double len = length(a);
    return len > 0.0 ? a * (1.0 / len) : a;
}
inline Vec3 loadVec3(const float* p) {
    return {p[0], p[1], p[2]};
}

} // namespace rvhost
