#pragma once
// Component-wise helpers shared by the single- and double-precision API types, so each
// formula is written once.
#include <algorithm>
#include <cmath>
#include <ostream>

namespace rvhost {

// x, y, z by index; anything past 2 reads z.
template <class V> auto& component3(V& v, unsigned int i) {
    return i == 0 ? v.x : i == 1 ? v.y : v.z;
}

// x, y, z, w by index; anything past 3 reads w.
template <class P> auto& component4(P& p, unsigned int i) {
    return i < 3 ? component3(p, i) : p.w;
}

template <class V> V cross(const V& a, const V& b) {
    return V(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

template <class V> auto length3(const V& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

// A zero vector has no direction and stays zero.
template <class V> V normalized(const V& v) {
    const auto len = length3(v);
    if (len == 0) return v;
    return V(v.x / len, v.y / len, v.z / len);
}

template <class V> auto angleBetween(const V& a, const V& b) {
    const auto la = length3(a);
    const auto lb = length3(b);
    using S = decltype(la);
    if (la == 0 || lb == 0) return S(0);
    const S c = (a.x * b.x + a.y * b.y + a.z * b.z) / (la * lb);
    return std::acos(std::clamp(c, S(-1), S(1)));
}

template <class V, class S> bool equivalent3(const V& a, const V& b, S tolerance) {
    return length3(V(a.x - b.x, a.y - b.y, a.z - b.z)) <= tolerance;
}

template <class V, class S> bool parallel(const V& a, const V& b, S tolerance) {
    return length3(cross(normalized(a), normalized(b))) <= tolerance;
}

// Row vector times the upper 3x3 of a matrix; translation does not apply to directions.
template <class V, class M> V directionTimes(const V& v, const M& m) {
    return V(v.x * m[0][0] + v.y * m[1][0] + v.z * m[2][0],
             v.x * m[0][1] + v.y * m[1][1] + v.z * m[2][1],
             v.x * m[0][2] + v.y * m[1][2] + v.z * m[2][2]);
}

// Matrix times column vector, upper 3x3 only.
template <class M, class V> V matrixTimesDirection(const M& m, const V& v) {
    return V(m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
             m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
             m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z);
}

// Normals go through the inverse transpose so they stay perpendicular to surfaces.
template <class V, class M> V normalTimes(const V& v, const M& m) {
    const M inv = m.inverse();
    return normalized(V(v.x * inv[0][0] + v.y * inv[0][1] + v.z * inv[0][2],
                        v.x * inv[1][0] + v.y * inv[1][1] + v.z * inv[1][2],
                        v.x * inv[2][0] + v.y * inv[2][1] + v.z * inv[2][2]));
}

// Homogeneous row vector times matrix.
template <class P, class M> P pointTimes(const P& p, const M& m) {
    P r;
    for (unsigned int c = 0; c < 4; ++c)
        component4(r, c) = p.x * m[0][c] + p.y * m[1][c] + p.z * m[2][c] + p.w * m[3][c];
    return r;
}

template <class P> P cartesian(const P& p) {
    if (p.w == 1 || p.w == 0) return P(p.x, p.y, p.z, 1);
    return P(p.x / p.w, p.y / p.w, p.z / p.w, 1);
}

template <class P> auto pointDistance(const P& a, const P& b) {
    const P ca = cartesian(a);
    const P cb = cartesian(b);
    const auto dx = ca.x - cb.x, dy = ca.y - cb.y, dz = ca.z - cb.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// Matrices as plain T[4][4].
template <class T> void multiply4(const T a[4][4], const T b[4][4], T out[4][4]) {
    T r[4][4];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j] + a[i][3] * b[3][j];
    std::copy(&r[0][0], &r[0][0] + 16, &out[0][0]);
}

// Determinant of the 3x3 matrix left after deleting one row and one column.
template <class T> T minor3(const T m[4][4], int row, int col) {
    int rs[3], cs[3];
    for (int i = 0, k = 0; i < 4; ++i)
        if (i != row) rs[k++] = i;
    for (int i = 0, k = 0; i < 4; ++i)
        if (i != col) cs[k++] = i;
    auto e = [&](int r, int c) { return m[rs[r]][cs[c]]; };
    return e(0, 0) * (e(1, 1) * e(2, 2) - e(1, 2) * e(2, 1)) -
           e(0, 1) * (e(1, 0) * e(2, 2) - e(1, 2) * e(2, 0)) +
           e(0, 2) * (e(1, 0) * e(2, 1) - e(1, 1) * e(2, 0));
}

template <class T> void adjoint4(const T m[4][4], T out[4][4]) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            out[j][i] = ((i + j) % 2 ? -1 : 1) * minor3(m, i, j);
}

template <class T> T det4(const T m[4][4]) {
    T d = 0;
    for (int j = 0; j < 4; ++j)
        d += (j % 2 ? -1 : 1) * m[0][j] * minor3(m, 0, j);
    return d;
}

template <class T> T det3(const T m[4][4]) {
    return minor3(m, 3, 3);
}

template <class T> void transpose4(const T m[4][4], T out[4][4]) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            out[j][i] = m[i][j];
}

template <class T> void identity4(T out[4][4]) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            out[i][j] = i == j ? 1 : 0;
}

// A singular matrix yields the identity.
template <class T> void inverse4(const T m[4][4], T out[4][4]) {
    const T d = det4(m);
    if (d == 0) return identity4(out);
    adjoint4(m, out);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            out[i][j] /= d;
}

template <class T, class U> void convert4(const T in[4][4], U out[4][4]) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            out[i][j] = static_cast<U>(in[i][j]);
}

// out = a + scale * b
template <class T> void addScaled4(const T a[4][4], const T b[4][4], T scale, T out[4][4]) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            out[i][j] = a[i][j] + scale * b[i][j];
}

template <class T> std::ostream& print4(std::ostream& os, const T m[4][4]) {
    os << "[";
    for (int i = 0; i < 4; ++i) {
        os << (i ? ", [" : "[");
        for (int j = 0; j < 4; ++j)
            os << (j ? ", " : "") << m[i][j];
        os << "]";
    }
    return os << "]";
}

template <class T, class S> bool equivalent4(const T a[4][4], const T b[4][4], S tolerance) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (std::abs(a[i][j] - b[i][j]) > tolerance) return false;
    return true;
}

} // namespace rvhost
