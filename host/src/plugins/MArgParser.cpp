#include <maya/MArgParser.h>

#include "plugins/ArgConvert.h"
#include "plugins/ArgValues.h"
#include "plugins/SyntaxParser.h"

using rvhost::FlagUse;
using rvhost::ParsedArgs;
using rvhost::readInto;
using rvhost::script::Value;

namespace {

MStatus setStatus(MStatus* out, bool ok) {
    const MStatus status = ok ? MS::kSuccess : MS::kFailure;
    if (out) *out = status;
    return status;
}

// Argument `index` of the first use of `flag`, or null.
const Value* flagArgument(const ParsedArgs& parsed, const char* flag, unsigned int index) {
    const std::vector<FlagUse>* uses = parsed.usesOf(flag ? flag : "");
    if (!uses || uses->empty() || index >= uses->front().args.size()) return nullptr;
    return &uses->front().args[index];
}

const Value* commandArgument(const ParsedArgs& parsed, unsigned int index) {
    return index < parsed.commandArgs.size() ? &parsed.commandArgs[index] : nullptr;
}

template <class T>
T getOr(MStatus (MArgParser::*get)(const char*, unsigned int, T&) const, const MArgParser& parser,
        const char* flag, unsigned int index, MStatus* status) {
    T v{};
    const MStatus s = (parser.*get)(flag, index, v);
    if (status) *status = s;
    return v;
}

template <class T>
T commandOr(MStatus (MArgParser::*get)(unsigned int, T&) const, const MArgParser& parser,
            unsigned int index, MStatus* status) {
    T v{};
    const MStatus s = (parser.*get)(index, v);
    if (status) *status = s;
    return v;
}

} // namespace

MArgParser::MArgParser() : parsed_(std::make_shared<ParsedArgs>()) {}

MArgParser::MArgParser(const MSyntax& syntax, const MArgList& argList, MStatus* ReturnStatus) {
    auto parsed = std::make_shared<ParsedArgs>();
    rvhost::SyntaxParser parser(syntax.data(), argList.values().items);
    const bool ok = parser.parse(*parsed);
    if (!ok) *parsed = ParsedArgs();
    parsed_ = parsed;
    if (ReturnStatus) *ReturnStatus = ok ? MS::kSuccess : MS::kInvalidParameter;
}

MArgParser::MArgParser(std::shared_ptr<const ParsedArgs> parsed) : parsed_(std::move(parsed)) {}

MArgParser::~MArgParser() = default;

bool MArgParser::isFlagSet(const char* flag, MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, true);
    return parsed_->usesOf(flag ? flag : "") != nullptr;
}

bool MArgParser::isEdit(MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, true);
    return parsed_->edit;
}

bool MArgParser::isQuery(MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, true);
    return parsed_->query;
}

unsigned int MArgParser::numberOfFlagsUsed() const {
    return static_cast<unsigned int>(parsed_->uses.size());
}

unsigned int MArgParser::numberOfFlagUses(const char* flag) const {
    const std::vector<FlagUse>* uses = parsed_->usesOf(flag ? flag : "");
    return uses ? static_cast<unsigned int>(uses->size()) : 0;
}

MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, bool& result) const {
    return readInto(flagArgument(*parsed_, flag, index), result, rvhost::readBool);
}

MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, int& result) const {
    return readInto(flagArgument(*parsed_, flag, index), result, rvhost::readInt);
}

MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index,
                                    unsigned int& result) const {
    return readInto(flagArgument(*parsed_, flag, index), result, rvhost::readUnsigned);
}

MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, double& result) const {
    return readInto(flagArgument(*parsed_, flag, index), result, rvhost::readDouble);
}

MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, MString& result) const {
    return readInto(flagArgument(*parsed_, flag, index), result, rvhost::readText);
}

bool MArgParser::flagArgumentBool(const char* flag, unsigned int index,
                                  MStatus* ReturnStatus) const {
    return getOr<bool>(&MArgParser::getFlagArgument, *this, flag, index, ReturnStatus);
}

int MArgParser::flagArgumentInt(const char* flag, unsigned int index, MStatus* ReturnStatus) const {
    return getOr<int>(&MArgParser::getFlagArgument, *this, flag, index, ReturnStatus);
}

double MArgParser::flagArgumentDouble(const char* flag, unsigned int index,
                                      MStatus* ReturnStatus) const {
    return getOr<double>(&MArgParser::getFlagArgument, *this, flag, index, ReturnStatus);
}

MString MArgParser::flagArgumentString(const char* flag, unsigned int index,
                                       MStatus* ReturnStatus) const {
    return getOr<MString>(&MArgParser::getFlagArgument, *this, flag, index, ReturnStatus);
}

MStatus MArgParser::getFlagArgumentPosition(const char* flag, unsigned int i,
                                            unsigned int& position) const {
    const std::vector<FlagUse>* uses = parsed_->usesOf(flag ? flag : "");
    if (!uses || i >= uses->size()) return MS::kFailure;
    position = (*uses)[i].position + 1;
    return MS::kSuccess;
}

MStatus MArgParser::getFlagArgumentList(const char* flag, unsigned int i, MArgList& args) const {
    const std::vector<FlagUse>* uses = parsed_->usesOf(flag ? flag : "");
    if (!uses || i >= uses->size()) return MS::kFailure;
    args = MArgList();
    args.values().items = (*uses)[i].args;
    return MS::kSuccess;
}

MStatus MArgParser::getCommandArgument(unsigned int index, bool& result) const {
    return readInto(commandArgument(*parsed_, index), result, rvhost::readBool);
}

MStatus MArgParser::getCommandArgument(unsigned int index, int& result) const {
    return readInto(commandArgument(*parsed_, index), result, rvhost::readInt);
}

MStatus MArgParser::getCommandArgument(unsigned int index, double& result) const {
    return readInto(commandArgument(*parsed_, index), result, rvhost::readDouble);
}

MStatus MArgParser::getCommandArgument(unsigned int index, MString& result) const {
    return readInto(commandArgument(*parsed_, index), result, rvhost::readText);
}

bool MArgParser::commandArgumentBool(unsigned int index, MStatus* ReturnStatus) const {
    return commandOr<bool>(&MArgParser::getCommandArgument, *this, index, ReturnStatus);
}

int MArgParser::commandArgumentInt(unsigned int index, MStatus* ReturnStatus) const {
    return commandOr<int>(&MArgParser::getCommandArgument, *this, index, ReturnStatus);
}

double MArgParser::commandArgumentDouble(unsigned int index, MStatus* ReturnStatus) const {
    return commandOr<double>(&MArgParser::getCommandArgument, *this, index, ReturnStatus);
}

MString MArgParser::commandArgumentString(unsigned int index, MStatus* ReturnStatus) const {
    return commandOr<MString>(&MArgParser::getCommandArgument, *this, index, ReturnStatus);
}

MStatus MArgParser::getObjects(MStringArray& result) const {
    result.clear();
    for (const std::string& name : parsed_->objects)
        result.append(MString(name));
    return MS::kSuccess;
}
