#include "mesh/TriangleTests.h"

#include <cmath>

namespace rvhost {

namespace {

void loadTriangle(const float* xyz, const TriangleRef& tri, Vec3& a, Vec3& b, Vec3& c) {
    a = loadVec3(xyz + 3 * tri.v[0]);
    b = loadVec3(xyz + 3 * tri.v[1]);
    c = loadVec3(xyz + 3 * tri.v[2]);
}

bool sameOrLowerTriangle(int faceA, int triA, int faceB, int triB) {
    return faceA != faceB ? faceA < faceB : triA < triB;
}

// Moller-Trumbore without culling: u weighs b, v weighs c.
bool intersect(const RayQuery& q, const Vec3& a, const Vec3& b, const Vec3& c, RayHit& hit) {
    const Vec3 e1 = b - a;
    const Vec3 e2 = c - a;
    const Vec3 pvec = cross(q.direction, e2);
    const double det = dot(e1, pvec);
    if (det == 0.0 || !std::isfinite(det)) return false;
    const double inv = 1.0 / det;
    const Vec3 tvec = q.source - a;
    const double u = dot(tvec, pvec) * inv;
    const double lowest = -q.tolerance;
    if (!(u >= lowest)) return false;
    const Vec3 qvec = cross(tvec, e1);
    const double v = dot(q.direction, qvec) * inv;
    if (!(v >= lowest) || !(1.0 - u - v >= lowest)) return false;
    const double t = dot(e2, qvec) * inv;
    if (!(t >= q.lowestParam() && t <= q.maxParam)) return false;
    hit.param = t;
    hit.bary1 = 1.0 - u - v;
    hit.bary2 = u;
    hit.point = q.source + q.direction * t;
    return true;
}

struct Nearest {
    Vec3 point;
    double wa, wb; // weights of a and b
};

// Nearest point of triangle abc to p (the region walk of Ericson's Real-Time Collision
// Detection).
Nearest nearestOnTriangle(const Vec3& p, const Vec3& a, const Vec3& b, const Vec3& c) {
    const Vec3 ab = b - a, ac = c - a, ap = p - a;
    const double d1 = dot(ab, ap), d2 = dot(ac, ap);
    if (d1 <= 0.0 && d2 <= 0.0) return {a, 1.0, 0.0};
    const Vec3 bp = p - b;
    const double d3 = dot(ab, bp), d4 = dot(ac, bp);
    if (d3 >= 0.0 && d4 <= d3) return {b, 0.0, 1.0};
    const double vc = d1 * d4 - d3 * d2;
    if (vc <= 0.0 && d1 >= 0.0 && d3 <= 0.0) {
        const double s = d1 / (d1 - d3);
        return {a + ab * s, 1.0 - s, s};
    }
    const Vec3 cp = p - c;
    const double d5 = dot(ab, cp), d6 = dot(ac, cp);
    if (d6 >= 0.0 && d5 <= d6) return {c, 0.0, 0.0};
    const double vb = d5 * d2 - d1 * d6;
    if (vb <= 0.0 && d2 >= 0.0 && d6 <= 0.0) {
        const double s = d2 / (d2 - d6);
        return {a + ac * s, 1.0 - s, 0.0};
    }
    const double va = d3 * d6 - d5 * d4;
    if (va <= 0.0 && (d4 - d3) >= 0.0 && (d5 - d6) >= 0.0) {
        const double s = (d4 - d3) / ((d4 - d3) + (d5 - d6));
        return {b + (c - b) * s, 0.0, 1.0 - s};
    }
    const double denom = va + vb + vc;
    if (denom == 0.0) return {a, 1.0, 0.0}; // all three corners coincide
    const double v = vb / denom, w = vc / denom;
    return {a + ab * v + ac * w, 1.0 - v - w, v};
}

} // namespace

bool hitPrecedes(const RayHit& a, const RayHit& b) {
    const double da = std::fabs(a.param), db = std::fabs(b.param);
    if (da != db) return da < db;
    return sameOrLowerTriangle(a.face, a.triangle, b.face, b.triangle);
}

bool surfacePointPrecedes(const SurfacePoint& a, const SurfacePoint& b) {
    if (a.distanceSquared != b.distanceSquared) return a.distanceSquared < b.distanceSquared;
    return sameOrLowerTriangle(a.face, a.triangle, b.face, b.triangle);
}

void considerTriangle(const float* xyz, const TriangleRef& tri, const RayQuery& query, RayHit& best,
                      bool& found) {
    Vec3 a, b, c;
    loadTriangle(xyz, tri, a, b, c);
    RayHit hit;
    if (!intersect(query, a, b, c, hit)) return;
    hit.face = tri.face;
    hit.triangle = tri.triangle;
    if (!found || hitPrecedes(hit, best)) {
        best = hit;
        found = true;
    }
}

void considerTriangleForPoint(const float* xyz, const TriangleRef& tri, const Vec3& query,
                              SurfacePoint& best, bool& found) {
    Vec3 a, b, c;
    loadTriangle(xyz, tri, a, b, c);
    const Nearest nearest = nearestOnTriangle(query, a, b, c);
    SurfacePoint sp;
    sp.point = nearest.point;
    sp.bary1 = nearest.wa;
    sp.bary2 = nearest.wb;
    const Vec3 d = sp.point - query;
    sp.distanceSquared = dot(d, d);
    sp.face = tri.face;
    sp.triangle = tri.triangle;
    if (!found || surfacePointPrecedes(sp, best)) {
        best = sp;
        found = true;
    }
}

} // namespace rvhost
