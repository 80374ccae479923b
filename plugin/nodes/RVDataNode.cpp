#include "nodes/RVDataNode.h"

#include <maya/MRampAttribute.h>

const MTypeId RVDataNode::id(0x0011CE43);
const char* const RVDataNode::typeName = "RVSculptData";
MObject RVDataNode::valueEnvelope;
MObject RVDataNode::radiusEnvelope;
MObject RVDataNode::fallOffRamp;

void* RVDataNode::creator() {
    return new RVDataNode();
}

MStatus RVDataNode::initialize() {
    valueEnvelope = MRampAttribute::createCurveRamp("valueEnvelope", "ve");
    radiusEnvelope = MRampAttribute::createCurveRamp("radiusEnvelope", "re");
    fallOffRamp = MRampAttribute::createCurveRamp("fallOffRamp", "fo");
    addAttribute(valueEnvelope);
    addAttribute(radiusEnvelope);
    addAttribute(fallOffRamp);
    return MS::kSuccess;
}

RVDataNode::~RVDataNode() = default;

MStatus RVDataNode::compute(const MPlug&, MDataBlock&) {
    return MS::kSuccess;
}
