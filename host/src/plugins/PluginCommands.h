#pragma once

namespace rvhost {

// Adds undo, redo, flushUndo, undoInfo, loadPlugin, unloadPlugin and pluginInfo to the
// command table. Called once at host start.
void registerPluginCommands();

void registerUndoCommands();
void registerPluginLoadingCommands();

} // namespace rvhost
