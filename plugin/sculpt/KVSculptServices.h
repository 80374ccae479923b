#pragma once
// Includes run one way: shell > services > {display, heightmap, commands, nodes} > sculpt.
// What the sculpt core asks of the tool above it, the only way it reaches upward: the
// current manipulator (its making, ramps and pen state), the pen/envelope update and the
// stencil; and the registry's records, so that the stroke code can be run on records of its
// own. The services install one implementation at load (install); until then, and in tests
// that install nothing, the stand-in below answers: no records, no manipulator, a flat
// falloff of 1, no stencil.
#include <maya/MDGContext.h>
#include <maya/MDagPath.h>
#include <maya/MObject.h>
#include <maya/MPoint.h>
#include <maya/MRampAttribute.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <vector>

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
    // A new brush cursor manipulator node, made current with its ramps bound; its object
    // goes to `node`. Failure (and no current manipulator) when the host made none.
    virtual MStatus newManipulator(MObject& node);
    // The current manipulator let go of when the tool is put away; the host deletes it.
    virtual void releaseManipulator();
    // Fills the current manipulator's ramps from their option strings.
    virtual void loadRamps();
    // The falloff ramp at a distance ratio in [0, 1].
    virtual float evalFallOff(float position);
    // The host's falloff ramp attribute that evalFallOff reads, when there is one, so that
    // a dab asks the host directly for every vertex it reaches; null: ask evalFallOff.
    virtual MRampAttribute* fallOffRamp();
    // Working value, radius, spacing and mask scale for the next dab (envelopes, pen).
    virtual MStatus updateStrokeMultipliers();
    // The current manipulator's pen pointer type (3 is the eraser end); 0 without one.
    virtual int penPointerType();
    // The pen counts as lifted once a stroke ends.
    virtual void clearTabletActive();

    // ---- stencil
    // Its settings read with the sculpt settings, and readied when the tool is set up.
    virtual void loadStencilSettings();
    virtual void prepareStencil();
    // The stencil's plane (invalid when there is none): scenery, never registered.
    virtual MDagPath stencilPlane();
    virtual bool stencilActive();
    virtual double stencilSample(const MPoint& world);

    // The implementation in use (never null).
    static KVSculptServices& current();
    // Replaces it; null brings the stand-in back. The caller keeps ownership.
    static void install(KVSculptServices* services);
};

// The ramp's value at the position, or the fallback when the host cannot evaluate it. Inline:
// a dab looks the fall-off up for every vertex it reaches.
inline float rampValue(MRampAttribute& ramp, float position, float fallback) {
    float value = fallback;
    ramp.getValueAtPosition(position, value, nullptr, MDGContext::fsNormal);
    return value;
}
