#include "sculpt/KVDozaVeroveToolCmd.h"

#include "sculpt/KVPSCtxData.h"
#include "sculpt/KVSculptServices.h"
#include "sculpt/RVMeshData.h"

#include <maya/MFloatVectorArray.h>
#include <maya/MFnMesh.h>
#include <maya/MPointArray.h>

namespace {
// The live mesh takes the entry's points, normals and mask; the record is rebuilt on it.
void restore(RVMeshData& record, const HistoryEntry& entry) {
    MFnMesh copy(entry.meshCopy);
    MPointArray points;
    MFloatVectorArray normals;
    copy.getPoints(points, MSpace::kObject);
    copy.getNormals(normals, MSpace::kObject);
    MFnMesh live(record.meshPath);
    live.setPoints(points, MSpace::kObject);
    live.setNormals(normals, MSpace::kObject);
    record.maskFlag = entry.maskFlags;
    record.maskWeight = entry.maskWeights;
    record.buildMeshRecord();
    live.updateSurface();
}

bool undoStep(RVMeshData& record) {
    SculptHistory& history = record.history;
    const int last = static_cast<int>(history.entries.size()) - 1;
    // A stroke since the last snapshot: keep the state after it for redo.
    if (history.cursor == last && history.lastStep == 0) {
        history.pushSnapshot(record.meshPath, record.maskFlag, record.maskWeight);
        history.cursor -= 1;
    }
    if (history.cursor < 0 || history.entries.empty()) return false;
    if (history.lastStep == 2 && --history.cursor < 0) return false;
    restore(record, history.entries[history.cursor]);
    history.cursor -= 1;
    history.lastStep = 1;
    return true;
}

bool redoStep(RVMeshData& record) {
    SculptHistory& history = record.history;
    if (history.entries.empty()) return false;
    const int last = static_cast<int>(history.entries.size()) - 1;
    if (history.cursor >= last) {
        history.cursor = last;
    } else {
        history.cursor += history.lastStep == 1 ? 2 : 1;
        if (history.cursor > last) history.cursor = last;
    }
    restore(record, history.entries[history.cursor]);
    history.lastStep = 2;
    return true;
}

// Steps every in-model record; failure when none is registered.
MStatus stepAll(bool (*step)(RVMeshData&)) {
    const std::vector<RVMeshData*> records = KVSculptServices::current().inModelRecords();
    for (RVMeshData* record : records)
        step(*record);
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
    return stepAll(undoStep);
}

// The release's first do finds the stroke already on the meshes.
MStatus KVDozaVeroveToolCmd::redoIt() {
    const KVPSCtxData& data = KVPSCtxData::instance();
    if (data.strokeActive || data.inToolCommandDo) return MS::kSuccess;
    return stepAll(redoStep);
}

bool KVDozaVeroveToolCmd::isUndoable() const {
    return true;
}

MStatus KVDozaVeroveToolCmd::finalize() {
    MArgList command;
    command.addArg(commandString());
    return doFinalize(command);
}
