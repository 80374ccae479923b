#include "script/OptionVars.h"
#include "script/ScriptCommands.h"

namespace rvhost::script {

namespace {
// optionVar flags run in the order given; each reads its own values. The query flags set
// the command's result.
class OptionVarCall {
public:
    OptionVarCall(const CommandCall& call, Value& result) : call_(call), result_(result) {}

    MStatus run() {
        while (next_ < call_.args.size()) {
            std::string flag = call_.args[next_++].value.asString();
            MStatus status = flagged(flag);
            if (!status) return status;
        }
        return MS::kSuccess;
    }

private:
    MStatus flagged(const std::string& flag) {
        if (flag == "-iv" || flag == "-intValue") return setValue(Value::Type::Int, false);
        if (flag == "-fv" || flag == "-floatValue") return setValue(Value::Type::Float, false);
        if (flag == "-sv" || flag == "-stringValue") return setValue(Value::Type::String, false);
        if (flag == "-iva" || flag == "-intValueAppend") return setValue(Value::Type::Int, true);
        if (flag == "-fva" || flag == "-floatValueAppend")
            return setValue(Value::Type::Float, true);
        if (flag == "-sva" || flag == "-stringValueAppend")
            return setValue(Value::Type::String, true);
        if (flag == "-q" || flag == "-query") return withName(&OptionVarCall::query);
        if (flag == "-ex" || flag == "-exists") return withName(&OptionVarCall::exists);
        if (flag == "-rm" || flag == "-remove") return withName(&OptionVarCall::remove);
        if (flag == "-ca" || flag == "-clearArray") return withName(&OptionVarCall::clearArray);
        if (flag == "-as" || flag == "-arraySize") return withName(&OptionVarCall::arraySize);
        if (flag == "-l" || flag == "-list") {
            result_ = OptionVars::instance().names();
            return MS::kSuccess;
        }
        return commandError("optionVar: invalid flag \"" + flag + "\".");
    }

    bool take(std::string& text) {
        if (next_ >= call_.args.size()) return false;
        text = call_.args[next_++].value.asString();
        return true;
    }

    MStatus missing(const std::string& what) {
        return commandError("optionVar: " + what + " missing after \"" +
                            call_.args[next_ - 1].value.asString() + "\".");
    }

    MStatus setValue(Value::Type type, bool append) {
        std::string name;
        if (!take(name)) return missing("a variable name");
        if (next_ >= call_.args.size()) return missing("a value");
        Value value = call_.args[next_++].value.convertedTo(type);
        if (append)
            OptionVars::instance().append(name, value);
        else
            OptionVars::instance().set(name, value);
        return MS::kSuccess;
    }

    MStatus withName(void (OptionVarCall::*action)(const std::string&)) {
        std::string name;
        if (!take(name)) return missing("a variable name");
        (this->*action)(name);
        return MS::kSuccess;
    }

    // A variable that does not exist reads as 0.
    void query(const std::string& name) {
        const Value* value = OptionVars::instance().find(name);
        result_ = value ? *value : Value(0);
    }

    void exists(const std::string& name) { result_ = OptionVars::instance().find(name) ? 1 : 0; }

    void remove(const std::string& name) { OptionVars::instance().remove(name); }

    void clearArray(const std::string& name) {
        const Value* value = OptionVars::instance().find(name);
        if (value && value->isArray())
            OptionVars::instance().set(name, Value::defaultOf(value->type()));
    }

    void arraySize(const std::string& name) {
        const Value* value = OptionVars::instance().find(name);
        result_ = value && value->isArray() ? static_cast<int>(value->size()) : 0;
    }

    const CommandCall& call_;
    Value& result_;
    std::size_t next_ = 0;
};
} // namespace

void registerOptionVarCommand(CommandTable& table) {
    table.add("optionVar", [](const CommandCall& call, Value& result) {
        return OptionVarCall(call, result).run();
    });
}

} // namespace rvhost::script
