#pragma once
#include "mesh/MeshGeometry.h"

#include <string>

namespace rvhost::commands {

// Wavefront OBJ files of one mesh: "v" points in the mesh's own space, "vt" UVs and "f"
// polygons (v/vt when the mesh has UVs). Each returns an error text, empty on success.

std::string writeObj(const std::string& path, const MeshGeometry& mesh);
// Every object and group of the file joins one mesh; the points keep the file's order, so
// a written mesh reads back with the same vertex numbers. Normals are not read. On error
// `out` is left as it was.
std::string readObj(const std::string& path, MeshGeometry& out);

} // namespace rvhost::commands
