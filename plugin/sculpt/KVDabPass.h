#pragma once
// The vertex pass of one dab: every vertex within the radius of a brush instance gathers
// the mode's displacement (or has its mask painted), then moves by the sum times the
// overlap factor. Two ways to run it with the same per-vertex code: over every vertex (the
// reference loop), or over the vertices of the grid cells under the brush balls. A vertex
// reads only dab-start positions, so the order of visits changes nothing.
#include "sculpt/KVPSCtxData.h"

#include <maya/MPoint.h>
#include <maya/MVector.h>

#include <cstdint>

class MRampAttribute;
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
        MVector vector;
        MVector dragDirection;
        MVector centreNormal;
        // What the instance shows once the pass is over (see displayOwner_).
        MVector display;
    };
    // The settings every pair reads, copied once: the pass's own copy cannot change under
    // its writes, so they stay in registers.
    struct Brush {
        explicit Brush(const KVPSCtxData& state);
        int mode;
        int vectorType;
        double value;
        bool control;
        bool accumulate;
        bool useMask;
        double maskScale, smearScale, smoothScale, bulgeScale, flatScale, pinchScale;
    };
    // What the instances gave one vertex.
    struct Gathered {
        MVector delta;
        int count = 0;
        bool touched = false;
    };

    // The contributions to vertex v, whose dab-start point is p, of those of the given
    // instances (a bit each, in instance order) that reach it.
    Gathered processVertex(int v, const MPoint& p, std::uint32_t instances);
    // One instance's contribution; whether the pair counts as a touch of the stroke (a zero
    // mask weight leaves it out).
    void addPair(int v, int j, const MPoint& p, double distance, Gathered& gathered);
    void paintMask(int v, double falloff);
    MVector smoothPull(int v, const MPoint& p) const;
    double brushStrength(double falloff) const;
    float fallOff(float ratio);
    void showVector(int j, int v, const MVector& vector);
    // The instances' display vectors into the state, once a pass, not once a pair.
    void publishDisplayVectors();

    RVMeshData& record_;
    KVPSCtxData& state_;
    KVSculptServices& services_;
    const Brush brush_;
    const double overlap_;
    const double radius_;
    const double outsideSquared_;
    const int count_;
    const bool stencilActive_;
    MRampAttribute* const fallOffRamp_;
    Instance instances_[kMaxBrushInstances];
    // The instance centres as the grid's query takes them.
    double centres_[3 * kMaxBrushInstances];
    // The highest vertex that set each instance's display vector in this dab: the reference
    // loop's last writer wins, whatever the order of visits.
    int displayOwner_[kMaxBrushInstances];
};
