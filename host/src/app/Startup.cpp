#include "app/Startup.h"

#include "app/HostClockCommand.h"
#include "script/ScriptCommands.h"

namespace rvhost {

void startHost() {
    static bool started = false;
    if (started) return;
    started = true;
    script::registerScriptCommands();
    registerHostClockCommand(script::CommandTable::instance());
}

} // namespace rvhost
