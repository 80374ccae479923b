#pragma once
// The vertex pass of one dab: every vertex within the radius of a brush instance gathers
// the mode's displacement (or has its mask painted), then moves by the sum times the
// overlap factor. Two ways to run it with the same per-vertex code: over every vertex (the
// reference loop), or over the vertices of the grid cells under the brush boxes. A vertex
// reads only dab-start positions, so the order of visits changes nothing.
#include "sculpt/KVPSCtxData.h"

#include <maya/MPoint.h>
#include <maya/MVector.h>

class RVMeshData;
class KVSculptServices;

class KVDabPass {
public:
    KVDabPass(RVMeshData& record, KVPSCtxData& state, KVSculptServices& services,
              double overlapFactor);

    // Runs the pass over vertices [0, n) the configured way.
    void run(int n);

    // Test-only switch: true makes every dab walk the whole mesh.
    static bool& wholeMeshWalk();

    // The per-stroke cap of one vertex's brush amount (accumulation off).
    static double capStrokeAmount(double& amount, double strength, double cap);

private:
    void runWholeMesh(int n);
    void runIndexed(int n);

    struct Instance {
        MPoint centre;
        double lo[3];
        double hi[3];
        MVector vector;
        MVector dragDirection;
        MVector centreNormal;
        // What the instance shows once the pass is over (see displayOwner_).
        MVector display;
    };

    // The instances' contributions to vertex v, gathered into its dab buffers; whether
    // any instance reached it.
    bool processVertex(int v);
    // World point v by its gathered displacement times the overlap factor.
    void moveWorldPoint(int v);
    // Whether the pair counts as a touch of the stroke (a zero mask weight leaves it out).
    bool addPair(int v, int j, const MPoint& p, double distance);
    void paintMask(int v, double falloff);
    MVector smoothPull(int v, const MPoint& p) const;
    double brushStrength(double falloff) const;
    void showVector(int j, int v, const MVector& vector);
    // The instances' display vectors into the state, once a pass, not once a pair.
    void publishDisplayVectors();
    void syncIndex();

    RVMeshData& record_;
    KVPSCtxData& state_;
    KVSculptServices& services_;
    const double overlap_;
    const double radius_;
    const double outsideSquared_;
    const int count_;
    const bool stencilActive_;
    Instance instances_[kMaxBrushInstances];
    double boxLo_[3 * kMaxBrushInstances];
    double boxHi_[3 * kMaxBrushInstances];
    // The highest vertex that set each instance's display vector in this dab: the reference
    // loop's last writer wins, whatever the order of visits.
    int displayOwner_[kMaxBrushInstances];
};
