#include "commands/AttributeValues.h"
#include "commands/CommandArgs.h"
#include "commands/SceneCommands.h"
#include "commands/UndoSteps.h"
#include "scene/Graph.h"
#include "script/ScriptCommands.h"

namespace rvhost::commands {

namespace {

using script::CommandCall;
using script::commandError;
using script::Value;

PlugRef refOf(const NamedPlug& plug) {
    return {plug.node.get(), plug.id()};
}

// Reads the two plugs every connection command takes, source first.
MStatus twoPlugs(const CommandCall& call, const std::vector<FlagDef>& flags, CommandArgs& args,
                 NamedPlug& source, NamedPlug& destination) {
    MStatus status = CommandArgs::parse(call, flags, args);
    if (!status) return status;
    if (args.objects().size() != 2) return commandError(call.name + ": Needs two attributes.");
    if (!(status = requirePlug(args.objects()[0], source))) return status;
    return requirePlug(args.objects()[1], destination);
}

MStatus connectAttr(const CommandCall& call, Value&) {
    CommandArgs args;
    NamedPlug from, to;
    MStatus status = twoPlugs(call, {{"-f", "-force"}}, args, from, to);
    if (!status) return status;
    Graph& graph = Graph::instance();
    PlugRef previous;
    const bool hadSource = graph.source(refOf(to), previous);
    if (hadSource && previous == refOf(from))
        return commandError("connectAttr: '" + from.text + "' is already connected to '" + to.text +
                            "'.");
    if (plugLocked(*to.node, to.id()))
        return commandError("connectAttr: The destination attribute '" + to.text + "' is locked.");
    if (hadSource && !args.has("-f"))
        return commandError("connectAttr: The destination attribute '" + to.text +
                            "' already has an incoming connection.");
    if (!(status = graph.connect(refOf(from), refOf(to), true)))
        return commandError("connectAttr: " + graph.lastError);
    auto held = std::make_pair(from, to);
    recordStep(
        "connectAttr",
        [held, hadSource, previous] {
            Graph::instance().disconnect(refOf(held.first), refOf(held.second));
            if (hadSource) Graph::instance().connect(previous, refOf(held.second), true);
        },
        [held] { Graph::instance().connect(refOf(held.first), refOf(held.second), true); });
    return MS::kSuccess;
}

MStatus disconnectAttr(const CommandCall& call, Value&) {
    CommandArgs args;
    NamedPlug from, to;
    MStatus status = twoPlugs(call, {}, args, from, to);
    if (!status) return status;
    if (!Graph::instance().disconnect(refOf(from), refOf(to)))
        return commandError("disconnectAttr: There is no connection from '" + from.text + "' to '" +
                            to.text + "' to disconnect.");
    auto held = std::make_pair(from, to);
    recordStep(
        "disconnectAttr",
        [held] { Graph::instance().connect(refOf(held.first), refOf(held.second), true); },
        [held] { Graph::instance().disconnect(refOf(held.first), refOf(held.second)); });
    return MS::kSuccess;
}

MStatus isConnected(const CommandCall& call, Value& result) {
    CommandArgs args;
    NamedPlug from, to;
    MStatus status = twoPlugs(call, {{"-iuc", "-ignoreUnitConversion"}}, args, from, to);
    if (!status) return status;
    PlugRef source;
    result = Graph::instance().source(refOf(to), source) && source == refOf(from) ? 1 : 0;
    return MS::kSuccess;
}

} // namespace

void registerConnectionCommands(script::CommandTable& table) {
    table.add("connectAttr", connectAttr);
    table.add("disconnectAttr", disconnectAttr);
    table.add("isConnected", isConnected);
}

} // namespace rvhost::commands
