#include "mesh/MeshQueries.h"

namespace rvhost {

bool castRayEveryTriangle(const MeshGeometry& mesh, const RayQuery& query, RayHit& hit) {
    return castRayOnTriangles(mesh, query, mesh.triangles(), hit);
}

bool castRayOnTriangles(const MeshGeometry& mesh, const RayQuery& query,
                        const std::vector<TriangleRef>& triangles, RayHit& hit) {
    bool found = false;
    for (const TriangleRef& tri : triangles)
        considerTriangle(mesh.points().data(), tri, query, hit, found);
    return found;
}

bool nearestPointEveryTriangle(const MeshGeometry& mesh, const Vec3& query, SurfacePoint& nearest) {
    bool found = false;
    for (const TriangleRef& tri : mesh.triangles())
        considerTriangleForPoint(mesh.points().data(), tri, query, nearest, found);
    return found;
}

} // namespace rvhost
