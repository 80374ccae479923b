#include <maya/MDoubleArray.h>
#include <maya/MIntArray.h>
#include <maya/MPxCommand.h>
#include <maya/MPxContextCommand.h>
#include <maya/MStringArray.h>

// Every context command accepts -edit, -query and the name of a context.
MPxContextCommand::MPxContextCommand() {
    syntax_.enableQuery();
    syntax_.enableEdit();
    syntax_.setObjectType(MSyntax::kStringObjects, 0, 1);
}

MPxContextCommand::~MPxContextCommand() = default;

MStatus MPxContextCommand::doEditFlags() {
    return MS::kSuccess;
}

MStatus MPxContextCommand::doQueryFlags() {
    return MS::kSuccess;
}

MPxContext* MPxContextCommand::makeObj() {
    return nullptr;
}

MStatus MPxContextCommand::appendSyntax() {
    return MS::kSuccess;
}

namespace {
template <class T> MStatus forward(const T& result) {
    MPxCommand::setResult(result);
    return MS::kSuccess;
}
} // namespace

MStatus MPxContextCommand::setResult(bool result) {
    return forward(result);
}

MStatus MPxContextCommand::setResult(int result) {
    return forward(result);
}

MStatus MPxContextCommand::setResult(double result) {
    return forward(result);
}

MStatus MPxContextCommand::setResult(const MString& result) {
    return forward(result);
}

MStatus MPxContextCommand::setResult(const MIntArray& result) {
    return forward(result);
}

MStatus MPxContextCommand::setResult(const MDoubleArray& result) {
    return forward(result);
}

MStatus MPxContextCommand::setResult(const MStringArray& result) {
    return forward(result);
}
