#pragma once
#include <maya/MStatus.h>

#include "script/Value.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace rvhost::script {

// One argument as the script gave it. In command form an unquoted word such as -w or
// pPlane1 is a string with `word` set; quoted strings, numbers and $variables keep their
// type. In function form every argument is an evaluated expression.
struct Argument {
    Value value;
    bool word = false;
};

struct CommandCall {
    std::string name;
    std::vector<Argument> args;
    bool functionForm = false;
};

// A command handler fills `result` and returns success, or reports its own error (through
// MGlobal::displayError) and returns a failure status; the interpreter then stops the script
// unless the call is inside catch().
using CommandHandler = std::function<MStatus(const CommandCall& call, Value& result)>;

// Every command a script can call by name: built-in commands and those that plug-ins
// register. Names are case-sensitive.
class CommandTable {
public:
    static CommandTable& instance();

    void add(const std::string& name, CommandHandler handler);
    bool remove(const std::string& name);
    const CommandHandler* find(const std::string& name) const;
    bool contains(const std::string& name) const { return find(name) != nullptr; }

private:
    std::map<std::string, CommandHandler> handlers_;
};

} // namespace rvhost::script
