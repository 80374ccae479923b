#pragma once
// The stroke code's services as the loaded tool provides them: the mesh registry, the
// current manipulator's ramps, the envelope and pen update, and the stencil. Installed by the plug-in at load.
#include "sculpt/KVSculptServices.h"

class KVToolServices : public KVSculptServices {
public:
    static KVToolServices& instance();

    MStatus selectRecordById(const MString& idText) override;
    RVMeshData* currentRecord() override;
    std::vector<RVMeshData*> inModelRecords() override;
    bool manipulatorExists() override;
    float evalFallOff(float position) override;
    MRampAttribute* fallOffRamp() override;
    MStatus updateStrokeMultipliers() override;
    bool stencilActive() override;
    double stencilSample(const MPoint& world) override;
};
