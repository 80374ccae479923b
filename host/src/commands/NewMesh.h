#pragma once
#include "mesh/MeshGeometry.h"
#include "script/Value.h"

#include <maya/MStatus.h>

#include <string>

namespace rvhost::commands {

// Puts a new mesh in the scene under a new transform named `name` (or `defaultBase`
// numbered), selects the transform, records the creation for undo and gives
// {transform, shape} as the result. Shows "COMMAND: why" and fails when it cannot.
MStatus placeNewMesh(const std::string& command, MeshGeometry geometry, const std::string& name,
                     const std::string& defaultBase, script::Value& result);

} // namespace rvhost::commands
