#pragma once
#include "mesh/Vec3.h"

namespace rvhost {

// A ray cast as MFnMesh takes it: the ray is p(t) = source + t * direction, with t counted in
// lengths of `direction`. Hits lie in 0 <= t <= maxParam, or -maxParam <= t <= maxParam when
// both directions are tested. `tolerance` widens every triangle in barycentric terms: a hit
// counts while each barycentric weight is at least -tolerance.
struct RayQuery {
    Vec3 source;
    Vec3 direction;
    double maxParam = 0.0;
    bool bothDirections = false;
    double tolerance = 0.0;

    double lowestParam() const { return bothDirections ? -maxParam : 0.0; }
};

// One triangle of the fixed triangulation: a fan from the polygon's first vertex, so
// triangle k of a polygon (v0, v1, ... vn-1) is (v0, vk+1, vk+2).
struct TriangleRef {
    int v[3];
    int face;
    int triangle;
};

// A ray hit. bary1 and bary2 weight the triangle's first and second vertices; the third
// weighs 1 - bary1 - bary2.
struct RayHit {
    double param = 0.0;
    int face = -1;
    int triangle = -1;
    double bary1 = 0.0, bary2 = 0.0;
    Vec3 point;
};

// A point on the surface nearest to a query point, with the same barycentric convention.
struct SurfacePoint {
    Vec3 point;
    double distanceSquared = 0.0;
    int face = -1;
    int triangle = -1;
    double bary1 = 0.0, bary2 = 0.0;
};

// The order of hits: nearer |t| first; equal |t| goes to the lower face, then the lower
// triangle. Every cast, plain or accelerated, keeps the first hit in this order.
bool hitPrecedes(const RayHit& a, const RayHit& b);
bool surfacePointPrecedes(const SurfacePoint& a, const SurfacePoint& b);

// The one ray-triangle test of the host: every cast goes through it, so the accelerated
// and the plain cast agree bit for bit. Considers triangle `tri` of the points `xyz`
// (three floats a vertex) and keeps its hit in best when it precedes what is there.
void considerTriangle(const float* xyz, const TriangleRef& tri, const RayQuery& query, RayHit& best,
                      bool& found);

// The same for the nearest surface point.
void considerTriangleForPoint(const float* xyz, const TriangleRef& tri, const Vec3& query,
                              SurfacePoint& best, bool& found);

} // namespace rvhost
