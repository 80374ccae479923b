#include "sculpt/KVDozaVeroveToolCmd.h"

#include "sculpt/KVPSCtxData.h"
#include "sculpt/KVSculptServices.h"
#include "sculpt/RVMeshData.h"

namespace {
// Steps every in-model record; failure when none is registered.
MStatus stepAll(bool (RVMeshData::*step)()) {
    const std::vector<RVMeshData*> records = KVSculptServices::current().inModelRecords();
    for (RVMeshData* record : records)
        (record->*step)();
    return records.empty() ? MS::kFailure : MS::kSuccess;
}
} // namespace

const char* const KVDozaVeroveToolCmd::commandName = "RavelinToolCmd";

KVDozaVeroveToolCmd::KVDozaVeroveToolCmd() {
    setCommandString(commandName);
}

void* KVDozaVeroveToolCmd::creator() {
    return new KVDozaVeroveToolCmd();
}

MStatus KVDozaVeroveToolCmd::doIt(const MArgList&) {
    return MS::kSuccess;
}

MStatus KVDozaVeroveToolCmd::undoIt() {
    if (KVPSCtxData::instance().strokeActive) return MS::kSuccess;
    return stepAll(&RVMeshData::undoStep);
}

// The release's first do finds the stroke already on the meshes.
MStatus KVDozaVeroveToolCmd::redoIt() {
    const KVPSCtxData& data = KVPSCtxData::instance();
    if (data.strokeActive || data.inToolCommandDo) return MS::kSuccess;
    return stepAll(&RVMeshData::redoStep);
}

bool KVDozaVeroveToolCmd::isUndoable() const {
    return true;
}

MStatus KVDozaVeroveToolCmd::finalize() {
    MArgList command;
    command.addArg(commandString());
    return doFinalize(command);
}
