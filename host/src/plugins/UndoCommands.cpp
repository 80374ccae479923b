#include <maya/MArgParser.h>
#include <maya/MGlobal.h>
#include <maya/MSyntax.h>

#include "plugins/CommandHandlers.h"
#include "plugins/PluginCommands.h"
#include "plugins/UndoQueue.h"

namespace rvhost {

using script::CommandCall;
using script::Value;

namespace {

// undo and redo: one step; an empty side is a warning, a failing step an error.
MStatus step(const CommandCall& call, bool forward) {
    MArgParser args;
    if (!parseCall(call, MSyntax(), args)) return MS::kFailure;
    UndoQueue& queue = UndoQueue::instance();
    const std::string name = forward ? queue.redoName() : queue.undoName();
    bool moved = false;
    const MStatus status = forward ? queue.redo(moved) : queue.undo(moved);
    const char* verb = forward ? "redo" : "undo";
    if (!moved)
        MGlobal::displayWarning(
            MString(std::string("There are no more commands to ") + verb + "."));
    else if (!status)
        MGlobal::displayError(
            MString(std::string(forward ? "Redo" : "Undo") + " of " + name + " failed"));
    return status;
}

MStatus flushUndo(const CommandCall& call, Value&) {
    MArgParser args;
    if (!parseCall(call, MSyntax(), args)) return MS::kFailure;
    UndoQueue::instance().flush();
    return MS::kSuccess;
}

MSyntax undoInfoSyntax() {
    MSyntax syntax;
    syntax.enableQuery();
    syntax.addFlag("-in", "-infinity", MSyntax::kBoolean);
    syntax.addFlag("-l", "-length", MSyntax::kUnsigned);
    syntax.addFlag("-st", "-state", MSyntax::kBoolean);
    syntax.addFlag("-swf", "-stateWithoutFlush", MSyntax::kBoolean);
    syntax.addFlag("-un", "-undoName");
    syntax.addFlag("-rn", "-redoName");
    return syntax;
}

// Several query flags: the last one in this order answers.
Value queryUndoInfo(const MArgParser& args) {
    const UndoQueue& queue = UndoQueue::instance();
    Value result;
    if (args.isFlagSet("-in")) result = Value(queue.infinite() ? 1 : 0);
    if (args.isFlagSet("-l")) result = Value(static_cast<int>(queue.length()));
    if (args.isFlagSet("-st") || args.isFlagSet("-swf")) result = Value(queue.enabled() ? 1 : 0);
    if (args.isFlagSet("-un")) result = Value(queue.undoName());
    if (args.isFlagSet("-rn")) result = Value(queue.redoName());
    return result;
}

// Turning undo off with -state also empties the queue; -stateWithoutFlush does not.
void editUndoInfo(const MArgParser& args) {
    UndoQueue& queue = UndoQueue::instance();
    bool on = false;
    unsigned int length = 0;
    if (args.getFlagArgument("-in", 0, on)) queue.setInfinite(on);
    if (args.getFlagArgument("-l", 0, length)) queue.setLength(length);
    if (args.getFlagArgument("-swf", 0, on)) queue.setEnabled(on);
    if (args.getFlagArgument("-st", 0, on)) {
        queue.setEnabled(on);
        if (!on) queue.flush();
    }
}

MStatus undoInfo(const CommandCall& call, Value& result) {
    MArgParser args;
    if (!parseCall(call, undoInfoSyntax(), args)) return MS::kFailure;
    if (args.isQuery())
        result = queryUndoInfo(args);
    else
        editUndoInfo(args);
    return MS::kSuccess;
}

} // namespace

void registerUndoCommands() {
    script::CommandTable& table = script::CommandTable::instance();
    table.add("undo", [](const CommandCall& call, Value&) { return step(call, false); });
    table.add("redo", [](const CommandCall& call, Value&) { return step(call, true); });
    table.add("flushUndo", flushUndo);
    table.add("undoInfo", undoInfo);
}

} // namespace rvhost
