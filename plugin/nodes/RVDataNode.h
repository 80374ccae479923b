#pragma once
// A plain node carrying three curve ramps named as the brush cursor's. It computes
// nothing; the sculpt tool reads its own ramps, so these are independent of the brush.
#include <maya/MDataBlock.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MPxNode.h>
#include <maya/MStatus.h>
#include <maya/MTypeId.h>

class RVDataNode : public MPxNode {
public:
    static const MTypeId id;
    static const char* const typeName; // "RVSculptData"
    static MObject valueEnvelope;
    static MObject radiusEnvelope;
    static MObject fallOffRamp;

    static void* creator();
    static MStatus initialize();

    ~RVDataNode() override;
    MStatus compute(const MPlug& plug, MDataBlock& dataBlock) override;
};
