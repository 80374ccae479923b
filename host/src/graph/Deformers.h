#pragma once
#include "scene/DagNode.h"
#include "scene/Node.h"

#include <memory>
#include <string>

namespace rvhost {

// Puts a new deformer of a registered deformer type in front of a mesh shape, as the
// `deformer` command does: the shape's geometry so far becomes an intermediate shape
// NAMEOrig under the same transform (unless something already feeds the shape, which
// then feeds the deformer instead), whose outMesh feeds input[0].inputGeometry, and
// outputGeometry[0] feeds the shape's inMesh. From then on the shape shows the deformed
// mesh, recomputed whenever an input of the deformer changes. Returns the deformer, or
// null with the reason in `error` and nothing changed.
std::shared_ptr<Node> insertDeformer(const std::string& typeName, const std::string& name,
                                     DagNode& meshShape, std::string* error = nullptr);

} // namespace rvhost
