#include "commands/CommandArgs.h"

#include "plugins/ArgConvert.h"
#include "plugins/SyntaxParser.h"
#include "script/ScriptCommands.h"

namespace rvhost::commands {

using script::Value;

MStatus CommandArgs::parse(const script::CommandCall& call, const std::vector<FlagDef>& flags,
                           CommandArgs& out, bool queryable) {
    auto syntax = std::make_shared<SyntaxData>();
    for (const FlagDef& flag : flags)
        syntax->flags.push_back({flag.shortName, flag.longName, flag.args, flag.multiUse});
    syntax->objectFormat = MSyntax::kStringObjects;
    syntax->query = queryable;
    std::vector<Value> values;
    for (const script::Argument& arg : call.args)
        appendScalars(arg.value, values);
    SyntaxParser parser(syntax, values);
    if (!parser.parse(out.parsed_)) return script::commandError(call.name + ": " + parser.error());
    return MS::kSuccess;
}

const Value* CommandArgs::argument(const std::string& flag, std::size_t k) const {
    const std::vector<FlagUse>* uses = parsed_.usesOf(flag);
    if (!uses || k >= uses->back().args.size()) return nullptr;
    return &uses->back().args[k];
}

double CommandArgs::number(const std::string& flag, double fallback, std::size_t k) const {
    const Value* value = argument(flag, k);
    return value ? value->asFloat() : fallback;
}

int CommandArgs::integer(const std::string& flag, int fallback, std::size_t k) const {
    const Value* value = argument(flag, k);
    return value ? value->asInt() : fallback;
}

std::string CommandArgs::text(const std::string& flag, const std::string& fallback) const {
    const Value* value = argument(flag, 0);
    return value ? value->asString() : fallback;
}

std::vector<std::string> CommandArgs::texts(const std::string& flag) const {
    std::vector<std::string> result;
    if (const std::vector<FlagUse>* uses = parsed_.usesOf(flag))
        for (const FlagUse& use : *uses)
            if (!use.args.empty()) result.push_back(use.args[0].asString());
    return result;
}

unsigned int CommandArgs::position(const std::string& flag) const {
    const std::vector<FlagUse>* uses = parsed_.usesOf(flag);
    return uses ? uses->front().position : ~0u;
}

} // namespace rvhost::commands
