#pragma once
#include <maya/MSyntax.h>

#include "plugins/ParsedArgs.h"
#include "script/CommandTable.h"

#include <string>
#include <vector>

namespace rvhost::commands {

// One flag of a built-in command, with its dash: {"-w", "-width", {MSyntax::kDouble}}.
struct FlagDef {
    const char* shortName;
    const char* longName;
    std::vector<MSyntax::MArgType> args = {};
    bool multiUse = false;
};

// A built-in command's arguments read against its flags, as the host reads them: flags
// anywhere, every other argument kept in order as an object. Arrays given in function form
// count as their elements.
class CommandArgs {
public:
    // Shows "COMMAND: why" as an error and fails when the call does not read. `queryable`
    // enables -q/-query.
    static MStatus parse(const script::CommandCall& call, const std::vector<FlagDef>& flags,
                         CommandArgs& out, bool queryable = false);

    bool has(const std::string& flag) const { return parsed_.usesOf(flag) != nullptr; }
    bool query() const { return parsed_.query; }
    const std::vector<std::string>& objects() const { return parsed_.objects; }

    // Argument k of the last use of a flag, or `fallback` when the flag is absent or was
    // given without arguments (query mode).
    double number(const std::string& flag, double fallback, std::size_t k = 0) const;
    int integer(const std::string& flag, int fallback, std::size_t k = 0) const;
    std::string text(const std::string& flag, const std::string& fallback = {}) const;
    // Every use of a multi-use flag, its first argument as text.
    std::vector<std::string> texts(const std::string& flag) const;
    // Where the flag first stood among the arguments, for results in the order given.
    unsigned int position(const std::string& flag) const;

private:
    const script::Value* argument(const std::string& flag, std::size_t k) const;

    ParsedArgs parsed_;
};

} // namespace rvhost::commands
