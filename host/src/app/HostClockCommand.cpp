#include "app/HostClockCommand.h"

#include "core/HostClock.h"
#include "script/ScriptCommands.h"

namespace rvhost {

namespace {
using script::Argument;
using script::commandError;
using script::Value;

bool readSwitch(const Value& value, bool& on) {
    std::string word = value.asString();
    bool yes = word == "on" || word == "true" || word == "yes" || word == "1";
    bool no = word == "off" || word == "false" || word == "no" || word == "0";
    on = yes;
    return yes || no;
}

MStatus hostClock(const script::CommandCall& call, Value& result) {
    const std::vector<Argument>& args = call.args;
    bool query = !args.empty() && args[0].value.asString() == "-q";
    if (query) {
        bool manualFlag = args.size() == 2 && args[1].value.asString() == "-manual";
        if (args.size() != 1 && !manualFlag)
            return commandError("hostClock -q takes only -manual.");
        result = manualFlag ? Value(HostClock::isManual() ? 1 : 0) : Value(HostClock::now());
        return MS::kSuccess;
    }
    if (args.size() != 2)
        return commandError("hostClock needs -manual on|off or -advance SECONDS.");
    std::string flag = args[0].value.asString();
    if (flag == "-manual") {
        bool on = false;
        if (!readSwitch(args[1].value, on))
            return commandError("hostClock -manual takes on or off.");
        HostClock::setManual(on);
        return MS::kSuccess;
    }
    if (flag == "-advance") {
        const Value& step = args[1].value;
        bool number = step.type() == Value::Type::Int || step.type() == Value::Type::Float;
        if (!number || !HostClock::advance(step.asFloat()))
            return commandError("hostClock -advance takes a number of seconds, zero or more.");
        return MS::kSuccess;
    }
    return commandError("hostClock: invalid flag \"" + flag + "\".");
}
} // namespace

void registerHostClockCommand(script::CommandTable& table) {
    table.add("hostClock", hostClock);
}

} // namespace rvhost
