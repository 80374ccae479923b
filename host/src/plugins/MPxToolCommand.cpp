#include <maya/MPxToolCommand.h>

#include "plugins/ToolCommandKeeper.h"
#include "plugins/UndoQueue.h"

MPxToolCommand::MPxToolCommand() = default;

MPxToolCommand::~MPxToolCommand() = default;

MStatus MPxToolCommand::doIt(const MArgList&) {
    return MS::kSuccess;
}

MStatus MPxToolCommand::cancel() {
    return MS::kSuccess;
}

MStatus MPxToolCommand::finalize() {
    MArgList command;
    command.addArg(commandString());
    return doFinalize(command);
}

// A tool command that no context made was allocated by the plug-in itself; either way the
// host owns it from here on. Finalising ends an interaction, not a script command, so the
// step is kept whatever undo flag the running script command has.
MStatus MPxToolCommand::doFinalize(MArgList& command) {
    std::string name = commandString().str();
    if (name.empty() && command.length() > 0) name = command.asString(0).str();
    std::unique_ptr<MPxCommand> owned = rvhost::ToolCommandKeeper::instance().release(this);
    if (!owned) owned.reset(this);
    rvhost::UndoQueue::instance().push(
        std::make_unique<rvhost::CommandUndoEntry>(name, std::move(owned)),
        rvhost::UndoQueue::Source::Interaction);
    return MS::kSuccess;
}
