#pragma once
#include "script/CommandTable.h"

namespace rvhost {

// hostView: the active view's camera, port, renderer, snapshots and queries. Called once at
// host start beside the other rooms' registrations.
void registerViewCommands(script::CommandTable& table);

} // namespace rvhost
