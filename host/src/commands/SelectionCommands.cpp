#include "commands/CommandArgs.h"
#include "commands/SceneCommands.h"
#include "commands/SceneNames.h"
#include "script/ScriptCommands.h"

#include <maya/MGlobal.h>

namespace rvhost::commands {

namespace {

using script::CommandCall;
using script::Value;

MStatus select(const CommandCall& call, Value&) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(call,
                                        {{"-r", "-replace"},
                                         {"-add", "-add"},
                                         {"-d", "-deselect"},
                                         {"-tgl", "-toggle"},
                                         {"-cl", "-clear"},
                                         {"-ne", "-noExpand"}},
                                        args);
    if (!status) return status;
    // With no object named the selection is emptied, as -clear does.
    if (args.has("-cl") || args.objects().empty()) return MGlobal::clearSelectionList();
    MSelectionList list;
    if (!(status = objectsNamed(args.objects(), list))) return status;
    MGlobal::ListAdjustment how = MGlobal::kReplaceList;
    if (args.has("-add")) how = MGlobal::kAddToList;
    if (args.has("-d")) how = MGlobal::kRemoveFromList;
    if (args.has("-tgl")) how = MGlobal::kXORWithList;
    return MGlobal::setActiveSelectionList(list, how);
}

MStatus changeSelectMode(const CommandCall& call, Value&) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(call, {{"-o", "-object"}, {"-co", "-component"}}, args);
    if (!status) return status;
    if (args.has("-o") == args.has("-co"))
        return script::commandError("changeSelectMode: Give one of -object or -component.");
    return MGlobal::setSelectionMode(args.has("-o") ? MGlobal::kSelectObjectMode
                                                    : MGlobal::kSelectComponentMode);
}

// The host runs without an interface, so it is always in batch mode.
MStatus about(const CommandCall& call, Value& result) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(
        call, {{"-b", "-batch"}, {"-v", "-version"}, {"-os", "-operatingSystem"}}, args);
    if (!status) return status;
    if (args.has("-b"))
        result = 1;
    else if (args.has("-v"))
        result = "2016";
    else if (args.has("-os"))
        result = "linux64";
    else
        return script::commandError("about: Give one of -batch, -version or -operatingSystem.");
    return MS::kSuccess;
}

} // namespace

void registerSelectionCommands(script::CommandTable& table) {
    table.add("select", select);
    table.add("changeSelectMode", changeSelectMode);
    table.add("about", about);
}

} // namespace rvhost::commands
