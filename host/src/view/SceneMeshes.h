#pragma once
#include <maya/MMatrix.h>

#include <functional>
#include <vector>

namespace rvhost {

class MeshShape;

// Calls `visit` for every visible mesh shape of the scene (not intermediate, not under a
// hidden node), in DAG order, with its world matrix.
void forEachVisibleMesh(const std::function<void(const MeshShape&, const MMatrix&)>& visit);

// A mesh ready to draw in world space: corners with a position and a unit normal (three
// floats apiece), and three corner indices a triangle. Smooth meshes share one corner a
// vertex; flat ones have a corner for every triangle corner, with the face's normal.
struct ShadedMesh {
    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<unsigned int> indices;
};

class MeshGeometry;

// Adds the mesh's triangles carried into world space by `world`.
void appendShadedMesh(const MeshGeometry& mesh, const MMatrix& world, bool flat, ShadedMesh& out);

} // namespace rvhost
