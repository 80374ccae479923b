#pragma once
#include "mesh/MeshGeometry.h"

namespace rvhost {

// The primitive meshes of polyPlane, polyCube and polySphere, centred on the origin, with
// UVs. Subdivisions below the least that makes a closed shape are raised to it (1 for plane
// and cube; 3 around and 2 high for the sphere). The vertex orders are in host/README.md.

// Plane in x-z, facing +y, then turned so +y becomes `axis` (the shortest turn).
MeshGeometry makePlane(double width, double height, int sx, int sy, const Vec3& axis = {0, 1, 0});
MeshGeometry makeCube(double width, double height, double depth, int sx, int sy, int sz);
MeshGeometry makeSphere(double radius, int sx, int sy);

} // namespace rvhost
