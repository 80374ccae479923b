#pragma once
#include "script/CommandTable.h"

namespace rvhost {

// hostClock -manual on|off, -advance SECONDS, -q (the clock's reading, seconds), -q -manual.
void registerHostClockCommand(script::CommandTable& table);

} // namespace rvhost
