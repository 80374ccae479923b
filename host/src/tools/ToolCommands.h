#pragma once

namespace rvhost {

// Adds the tool layer's script commands to the command table (setToolTo, currentCtx and
// hostMouse) and has the view draw the current tool's manipulators. Called once at host
// start.
void registerToolCommands();

} // namespace rvhost
