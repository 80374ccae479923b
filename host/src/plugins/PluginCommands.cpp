#include "plugins/PluginCommands.h"

#include <maya/MArgParser.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

#include "plugins/CommandHandlers.h"
#include "plugins/PluginManager.h"
#include "script/ScriptCommands.h"

namespace rvhost {

using script::CommandCall;
using script::Value;

namespace {

MSyntax namesSyntax(const char* shortFlag, const char* longFlag) {
    MSyntax syntax;
    syntax.addFlag(shortFlag, longFlag);
    syntax.setObjectType(MSyntax::kStringObjects, 1);
    return syntax;
}

// loadPlugin and unloadPlugin: every name given, in order; the result lists the names of
// the plug-ins handled. The first failure stops the command.
template <class Action>
MStatus forEachName(const CommandCall& call, const MSyntax& syntax, Value& result, Action act) {
    MArgParser args;
    if (!parseCall(call, syntax, args)) return MS::kFailure;
    MStringArray given;
    args.getObjects(given);
    std::vector<std::string> names;
    for (unsigned int i = 0; i < given.length(); ++i) {
        std::string name;
        if (!act(args, given[i].str(), name)) return MS::kFailure;
        names.push_back(name);
    }
    result = Value(names);
    return MS::kSuccess;
}

MStatus loadPlugin(const CommandCall& call, Value& result) {
    return forEachName(call, namesSyntax("-qt", "-quiet"), result,
                       [](const MArgParser&, const std::string& given, std::string& name) {
                           return PluginManager::instance().load(given, name);
                       });
}

// -force also deletes the nodes of the plug-in's types from the scene.
MStatus unloadPlugin(const CommandCall& call, Value& result) {
    return forEachName(call, namesSyntax("-f", "-force"), result,
                       [](const MArgParser& args, const std::string& given, std::string& name) {
                           std::shared_ptr<Plugin> plugin = PluginManager::instance().find(given);
                           name = plugin ? plugin->name() : given;
                           return PluginManager::instance().unload(given, args.isFlagSet("-f"));
                       });
}

MSyntax pluginInfoSyntax() {
    MSyntax syntax;
    syntax.enableQuery();
    syntax.addFlag("-l", "-loaded");
    syntax.addFlag("-v", "-version");
    syntax.addFlag("-vd", "-vendor");
    syntax.addFlag("-p", "-path");
    syntax.addFlag("-n", "-name");
    syntax.addFlag("-c", "-command");
    syntax.addFlag("-dn", "-dependNode");
    syntax.addFlag("-ls", "-listPlugins");
    syntax.setObjectType(MSyntax::kStringObjects, 0, 1);
    return syntax;
}

// What pluginInfo says of a loaded plug-in; the last flag in this order answers.
Value describePlugin(const MArgParser& args, const Plugin& plugin) {
    Value result;
    if (args.isFlagSet("-l")) result = Value(1);
    if (args.isFlagSet("-v")) result = Value(plugin.version);
    if (args.isFlagSet("-vd")) result = Value(plugin.vendor);
    if (args.isFlagSet("-p")) result = Value(plugin.path());
    if (args.isFlagSet("-n")) result = Value(plugin.name());
    if (args.isFlagSet("-c")) {
        std::vector<std::string> commands = plugin.contextCommands();
        commands.insert(commands.end(), plugin.commands().begin(), plugin.commands().end());
        result = Value(commands);
    }
    if (args.isFlagSet("-dn")) result = Value(plugin.nodeTypes());
    return result;
}

MStatus pluginInfo(const CommandCall& call, Value& result) {
    MArgParser args;
    if (!parseCall(call, pluginInfoSyntax(), args)) return MS::kFailure;
    if (args.isFlagSet("-ls")) {
        result = Value(PluginManager::instance().names());
        return MS::kSuccess;
    }
    MStringArray given;
    args.getObjects(given);
    if (given.length() == 0) {
        return script::commandError(call.name + ": name a plug-in");
    }
    std::shared_ptr<Plugin> plugin = PluginManager::instance().find(given[0].str());
    if (plugin) {
        result = describePlugin(args, *plugin);
        return MS::kSuccess;
    }
    if (args.isFlagSet("-l") && args.numberOfFlagsUsed() == 1) {
        result = Value(0);
        return MS::kSuccess;
    }
    return script::commandError("Plug-in is not loaded: " + given[0].str());
}

} // namespace

void registerPluginLoadingCommands() {
    script::CommandTable& table = script::CommandTable::instance();
    table.add("loadPlugin", loadPlugin);
    table.add("unloadPlugin", unloadPlugin);
    table.add("pluginInfo", pluginInfo);
}

void registerPluginCommands() {
    registerUndoCommands();
    registerPluginLoadingCommands();
}

} // namespace rvhost
