#include "services/KVToolServices.h"

#include "display/RavelinManipNode.h"
#include "sculpt/KVPSCtxData.h"
#include "services/KVRamps.h"
#include "services/KVSculptRegistry.h"
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
