#include "script/Interpreter.h"
#include "script/Output.h"
#include "script/ScriptCommands.h"

#include <maya/MGlobal.h>

#include <filesystem>

namespace rvhost::script {

namespace {
namespace fs = std::filesystem;

// The message text of warning and error: the last argument (flags before it are ignored).
std::string messageOf(const CommandCall& call) {
    return call.args.empty() ? std::string() : call.args.back().value.asString();
}

MStatus print(const CommandCall& call, Value&) {
    MStatus status = checkArgumentCount(call, 1, 1);
    if (!status) return status;
    const Value& value = call.args[0].value;
    if (!value.isArray()) {
        Output::print(value.asString());
        return MS::kSuccess;
    }
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i)
        text += value.element(i).asString() + "\n";
    Output::print(text);
    return MS::kSuccess;
}

MStatus warning(const CommandCall& call, Value&) {
    MGlobal::displayWarning(messageOf(call).c_str());
    return MS::kSuccess;
}

MStatus error(const CommandCall& call, Value&) {
    return commandError(messageOf(call));
}

// eval joins its arguments with blanks and runs them in the session scope.
MStatus eval(const CommandCall& call, Value& result) {
    std::string text;
    for (std::size_t i = 0; i < call.args.size(); ++i)
        text += (i ? " " : "") + call.args[i].value.asString();
    return Interpreter::instance().execute(text, &result);
}

// A relative path is looked for in the current folder, then beside the file that sources
// it; ".mel" is tried when the name has no extension.
std::string resolveScript(const std::string& name) {
    std::vector<fs::path> candidates{fs::path(name)};
    if (fs::path(name).extension().empty()) candidates.push_back(fs::path(name + ".mel"));
    std::string sourcing = Interpreter::instance().currentFile();
    for (const fs::path& candidate : candidates) {
        std::error_code ec;
        if (fs::is_regular_file(candidate, ec)) return candidate.string();
        if (candidate.is_relative() && !sourcing.empty()) {
            fs::path beside = fs::path(sourcing).parent_path() / candidate;
            if (fs::is_regular_file(beside, ec)) return beside.string();
        }
    }
    return "";
}

MStatus source(const CommandCall& call, Value&) {
    MStatus status = checkArgumentCount(call, 1, 1);
    if (!status) return status;
    std::string name = call.args[0].value.asString();
    std::string path = resolveScript(name);
    if (path.empty())
        return commandError("Cannot find file \"" + name + "\" for source statement.");
    return Interpreter::instance().executeFile(path);
}

MStatus exists(const CommandCall& call, Value& result) {
    MStatus status = checkArgumentCount(call, 1, 1);
    if (!status) return status;
    std::string name = call.args[0].value.asString();
    bool found =
        Interpreter::instance().procExists(name) || CommandTable::instance().contains(name);
    result = found ? 1 : 0;
    return MS::kSuccess;
}

MStatus size(const CommandCall& call, Value& result) {
    MStatus status = checkArgumentCount(call, 1, 1);
    if (!status) return status;
    const Value& value = call.args[0].value;
    if (value.isArray())
        result = static_cast<int>(value.size());
    else if (value.type() == Value::Type::String)
        result = static_cast<int>(value.asString().size());
    else
        return commandError("size needs an array or a string.");
    return MS::kSuccess;
}
} // namespace

MStatus commandError(const std::string& text) {
    MGlobal::displayError(text.c_str());
    return MS::kFailure;
}

MStatus checkArgumentCount(const CommandCall& call, std::size_t min, std::size_t max) {
    if (call.args.size() >= min && call.args.size() <= max) return MS::kSuccess;
    return commandError("Wrong number of arguments on call to " + call.name + ".");
}

void registerLanguageCommands(CommandTable& table) {
    table.add("print", print);
    table.add("warning", warning);
    table.add("error", error);
    table.add("eval", eval);
    table.add("source", source);
    table.add("exists", exists);
    table.add("size", size);
}

void registerScriptCommands() {
    CommandTable& table = CommandTable::instance();
    registerLanguageCommands(table);
    registerStandardProcs(table);
    registerOptionVarCommand(table);
}

} // namespace rvhost::script
