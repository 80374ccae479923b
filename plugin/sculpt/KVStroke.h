#pragma once
// Stroke application: cursor samples into moved vertices for every mode but Grab. The
// press runs beginStroke, every drag applyDab; the manipulator's hover runs
// computeFootprint. All of it works on the cached arrays of the sculpt mesh records.
#include "sculpt/KVPSCtxData.h"

#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MStatus.h>
#include <maya/MVector.h>
#include <maya/MVectorArray.h>

class RVMeshData;
class KVSculptServices;

// One mouse or pen sample: port position and modifiers.
struct KVCursorSample {
    short x = 0;
    short y = 0;
    bool control = false;
    bool shift = false;
};

class KVStroke {
public:
    KVStroke(KVPSCtxData& state, KVSculptServices& services);
    // The process-wide sculpt state with the installed services.
    static KVStroke standard();

    // Resets the stroke state, snapshots every in-model record and applies the first dab.
    MStatus beginStroke(const KVCursorSample& sample);
    MStatus applyDab(const KVCursorSample& sample);
    // The hover: brush instances at an object-space hit on face `face`, seen along the
    // object-space view direction viewObject; moves no vertex.
    MStatus computeFootprint(RVMeshData& record, const MPoint& hitObject, int face,
                             const MVector& viewObject);
    // The record whose mesh is under the cursor (made current in the registry), or null.
    RVMeshData* recordUnderCursor(short x, short y, MStatus* hostStatus = nullptr);

    // The brush centre and vector with their mirror images for a ReflectionCode, in
    // object space (space 0, through objectToWorld) or world space (anything else).
    static void mirrorBrushInstances(const MPoint& centre, const MVector& vector, int code,
                                     int space, const MMatrix& objectToWorld, MPointArray& centres,
                                     MVectorArray& vectors);
    // The strength factor of mirrored instances that overlap; 1 for a lone brush.
    static double overlapFactor(const MPointArray& centres, int count, double radius);

    // The mesh under the cursor sample of the state, in object space; false on a miss.
    bool castCursorRay(RVMeshData& record, MPoint& hitObject, int& face, MVector& rayObject);
    // World normal of a face.
    MVector faceNormal(RVMeshData& record, int face) const;
    // Instance j's centre (and, for surface-following vector types, its vector) projected
    // onto the mesh along its vector.
    void projectInstance(RVMeshData& record, int j);
    // The vector onto instance j's centre-normal stack; the stack's mean updated.
    void pushCentreNormal(const MVector& vector, int j);

private:
    void chooseBrushVector(RVMeshData& record, const MVector& rayObject);
    void mirrorAndUpdate(RVMeshData& record, const MPoint& centre);
    void advanceProgress(double distance);
    void applyVertexPass(RVMeshData& record);

    KVPSCtxData& state_;
    KVSculptServices& services_;
};
