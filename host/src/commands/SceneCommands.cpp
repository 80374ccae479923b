#include "commands/SceneCommands.h"

namespace rvhost::commands {

void registerSceneCommands(script::CommandTable& table) {
    registerNodeCommands(table);
    registerPrimitiveCommands(table);
    registerSelectionCommands(table);
    registerAttributeCommands(table);
    registerConnectionCommands(table);
    registerPlacementCommands(table);
    registerMeshCommands(table);
}

} // namespace rvhost::commands
