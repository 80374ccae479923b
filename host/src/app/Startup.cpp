#include "app/Startup.h"

#include "app/HostClockCommand.h"
#include "commands/SceneCommands.h"
#include "platformcmd/PlatformCommands.h"
#include "plugins/PluginCommands.h"
#include "script/ScriptCommands.h"
#include "tools/ToolCommands.h"
#include "ui/QtHost.h"
#include "view/ViewCommands.h"

namespace rvhost {

void startHost() {
    static bool started = false;
    if (started) return;
    started = true;
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
