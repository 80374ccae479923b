#include "plugins/CommandHandlers.h"

#include <maya/MGlobal.h>
#include <maya/MPxCommand.h>
#include <maya/MPxContext.h>
#include <maya/MPxContextCommand.h>
#include <maya/MStringArray.h>

#include "plugins/ArgConvert.h"
#include "plugins/ArgValues.h"
#include "plugins/CommandResult.h"
#include "plugins/SyntaxParser.h"
#include "plugins/ToolCommandKeeper.h"
#include "plugins/UndoQueue.h"
#include "script/ScriptCommands.h"
#include "tools/ContextRegistry.h"

#include <memory>

namespace rvhost {

using script::CommandCall;
using script::Value;

MArgList argListOf(const std::vector<script::Argument>& args) {
    MArgList list;
    for (const script::Argument& arg : args)
        appendScalars(arg.value, list.values().items);
    return list;
}

bool parseArgs(const std::string& command, const MSyntax& syntax, const MArgList& args,
               MArgParser& out) {
    auto parsed = std::make_shared<ParsedArgs>();
    SyntaxParser parser(syntax.data(), args.values().items);
    if (!parser.parse(*parsed)) {
        MGlobal::displayError(MString(command + ": " + parser.error()));
        return false;
    }
    out = MArgParser(parsed);
    return true;
}

bool parseCall(const CommandCall& call, const MSyntax& syntax, MArgParser& out) {
    return parseArgs(call.name, syntax, argListOf(call.args), out);
}

namespace {

// Runs `work` with a fresh command result and hands that result to the script.
template <class Work> MStatus withResult(Value& result, Work work) {
    CommandResult::Scope scope;
    const MStatus status = work();
    result = scope.take();
    return status;
}

MStatus runCommand(const CommandCall& call, Value& result, MCreatorFunction creator,
                   MCreateSyntaxFunction syntaxCreator) {
    std::unique_ptr<MPxCommand> command(static_cast<MPxCommand*>(creator()));
    if (!command) return script::commandError(call.name + ": the plug-in made no command");
    const MArgList args = argListOf(call.args);
    if (syntaxCreator && command->hasSyntax()) {
        command->setSyntax(syntaxCreator());
        MArgParser parsed;
        if (!parseArgs(call.name, command->syntax(), args, parsed)) return MS::kFailure;
    }
    const MStatus status = withResult(result, [&] { return command->doIt(args); });
    if (status && command->isUndoable())
        UndoQueue::instance().push(
            std::make_unique<CommandUndoEntry>(call.name, std::move(command)));
    return status;
}

bool hasModeFlag(const CommandCall& call) {
    for (const script::Argument& arg : call.args) {
        if (arg.value.type() != Value::Type::String) continue;
        const std::string& text = arg.value.get<std::string>();
        if (text == "-e" || text == "-edit" || text == "-q" || text == "-query") return true;
    }
    return false;
}

// What the host keeps beside each context a context command made: the command instance,
// to which later edits and queries of the context go.
struct ContextCompanion {
    std::string commandName;
    std::unique_ptr<MPxContextCommand> command;
};

// With -edit or -query the last argument names a context this command made.
MStatus editOrQuery(const CommandCall& call, Value& result) {
    MArgList args = argListOf(call.args);
    std::vector<Value>& items = args.values().items;
    const std::string name = items.empty() ? std::string() : items.back().asString();
    auto companion =
        std::static_pointer_cast<ContextCompanion>(ContextRegistry::instance().companion(name));
    if (!companion || companion->commandName != call.name)
        return script::commandError(call.name + ": the last argument must name a context made by " +
                                    call.name +
                                    (name.empty() ? std::string() : ", not \"" + name + "\""));
    items.pop_back();
    MPxContextCommand& command = *companion->command;
    MArgParser parsed;
    if (!parseArgs(call.name, command.syntax(), args, parsed)) return MS::kFailure;
    command.setParser(parsed);
    return withResult(
        result, [&] { return parsed.isQuery() ? command.doQueryFlags() : command.doEditFlags(); });
}

ToolCommandMaker toolMaker(const std::string& contextCommand, MCreatorFunction toolCreator) {
    if (!toolCreator) return nullptr;
    return [contextCommand, toolCreator] {
        return ToolCommandKeeper::instance().make(contextCommand, toolCreator);
    };
}

// Without -edit or -query: make a context (named by the one object, if given), then
// carry out any flags given with it as an edit.
MStatus create(const CommandCall& call, Value& result, MCreatorFunction creator,
               MCreatorFunction toolCreator) {
    auto companion = std::make_shared<ContextCompanion>();
    companion->commandName = call.name;
    companion->command.reset(static_cast<MPxContextCommand*>(creator()));
    MPxContextCommand* command = companion->command.get();
    if (!command) return script::commandError(call.name + ": the plug-in made no context command");
    if (!command->appendSyntax()) return script::commandError(call.name + ": appendSyntax failed");
    MArgParser parsed;
    if (!parseCall(call, command->syntax(), parsed)) return MS::kFailure;
    command->setParser(parsed);
    ContextRegistry& registry = ContextRegistry::instance();
    MStringArray objects;
    parsed.getObjects(objects);
    const std::string name = objects.length() ? objects[0].str() : registry.uniqueName(call.name);
    ContextRegistry::Entry entry;
    entry.context.reset(command->makeObj());
    if (!entry.context) return script::commandError(call.name + ": makeObj made no context");
    entry.commandName = call.name;
    entry.makeToolCommand = toolMaker(call.name, toolCreator);
    entry.companion = companion;
    if (!registry.add(name, std::move(entry)))
        return script::commandError(call.name + ": " + registry.lastError());
    MStatus status;
    if (parsed.numberOfFlagsUsed() > 0)
        status = withResult(result, [command] { return command->doEditFlags(); });
    result = Value(name);
    return status;
}

} // namespace

script::CommandHandler commandHandler(MCreatorFunction creator,
                                      MCreateSyntaxFunction syntaxCreator) {
    return [creator, syntaxCreator](const CommandCall& call, Value& result) {
        return runCommand(call, result, creator, syntaxCreator);
    };
}

script::CommandHandler contextCommandHandler(MCreatorFunction creator,
                                             MCreatorFunction toolCreator) {
    return [creator, toolCreator](const CommandCall& call, Value& result) {
        return hasModeFlag(call) ? editOrQuery(call, result)
                                 : create(call, result, creator, toolCreator);
    };
}

} // namespace rvhost
