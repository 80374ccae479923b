#include "plugins/UndoEntry.h"

#include <maya/MPxCommand.h>

namespace rvhost {

FunctionUndoEntry::FunctionUndoEntry(std::string name, std::function<MStatus()> undo,
                                     std::function<MStatus()> redo)
    : name_(std::move(name)), undo_(std::move(undo)), redo_(std::move(redo)) {}

CommandUndoEntry::CommandUndoEntry(std::string name, std::unique_ptr<MPxCommand> command)
    : name_(std::move(name)), command_(std::move(command)) {}

CommandUndoEntry::~CommandUndoEntry() = default;

MStatus CommandUndoEntry::undo() {
    return command_->undoIt();
}

MStatus CommandUndoEntry::redo() {
    return command_->redoIt();
}

} // namespace rvhost
