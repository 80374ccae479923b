#include "services/KVToolServices.h"

#include "display/RavelinManipNode.h"
#include "sculpt/KVPSCtxData.h"
#include "sculpt/KVSculptRegistry.h"
#include "services/KVRamps.h"
#include "services/KVStencil.h"

KVToolServices& KVToolServices::instance() {
    static KVToolServices services;
    return services;
}

MStatus KVToolServices::selectRecordById(const MString& idText) {
    return KVSculptRegistry::instance().selectRecordById(identifierFromText(idText));
}

RVMeshData* KVToolServices::currentRecord() {
    return KVSculptRegistry::instance().currentRecord();
}

std::vector<RVMeshData*> KVToolServices::inModelRecords() {
    std::vector<RVMeshData*> records;
    for (RVMeshData& record : KVSculptRegistry::instance().records())
        if (record.inModel()) records.push_back(&record);
    return records;
}

bool KVToolServices::manipulatorExists() {
    return RavelinManipNode::current() != nullptr;
}

MStatus KVToolServices::newManipulator(MObject& node) {
    MStatus status;
    auto* manipulator = static_cast<RavelinManipNode*>(
        MPxManipulatorNode::newManipulator(RavelinManipNode::typeName, node, &status));
    RavelinManipNode::setCurrent(manipulator);
    if (!manipulator) return MS::kFailure;
    manipulator->nodeObject = node;
    manipulator->bindRampHandles();
    return MS::kSuccess;
}

void KVToolServices::releaseManipulator() {
    if (RavelinManipNode* manipulator = RavelinManipNode::current())
        manipulator->nodeObject = MObject();
    RavelinManipNode::setCurrent(nullptr);
}

void KVToolServices::loadRamps() {
    loadRampsFromOptionVars();
}

float KVToolServices::evalFallOff(float position) {
    return ::evalFallOff(position);
}

MRampAttribute* KVToolServices::fallOffRamp() {
    RavelinManipNode* manipulator = RavelinManipNode::current();
    return manipulator ? &manipulator->fallOff : nullptr;
}

MStatus KVToolServices::updateStrokeMultipliers() {
    return ::updateStrokeMultipliers(KVPSCtxData::instance(), RavelinManipNode::current());
}

int KVToolServices::penPointerType() {
    const RavelinManipNode* manipulator = RavelinManipNode::current();
    return manipulator ? manipulator->pointerType : 0;
}

void KVToolServices::clearTabletActive() {
    if (RavelinManipNode* manipulator = RavelinManipNode::current())
        manipulator->tabletActive = false;
}

void KVToolServices::loadStencilSettings() {
    KVStencil::instance().loadSettings();
}

void KVToolServices::prepareStencil() {
    KVStencil::instance().prepareForSetup();
}

MDagPath KVToolServices::stencilPlane() {
    return KVStencil::instance().planePath();
}

// Asked once before a dab (or a grab's gather) samples its vertices: the plane and the
// view are taken then, for all of that dab's samples.
bool KVToolServices::stencilActive() {
    KVStencil& stencil = KVStencil::instance();
    const bool active = stencil.useStencil && stencil.isReady();
    if (active) stencil.beginSampling();
    return active;
}

double KVToolServices::stencilSample(const MPoint& world) {
    return KVStencil::instance().stencilFactor(world);
}
