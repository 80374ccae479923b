#include <maya/MDoubleArray.h>
#include <maya/MGlobal.h>
#include <maya/MIntArray.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>

#include "plugins/CommandResult.h"

using rvhost::CommandResult;
using rvhost::script::Value;

namespace {

std::vector<std::string> textsOf(const MStringArray& array) {
    std::vector<std::string> out;
    for (unsigned int i = 0; i < array.length(); ++i)
        out.push_back(array[i].str());
    return out;
}

template <class T> T scalarResult(MStatus* status, T (Value::*read)() const) {
    const Value& result = CommandResult::current();
    const bool ok = !result.isNone() && !result.isArray();
    if (status) *status = ok ? MS::kSuccess : MS::kFailure;
    return ok ? (result.*read)() : T();
}

// Copies an array result of the given type into `out` (an MIntArray or MDoubleArray).
template <class Array, class Element>
MStatus arrayResult(Array& out, Value::Type type, std::vector<Element> (Value::*read)() const) {
    const Value& result = CommandResult::current();
    if (result.type() != type) return MS::kFailure;
    const std::vector<Element> values = (result.*read)();
    out = Array(values.data(), static_cast<unsigned int>(values.size()));
    return MS::kSuccess;
}

} // namespace

MPxCommand::MPxCommand() = default;

MPxCommand::~MPxCommand() = default;

MStatus MPxCommand::doIt(const MArgList&) {
    return MS::kFailure;
}

MStatus MPxCommand::undoIt() {
    return MS::kSuccess;
}

MStatus MPxCommand::redoIt() {
    return MS::kSuccess;
}

bool MPxCommand::isUndoable() const {
    return false;
}

bool MPxCommand::hasSyntax() const {
    return true;
}

MStatus MPxCommand::setHistoryOn(bool state) {
    historyOn_ = state;
    return MS::kSuccess;
}

MStatus MPxCommand::setCommandString(const MString& text) {
    commandString_ = text;
    return MS::kSuccess;
}

void MPxCommand::displayInfo(const MString& theInfo) {
    MGlobal::displayInfo(theInfo);
}

void MPxCommand::displayWarning(const MString& theWarning, bool) {
    MGlobal::displayWarning(theWarning);
}

void MPxCommand::displayError(const MString& theError, bool) {
    MGlobal::displayError(theError);
}

void MPxCommand::clearResult() {
    CommandResult::set(Value());
}

void MPxCommand::setResult(unsigned int val) {
    CommandResult::set(Value(static_cast<int>(val)));
}

void MPxCommand::setResult(int val) {
    CommandResult::set(Value(val));
}

void MPxCommand::setResult(double val) {
    CommandResult::set(Value(val));
}

void MPxCommand::setResult(bool val) {
    CommandResult::set(Value(val ? 1 : 0));
}

void MPxCommand::setResult(const char* val) {
    CommandResult::set(Value(val ? val : ""));
}

void MPxCommand::setResult(const MString& val) {
    CommandResult::set(Value(val.str()));
}

void MPxCommand::setResult(const MIntArray& val) {
    CommandResult::set(Value(val.items()));
}

void MPxCommand::setResult(const MDoubleArray& val) {
    CommandResult::set(Value(val.items()));
}

void MPxCommand::setResult(const MStringArray& val) {
    CommandResult::set(Value(textsOf(val)));
}

void MPxCommand::appendToResult(unsigned int val) {
    CommandResult::append(Value(static_cast<int>(val)));
}

void MPxCommand::appendToResult(int val) {
    CommandResult::append(Value(val));
}

void MPxCommand::appendToResult(double val) {
    CommandResult::append(Value(val));
}

void MPxCommand::appendToResult(bool val) {
    CommandResult::append(Value(val ? 1 : 0));
}

void MPxCommand::appendToResult(const char* val) {
    CommandResult::append(Value(val ? val : ""));
}

void MPxCommand::appendToResult(const MString& val) {
    CommandResult::append(Value(val.str()));
}

bool MPxCommand::isCurrentResultArray() {
    return CommandResult::current().isArray();
}

MPxCommand::MResultType MPxCommand::currentResultType() {
    switch (CommandResult::current().type()) {
    case Value::Type::Int:
    case Value::Type::IntArray:
        return kLong;
    case Value::Type::Float:
    case Value::Type::FloatArray:
        return kDouble;
    case Value::Type::None:
        return kNoArg;
    default:
        return kString;
    }
}

int MPxCommand::currentIntResult(MStatus* ReturnStatus) {
    return scalarResult(ReturnStatus, &Value::asInt);
}

double MPxCommand::currentDoubleResult(MStatus* ReturnStatus) {
    return scalarResult(ReturnStatus, &Value::asFloat);
}

MString MPxCommand::currentStringResult(MStatus* ReturnStatus) {
    return MString(scalarResult(ReturnStatus, &Value::asString));
}

MStatus MPxCommand::getCurrentResult(MIntArray& result) {
    return arrayResult(result, Value::Type::IntArray, &Value::asIntArray);
}

MStatus MPxCommand::getCurrentResult(MDoubleArray& result) {
    return arrayResult(result, Value::Type::FloatArray, &Value::asFloatArray);
}

MStatus MPxCommand::getCurrentResult(MStringArray& result) {
    if (CommandResult::current().type() != Value::Type::StringArray) return MS::kFailure;
    result.clear();
    for (const std::string& text : CommandResult::current().asStringArray())
        result.append(MString(text));
    return MS::kSuccess;
}
