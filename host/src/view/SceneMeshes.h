#pragma once
#include <maya/MMatrix.h>

#include <functional>
#include <vector>

namespace rvhost {

class MeshShape;

// Calls `visit` for every visible mesh shape of the scene (not intermediate, not under a
// hidden node), in DAG order, with its world matrix.
void forEachVisibleMesh(const std::function<void(const MeshShape&, const MMatrix&)>& visit);

// A mesh ready to draw: world-space triangles, three corners each, every corner with its
// position and unit normal (three floats apiece).
struct ShadedMesh {
    std::vector<float> positions;
    std::vector<float> normals;
};

class MeshGeometry;

// Adds the mesh's triangles carried into world space by `world`.
void appendShadedMesh(const MeshGeometry& mesh, const MMatrix& world, bool flat, ShadedMesh& out);

// Every visible mesh ready to draw, with face normals when `flat` and vertex normals
// otherwise.
std::vector<ShadedMesh> collectSceneMeshes(bool flat);

} // namespace rvhost
