#include "sculpt/KVSculptServices.h"

namespace {
KVSculptServices standIn;
KVSculptServices* installed = nullptr;
} // namespace

MStatus KVSculptServices::selectRecordById(const MString&) {
    return MS::kNotFound;
}
RVMeshData* KVSculptServices::currentRecord() {
    return nullptr;
}
std::vector<RVMeshData*> KVSculptServices::inModelRecords() {
    return {};
}
bool KVSculptServices::manipulatorExists() {
    return false;
}
MStatus KVSculptServices::newManipulator(MObject&) {
    return MS::kFailure;
}
void KVSculptServices::releaseManipulator() {}
void KVSculptServices::loadRamps() {}
float KVSculptServices::evalFallOff(float) {
    return 1.0f;
}
MRampAttribute* KVSculptServices::fallOffRamp() {
    return nullptr;
}
MStatus KVSculptServices::updateStrokeMultipliers() {
    return MS::kSuccess;
}
int KVSculptServices::penPointerType() {
    return 0;
}
void KVSculptServices::clearTabletActive() {}
void KVSculptServices::loadStencilSettings() {}
void KVSculptServices::prepareStencil() {}
MDagPath KVSculptServices::stencilPlane() {
    return MDagPath();
}
bool KVSculptServices::stencilActive() {
    return false;
}
double KVSculptServices::stencilSample(const MPoint&) {
    return 1.0;
}

KVSculptServices& KVSculptServices::current() {
    return installed ? *installed : standIn;
}

void KVSculptServices::install(KVSculptServices* services) {
    installed = services;
}
