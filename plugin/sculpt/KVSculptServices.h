#pragma once
// What the stroke code asks of the tool's services: the mesh registry, the current
// manipulator's ramps and the pen/envelope update, and the stencil. The
// services install one implementation at load (install); until then, and in tests that
// install nothing, the stand-in below answers: no records, no manipulator, a flat falloff
// of 1, no stencil.
#include <maya/MPoint.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <vector>

class MRampAttribute;
class RVMeshData;

class KVSculptServices {
public:
    virtual ~KVSculptServices() = default;

    // ---- registry
    // Makes the record with this identifier text current (not-found when none has it).
    virtual MStatus selectRecordById(const MString& idText);
    // The current record (rebuilt first when stale), or null.
    virtual RVMeshData* currentRecord();
    // Every registered record whose mesh is in the model, in registry order.
    virtual std::vector<RVMeshData*> inModelRecords();

    // ---- manipulator, ramps, pen
    virtual bool manipulatorExists();
    // The falloff ramp at a distance ratio in [0, 1].
    virtual float evalFallOff(float position);
    // The host's falloff ramp attribute that evalFallOff reads, when there is one, so that
    // a dab asks the host directly for every vertex it reaches; null: ask evalFallOff.
    virtual MRampAttribute* fallOffRamp();
    // Working value, radius, spacing and mask scale for the next dab (envelopes, pen).
    virtual MStatus updateStrokeMultipliers();

    // ---- stencil
    virtual bool stencilActive();
    virtual double stencilSample(const MPoint& world);

    // The implementation in use (never null).
    static KVSculptServices& current();
    // Replaces it; null brings the stand-in back. The caller keeps ownership.
    static void install(KVSculptServices* services);
};
