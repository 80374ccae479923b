#include "services/KVRamps.h"

#include "display/RavelinManipNode.h"
#include "sculpt/KVPSCtxData.h"
#include "services/KVPenStage.h"
#include "services/KVRampString.h"

#include <maya/MGlobal.h>

namespace {
void loadRamp(const char* optionName, MString& kept, MRampAttribute& ramp) {
    bool exists = false;
    const MString text = MGlobal::optionVarStringValue(optionName, &exists);
    if (!exists) return;
    kept = text;
    rampFromString(ramp, text);
}

// Stroke progress as an envelope position in [0, 1]: seconds in time mode (1), else the
// distance travelled once the first dab is down. A span that is not positive is over at once.
float envelopePosition(const KVPSCtxData& data, int mode, double time, double span,
                       double distance) {
    double quotient = 0.0;
    if (mode == 1)
        quotient = time > 0.0 ? data.strokeTime / time : 1.0;
    else if (data.firstDabDone)
        quotient = span > 0.0 ? distance / span : 1.0;
    const float position = static_cast<float>(quotient);
    if (position > 1.0f) return 1.0f;
    if (position < 0.0f) return 0.0f;
    return position;
}
} // namespace

MStatus loadRampsFromOptionVars() {
    RavelinManipNode* manipulator = RavelinManipNode::current();
    if (!manipulator || manipulator->nodeObject.isNull()) return MS::kFailure;
    manipulator->bindRampHandles();
    KVPSCtxData& data = KVPSCtxData::instance();
    loadRamp("RVOption_valueEnvelope", data.valueEnvelopeString, manipulator->valueEnvelope);
    loadRamp("RVOption_radiusEnvelope", data.radiusEnvelopeString, manipulator->radiusEnvelope);
    loadRamp("RVOption_fallOffRamp", data.fallOffRampString, manipulator->fallOff);
    return MS::kSuccess;
}

float evalValueEnvelope(float position) {
    RavelinManipNode* manipulator = RavelinManipNode::current();
    return manipulator ? rampValue(manipulator->valueEnvelope, position, 1.0f) : 1.0f;
}

float evalRadiusEnvelope(float position) {
    RavelinManipNode* manipulator = RavelinManipNode::current();
    return manipulator ? rampValue(manipulator->radiusEnvelope, position, 1.0f) : 1.0f;
}

MStatus updateStrokeMultipliers(KVPSCtxData& data, RavelinManipNode* manipulator) {
    double value = data.baseValue;
    double radius = data.baseRadius;
    if (data.useValueEnvelope) {
        data.valueEnvelopePosition =
            envelopePosition(data, data.valueEnvelopeMode, data.valueEnvelopeTime,
                             data.valueEnvelopeDistance, data.strokeDistanceA);
        if (manipulator)
            value *= rampValue(manipulator->valueEnvelope, data.valueEnvelopePosition, 1.0f);
    }
    if (data.useRadiusEnvelope) {
        data.radiusEnvelopePosition =
            envelopePosition(data, data.radiusEnvelopeMode, data.radiusEnvelopeTime,
                             data.radiusEnvelopeDistance, data.strokeDistanceB);
        if (manipulator)
            radius *= rampValue(manipulator->radiusEnvelope, data.radiusEnvelopePosition, 1.0f);
    }
    double running[4] = {value, radius, data.baseSpacing, data.baseMaskScale};
    applyPenStage(data, manipulator, running);
    data.value = running[0];
    data.radius = running[1];
    data.spacing = running[2];
    data.maskScale = running[3];
    return MS::kSuccess;
}
