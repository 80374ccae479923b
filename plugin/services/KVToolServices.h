#pragma once
// The stroke code's services as the loaded tool provides them: the mesh registry, the
// current manipulator's ramps and the envelope update. Installed by the plug-in at load.
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
};
