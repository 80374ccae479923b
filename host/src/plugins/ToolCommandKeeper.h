#pragma once
#include <maya/MTypes.h>

#include <memory>
#include <string>
#include <vector>

class MPxToolCommand;

namespace rvhost {

// Holds the tool commands that contexts made (MPxContext::newToolCommand) until they are
// finalised into the undo queue; those never finalised go when their context command is
// deregistered.
class ToolCommandKeeper {
public:
    static ToolCommandKeeper& instance();

    MPxToolCommand* make(const std::string& contextCommand, MCreatorFunction creator);
    // The command if it is kept here, now owned by the caller; null otherwise.
    std::unique_ptr<MPxToolCommand> release(const MPxToolCommand* command);
    void removeMadeFor(const std::string& contextCommand);

private:
    struct Kept {
        std::string contextCommand;
        std::unique_ptr<MPxToolCommand> command;
    };
    std::vector<Kept> kept_;
};

} // namespace rvhost
