#include "platformcmd/PlatformCommands.h"

namespace rvhost::platformcmd {

void registerPlatformCommands(script::CommandTable& table) {
    registerRegistryCommand(table);
    registerTabletCommand(table);
}

} // namespace rvhost::platformcmd
