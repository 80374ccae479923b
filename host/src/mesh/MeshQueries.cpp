#include "mesh/MeshQueries.h"

namespace rvhost {

bool castRayEveryTriangle(const MeshGeometry& mesh, const RayQuery& query, RayHit& hit) {
    bool found = false;
    for (int f = 0; f < mesh.numPolygons(); ++f)
        for (int k = 0; k + 2 < mesh.polygonSize(f); ++k)
            considerTriangle(mesh.points().data(), mesh.triangle(f, k), query, hit, found);
    return found;
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
    for (int f = 0; f < mesh.numPolygons(); ++f)
        for (int k = 0; k + 2 < mesh.polygonSize(f); ++k)
            considerTriangleForPoint(mesh.points().data(), mesh.triangle(f, k), query, nearest,
                                     found);
    return found;
}

} // namespace rvhost
