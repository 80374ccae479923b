#pragma once
// Includes run one way: shell > services > {display, heightmap, commands, nodes} > sculpt.
// The sculpt core's services as the loaded tool provides them: the mesh registry, the
// current manipulator (its making, ramps and pen state), the envelope and pen update, and
// the stencil. Installed by the plug-in at load.
#include "sculpt/KVSculptServices.h"

class KVToolServices : public KVSculptServices {
public:
    static KVToolServices& instance();

    MStatus selectRecordById(const MString& idText) override;
    RVMeshData* currentRecord() override;
    std::vector<RVMeshData*> inModelRecords() override;
    bool manipulatorExists() override;
    MStatus newManipulator(MObject& node) override;
    void releaseManipulator() override;
    void loadRamps() override;
    float evalFallOff(float position) override;
    MRampAttribute* fallOffRamp() override;
    MStatus updateStrokeMultipliers() override;
    int penPointerType() override;
    void clearTabletActive() override;
    void loadStencilSettings() override;
    void prepareStencil() override;
    MDagPath stencilPlane() override;
    bool stencilActive() override;
    double stencilSample(const MPoint& world) override;
};
