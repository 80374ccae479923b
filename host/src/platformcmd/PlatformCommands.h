#pragma once
#include "script/CommandTable.h"

namespace rvhost::platformcmd {

// hostRegistry (the registry stand-in's file) and hostTablet (pen events to the main
// window). Called once at host start, beside script::registerScriptCommands.
void registerPlatformCommands(script::CommandTable& table);

void registerRegistryCommand(script::CommandTable& table);
void registerTabletCommand(script::CommandTable& table);

} // namespace rvhost::platformcmd
