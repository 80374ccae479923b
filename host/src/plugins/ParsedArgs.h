#pragma once
#include "plugins/SyntaxData.h"
#include "script/Value.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace rvhost {

// One use of a flag: where it stood in the argument list and its arguments, already read
// as the syntax's types (none in query mode unless they were given).
struct FlagUse {
    unsigned int position = 0;
    std::vector<script::Value> args;
};

// An argument list read against a syntax: what MArgParser answers from.
struct ParsedArgs {
    std::shared_ptr<const SyntaxData> syntax = std::make_shared<SyntaxData>();
    std::map<std::string, std::vector<FlagUse>> uses; // by the flag's short name
    std::vector<script::Value> commandArgs;
    std::vector<std::string> objects;
    bool query = false;
    bool edit = false;

    // The uses of a flag named either way, or null when it was not given.
    const std::vector<FlagUse>* usesOf(const std::string& flag) const;
};

} // namespace rvhost
