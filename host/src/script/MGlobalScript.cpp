// The scripting, message and option-variable part of MGlobal.
#include <maya/MDoubleArray.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>

#include "script/Interpreter.h"
#include "script/OptionVars.h"
#include "script/Output.h"
#include "script/UndoChunk.h"

using rvhost::script::Interpreter;
using rvhost::script::OptionVars;
using rvhost::script::Output;
using rvhost::script::Value;

namespace {
// Runs the command; `result` is the last statement's value and is set only on success.
MStatus run(const MString& command, bool displayEnabled, bool undoEnabled, Value& result) {
    if (displayEnabled) Output::print(command.str() + "\n");
    rvhost::script::UndoChunk chunk(undoEnabled);
    Value last;
    MStatus status = Interpreter::instance().execute(command.str(), &last);
    if (status) result = last;
    return status;
}

template <class Array, class Items> void fill(Array& array, const Items& items) {
    array.clear();
    for (const auto& item : items)
        array.append(item);
}

// Runs the command and hands its result over converted by `assign` (success only).
template <class Assign>
MStatus runInto(const MString& command, bool displayEnabled, bool undoEnabled, Assign assign) {
    Value result;
    MStatus status = run(command, displayEnabled, undoEnabled, result);
    if (status) assign(result);
    return status;
}
} // namespace

int MGlobal::apiVersion() {
    return MAYA_API_VERSION;
}

MGlobal::MMayaState MGlobal::mayaState(MStatus* status) {
    if (status) *status = MS::kSuccess;
    return kBatch;
}

MStatus MGlobal::executeCommand(const MString& command, bool displayEnabled, bool undoEnabled) {
    Value ignored;
    return run(command, displayEnabled, undoEnabled, ignored);
}

MStatus MGlobal::executeCommand(const MString& command, int& result, bool displayEnabled,
                                bool undoEnabled) {
    return runInto(command, displayEnabled, undoEnabled,
                   [&](const Value& v) { result = v.asInt(); });
}

MStatus MGlobal::executeCommand(const MString& command, double& result, bool displayEnabled,
                                bool undoEnabled) {
    return runInto(command, displayEnabled, undoEnabled,
                   [&](const Value& v) { result = v.asFloat(); });
}

MStatus MGlobal::executeCommand(const MString& command, MString& result, bool displayEnabled,
                                bool undoEnabled) {
    return runInto(command, displayEnabled, undoEnabled,
                   [&](const Value& v) { result = MString(v.asString()); });
}

MStatus MGlobal::executeCommand(const MString& command, MIntArray& result, bool displayEnabled,
                                bool undoEnabled) {
    return runInto(command, displayEnabled, undoEnabled,
                   [&](const Value& v) { fill(result, v.asIntArray()); });
}

MStatus MGlobal::executeCommand(const MString& command, MDoubleArray& result, bool displayEnabled,
                                bool undoEnabled) {
    return runInto(command, displayEnabled, undoEnabled,
                   [&](const Value& v) { fill(result, v.asFloatArray()); });
}

MStatus MGlobal::executeCommand(const MString& command, MStringArray& result, bool displayEnabled,
                                bool undoEnabled) {
    return runInto(command, displayEnabled, undoEnabled, [&](const Value& v) {
        result.clear();
        for (const std::string& s : v.asStringArray())
            result.append(MString(s));
    });
}

MString MGlobal::executeCommandStringResult(const MString& command, bool displayEnabled,
                                            bool undoEnabled, MStatus* status) {
    MString result;
    MStatus s = executeCommand(command, result, displayEnabled, undoEnabled);
    if (status) *status = s;
    return result;
}

void MGlobal::displayInfo(const MString& text) {
    Output::print(text.str() + "\n");
}

void MGlobal::displayWarning(const MString& text) {
    Output::warning(text.str());
}

// Errors raised while a script runs name its file and line, as the script's own errors do.
void MGlobal::displayError(const MString& text) {
    Output::error(Interpreter::instance().location() + text.str());
}

int MGlobal::optionVarIntValue(const MString& name, bool* exists) {
    const Value* value = OptionVars::instance().find(name.str());
    if (exists) *exists = value != nullptr;
    return value ? value->asInt() : 0;
}

double MGlobal::optionVarDoubleValue(const MString& name, bool* exists) {
    const Value* value = OptionVars::instance().find(name.str());
    if (exists) *exists = value != nullptr;
    return value ? value->asFloat() : 0.0;
}

MString MGlobal::optionVarStringValue(const MString& name, bool* exists) {
    const Value* value = OptionVars::instance().find(name.str());
    if (exists) *exists = value != nullptr;
    return value ? MString(value->asString()) : MString();
}

bool MGlobal::setOptionVarValue(const MString& name, int value) {
    OptionVars::instance().set(name.str(), value);
    return true;
}

bool MGlobal::setOptionVarValue(const MString& name, double value) {
    OptionVars::instance().set(name.str(), value);
    return true;
}

bool MGlobal::setOptionVarValue(const MString& name, MString value) {
    OptionVars::instance().set(name.str(), value.str());
    return true;
}

void MGlobal::removeOptionVar(const MString& name) {
    OptionVars::instance().remove(name.str());
}
