#pragma once
#include "script/CommandTable.h"

namespace rvhost::commands {

// The host's built-in scene commands (polyPlane, createNode, select, setAttr, xform...)
// and the host-only hostMesh. Called once at host start.
void registerSceneCommands(script::CommandTable& table);

void registerNodeCommands(script::CommandTable& table);
void registerPrimitiveCommands(script::CommandTable& table);
void registerSelectionCommands(script::CommandTable& table);
void registerAttributeCommands(script::CommandTable& table);
void registerConnectionCommands(script::CommandTable& table);
void registerPlacementCommands(script::CommandTable& table);
void registerMeshCommands(script::CommandTable& table);

} // namespace rvhost::commands
