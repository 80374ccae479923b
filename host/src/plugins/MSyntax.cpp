#include <maya/MSyntax.h>

#include "plugins/SyntaxData.h"

#include <cctype>

using rvhost::FlagSpec;
using rvhost::SyntaxData;

namespace rvhost {

const FlagSpec* SyntaxData::find(const std::string& name) const {
    for (const FlagSpec& flag : flags)
        if (flag.named(name)) return &flag;
    return nullptr;
}

FlagSpec* SyntaxData::find(const std::string& name) {
    return const_cast<FlagSpec*>(static_cast<const SyntaxData*>(this)->find(name));
}

} // namespace rvhost

namespace {

// Flags are written with their dash; a name given without one gets it.
std::string flagName(const char* name) {
    if (!name || !*name) return std::string();
    return name[0] == '-' ? std::string(name) : "-" + std::string(name);
}

bool validName(const std::string& name) {
    return name.size() >= 2 && std::isalpha(static_cast<unsigned char>(name[1]));
}

bool reserved(const std::string& name) {
    return name == "-q" || name == "-query" || name == "-e" || name == "-edit";
}

} // namespace

MSyntax::MSyntax() : data_(std::make_shared<SyntaxData>()) {}

MStatus MSyntax::addFlag(const char* shortName, const char* longName, MArgType argType1,
                         MArgType argType2, MArgType argType3, MArgType argType4, MArgType argType5,
                         MArgType argType6) {
    FlagSpec flag;
    flag.shortName = flagName(shortName);
    flag.longName = flagName(longName);
    if (flag.longName.empty()) flag.longName = flag.shortName;
    if (!validName(flag.shortName) || !validName(flag.longName) || reserved(flag.shortName) ||
        reserved(flag.longName) || data_->find(flag.shortName) || data_->find(flag.longName))
        return MS::kInvalidParameter;
    for (MArgType type : {argType1, argType2, argType3, argType4, argType5, argType6}) {
        if (type == kNoArg) break;
        if (type <= kNoArg || type >= kLastArgType) return MS::kInvalidParameter;
        flag.args.push_back(type);
    }
    data_->flags.push_back(flag);
    return MS::kSuccess;
}

MStatus MSyntax::makeFlagMultiUse(const char* flagName_) {
    FlagSpec* flag = data_->find(flagName(flagName_));
    if (!flag) return MS::kInvalidParameter;
    flag->multiUse = true;
    return MS::kSuccess;
}

// Query arguments are always read when present (see the parser), so both settings are
// already what this asks for.
MStatus MSyntax::makeFlagQueryWithFullArgs(const char* flagName_, bool) {
    return data_->find(flagName(flagName_)) ? MS::kSuccess : MS::kInvalidParameter;
}

MStatus MSyntax::addArg(MArgType arg) {
    if (arg <= kNoArg || arg >= kLastArgType) return MS::kInvalidParameter;
    data_->commandArgs.push_back(arg);
    return MS::kSuccess;
}

MStatus MSyntax::setObjectType(MObjectFormat objectFormat, unsigned int minimumObjects) {
    return setObjectType(objectFormat, minimumObjects, SyntaxData::kUnlimited);
}

MStatus MSyntax::setObjectType(MObjectFormat objectFormat, unsigned int minimumObjects,
                               unsigned int maximumObjects) {
    if (objectFormat <= kInvalidObjectFormat || objectFormat >= kLastObjectFormat ||
        minimumObjects > maximumObjects)
        return MS::kInvalidParameter;
    data_->objectFormat = objectFormat;
    data_->minObjects = minimumObjects;
    data_->maxObjects = maximumObjects;
    return MS::kSuccess;
}

// Limits without a format mean objects given as names.
MStatus MSyntax::setMinObjects(unsigned int minimumObjects) {
    if (minimumObjects > data_->maxObjects) return MS::kInvalidParameter;
    if (data_->objectFormat == kNone) data_->objectFormat = kStringObjects;
    data_->minObjects = minimumObjects;
    return MS::kSuccess;
}

MStatus MSyntax::setMaxObjects(unsigned int maximumObjects) {
    if (maximumObjects < data_->minObjects) return MS::kInvalidParameter;
    if (data_->objectFormat == kNone) data_->objectFormat = kStringObjects;
    data_->maxObjects = maximumObjects;
    return MS::kSuccess;
}

unsigned int MSyntax::minObjects() const {
    return data_->minObjects;
}

unsigned int MSyntax::maxObjects() const {
    return data_->maxObjects;
}

MStatus MSyntax::useSelectionAsDefault(bool useSelectionAsDefault) {
    data_->selectionAsDefault = useSelectionAsDefault;
    return MS::kSuccess;
}

MStatus MSyntax::enableQuery(bool supportsQuery) {
    data_->query = supportsQuery;
    return MS::kSuccess;
}

MStatus MSyntax::enableEdit(bool supportsEdit) {
    data_->edit = supportsEdit;
    return MS::kSuccess;
}

bool MSyntax::canQuery() const {
    return data_->query;
}

bool MSyntax::canEdit() const {
    return data_->edit;
}
