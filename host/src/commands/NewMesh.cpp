#include "commands/NewMesh.h"

#include "commands/UndoSteps.h"
#include "mesh/MeshShape.h"
#include "script/ScriptCommands.h"

#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

namespace rvhost::commands {

MStatus placeNewMesh(const std::string& command, MeshGeometry geometry, const std::string& name,
                     const std::string& defaultBase, script::Value& result) {
    std::string why;
    auto shape = MeshShape::createWithTransform(std::move(geometry), name, defaultBase, &why);
    if (!shape) return script::commandError(command + ": " + why);
    std::shared_ptr<Node> transform = shape->parent();
    recordCreation(command, {transform});
    MSelectionList selection;
    selection.add(transform->handle());
    MGlobal::setActiveSelectionList(selection);
    result = std::vector<std::string>{transform->name(), shape->name()};
    return MS::kSuccess;
}

} // namespace rvhost::commands
