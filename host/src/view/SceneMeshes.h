#pragma once
#include <maya/MMatrix.h>

#include <vector>

namespace rvhost {

// A mesh ready to draw: world-space triangles, three corners each, every corner with its
// position and unit normal (three floats apiece).
struct ShadedMesh {
    std::vector<float> positions;
    std::vector<float> normals;
};

class MeshGeometry;

// Adds the mesh's triangles carried into world space by `world`.
void appendShadedMesh(const MeshGeometry& mesh, const MMatrix& world, bool flat, ShadedMesh& out);

// Every visible mesh of the scene (not intermediate, not hidden, once per DAG path),
// with face normals when `flat` and vertex normals otherwise.
std::vector<ShadedMesh> collectSceneMeshes(bool flat);

} // namespace rvhost
