#pragma once
#include "mesh/MeshGeometry.h"

#include <vector>

namespace rvhost {

// The plain loops over every triangle. They define what the accelerated queries of
// MeshGeometry must answer, and serve casts restricted to a list of faces.

bool castRayEveryTriangle(const MeshGeometry& mesh, const RayQuery& query, RayHit& hit);
bool nearestPointEveryTriangle(const MeshGeometry& mesh, const Vec3& query, SurfacePoint& nearest);
// Only the listed triangles; duplicates are harmless.
bool castRayOnTriangles(const MeshGeometry& mesh, const RayQuery& query,
                        const std::vector<TriangleRef>& triangles, RayHit& hit);

} // namespace rvhost
