#pragma once
// The tool's three ramps as the stroke uses them: loaded from their option strings onto the
// current manipulator, evaluated for the fall-off and the envelopes (a dab reads the fall-off
// ramp itself through rampValue), and the multiplier update that scales the working value and
// radius before every dab.
#include "display/RavelinManipNode.h"
#include "sculpt/KVSculptServices.h"

#include <maya/MStatus.h>

class KVPSCtxData;

// Fills the current manipulator's ramps from RVOption_valueEnvelope, RVOption_radiusEnvelope
// and RVOption_fallOffRamp. Failure when there is no manipulator.
MStatus loadRampsFromOptionVars();

// The current manipulator's ramps at a position. Without a manipulator (or a value)
// the fall-off gives 0 and the envelopes 1, which leave the brush unscaled.
inline float evalFallOff(float position) {
    RavelinManipNode* manipulator = RavelinManipNode::current();
    return manipulator ? rampValue(manipulator->fallOff, position, 0.0f) : 0.0f;
}
float evalValueEnvelope(float position);
float evalRadiusEnvelope(float position);

// Working value, radius, spacing and mask scale for the next dab, from their base copies,
// the envelopes (time or distance) and the stroke progress so far.
MStatus updateStrokeMultipliers(KVPSCtxData& data, RavelinManipNode* manipulator);
