#include "app/Startup.h"

#include "app/HostClockCommand.h"
#include "commands/SceneCommands.h"
#include "platformcmd/PlatformCommands.h"
#include "plugins/PluginCommands.h"
#include "script/ScriptCommands.h"
#include "tools/ToolCommands.h"
#include "ui/QtHost.h"
#include "view/ViewCommands.h"

#include <malloc.h>

namespace rvhost {

namespace {
// The host keeps what its heap frees for later use, as hosts with pooled allocators do.
// By default the C library hands the top of the heap back to the system after a large
// free, so every big picture or mesh read afterwards pays for fresh pages again.
void keepFreedMemory() {
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
}
} // namespace

void startHost() {
    static bool started = false;
    if (started) return;
    started = true;
    keepFreedMemory();
    ui::QtHost::start();
    script::registerScriptCommands();
    registerHostClockCommand(script::CommandTable::instance());
    commands::registerSceneCommands(script::CommandTable::instance());
    registerToolCommands();
    registerPluginCommands();
    registerViewCommands(script::CommandTable::instance());
    platformcmd::registerPlatformCommands(script::CommandTable::instance());
}

} // namespace rvhost
