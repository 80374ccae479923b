#pragma once
#include "view/SceneMeshes.h"

#include <vector>

namespace rvhost {

struct TriangleRef;

// A stand-in for a mesh far denser than the screen, made by vertex clustering: space is cut
// into cubes of side `cell`, the vertices in one cube whose normals lean the same way (the
// same largest component, with the same sign) become one vertex at their mean, and triangles
// keep the clusters of their corners; those left with fewer than three clusters are dropped.
// Keeping apart vertices whose normals lean different ways keeps the front and the back of a
// thin closed shape from meeting in the middle.
//
// Smooth: a corner a cluster, with the mean of its vertices' normals. Flat: three corners a
// triangle, with the stand-in triangle's own normal. Indices a corner list.
struct ClusteredMesh {
    ShadedMesh mesh;
    int triangles = 0;

    // `positions` and `normals`: three floats a vertex, `normals` of unit length.
    static ClusteredMesh build(const std::vector<float>& positions,
                               const std::vector<float>& normals,
                               const std::vector<TriangleRef>& triangles, double cell, bool flat);
};

} // namespace rvhost
