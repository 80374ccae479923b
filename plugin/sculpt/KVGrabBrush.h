#pragma once
// The grab brush: on the first sample that finds the surface it gathers every vertex within
// the radius of each brush instance, with its falloff; later samples move the gathered
// vertices with the cursor. Control turns the motion into a rotation about the grab point,
// Control with Shift into a scaling, both steered by a screen dial around the cursor
// position where the modifier was pressed.
#include "sculpt/KVPSCtxData.h"

#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MStatus.h>
#include <maya/MVector.h>

class RVMeshData;
class KVSculptServices;
struct KVCursorSample;

class KVGrabBrush {
public:
    KVGrabBrush(KVPSCtxData& state, KVSculptServices& services);

    // One cursor sample of a grab stroke: the gather until it succeeds, then the motion.
    // Failure without a manipulator, a usable mesh or a current record.
    MStatus applyGrab(const KVCursorSample& sample);

    // The rotation dial: started at the cursor (angle 0), then the angle of a later cursor
    // about the dial centre, counted from where the cursor was on the third sample after
    // the start. Both lay out the dial's handle points.
    void dialStart(short x, short y);
    double dialAngle(short x, short y);
    // The scale dial: started at the cursor, then the scale of a later cursor position for
    // the grab-scale ReflectionCode. Both lay out the dial's handle points.
    MVector dialStartScale(short x, short y);
    MVector dialScale(short x, short y);
    // The scale factors that a code (the axes on) takes from the dial's sx and sy; with no
    // axis on nothing scales.
    static MVector scaleForCode(int code, double sx, double sy);

private:
    // The hit under the cursor and the vertices every instance reaches; false on a miss.
    bool gather(RVMeshData& record);
    void gatherWholeMesh(RVMeshData& record, const MPointArray& points);
    void gatherIndexed(RVMeshData& record, const MPointArray& points);
    // Vertex v at distance e from instance j's centre joins the instance.
    void addSlot(RVMeshData& record, int v, int j, double e, const MPoint& point);
    // Picks the motion for the sample; the instance matrices for a rotation or a scaling.
    void chooseMotion(RVMeshData& record, const KVCursorSample& sample,
                      const MPointArray& grabPoints, const MVector& ray);
    // A vertex from its base shape by the motion of every slot it holds.
    void moveVertex(RVMeshData& record, int v, const MPointArray& grabPoints);
    void moveGathered(RVMeshData& record, const MPointArray& grabPoints);
    void rotationMatrices(const RVMeshData& record, const MVector& ray);
    void scaleMatrices(const RVMeshData& record, const MVector& scale);
    void layOutScaleDial(short x, short y);

    KVPSCtxData& state_;
    KVSculptServices& services_;
    // The motion of this sample: 0 translation, 1 rotation, 2 scaling.
    int motion_ = 0;
    // Per instance, the rotation or scaling about its pivot, and whether the host took it.
    MMatrix matrices_[kMaxBrushInstances];
    bool matrixValid_[kMaxBrushInstances] = {};
    bool stencilActive_ = false;
    // The highest vertex that set each slot's display vector in this sample, so that the
    // last vertex in index order wins however the vertices are visited.
    int displayOwner_[kMaxBrushInstances];
};
