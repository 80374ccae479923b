#include "plugins/ToolCommandKeeper.h"

#include <maya/MPxToolCommand.h>

#include <algorithm>

namespace rvhost {

// Never destroyed: at exit the plug-ins' own statics may be gone before the commands
// held here could be deleted.
ToolCommandKeeper& ToolCommandKeeper::instance() {
    static ToolCommandKeeper* keeper = new ToolCommandKeeper;
    return *keeper;
}

MPxToolCommand* ToolCommandKeeper::make(const std::string& contextCommand,
                                        MCreatorFunction creator) {
    auto* command = static_cast<MPxToolCommand*>(creator());
    if (command) kept_.push_back({contextCommand, std::unique_ptr<MPxToolCommand>(command)});
    return command;
}

std::unique_ptr<MPxToolCommand> ToolCommandKeeper::release(const MPxToolCommand* command) {
    auto it = std::find_if(kept_.begin(), kept_.end(),
                           [command](const Kept& k) { return k.command.get() == command; });
    if (it == kept_.end()) return nullptr;
    std::unique_ptr<MPxToolCommand> owned = std::move(it->command);
    kept_.erase(it);
    return owned;
}

void ToolCommandKeeper::removeMadeFor(const std::string& contextCommand) {
    std::vector<Kept> gone;
    for (Kept& k : kept_)
        if (k.contextCommand == contextCommand) gone.push_back(std::move(k));
    kept_.erase(
        std::remove_if(kept_.begin(), kept_.end(), [](const Kept& k) { return !k.command; }),
        kept_.end());
}

} // namespace rvhost
