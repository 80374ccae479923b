#include "sculpt/KVDabPass.h"

#include "sculpt/KVBitOps.h"
#include "sculpt/KVSculptServices.h"
#include "sculpt/RVMeshData.h"

#include <maya/MPlane.h>

#include <cmath>

bool& KVDabPass::wholeMeshWalk() {
    static bool walk = false;
    return walk;
}

double KVDabPass::capStrokeAmount(double& amount, double strength, double cap) {
    const double a = amount;
    if (std::fabs(a + strength) >= cap) {
        const double room = cap - std::fabs(a);
        if (strength < 0) {
            amount = a - room;
            return -room;
        }
        amount = a + room;
        return room;
    }
    amount = a + strength;
    return strength;
}

KVDabPass::Brush::Brush(const KVPSCtxData& state)
    : mode(state.mode), vectorType(state.vectorType), value(state.value),
      control(state.controlHeld), accumulate(state.useAccumulation), useMask(state.useMask),
      maskScale(state.maskScale), smearScale(state.smearScale), smoothScale(state.smoothScale),
      bulgeScale(state.bulgeScale), flatScale(state.flatScale), pinchScale(state.pinchScale) {}

KVDabPass::KVDabPass(RVMeshData& record, KVPSCtxData& state, KVSculptServices& services,
                     double overlapFactor)
    : record_(record), state_(state), services_(services), brush_(state), overlap_(overlapFactor),
      radius_(state.radius),
      // Beyond this squared distance the rounded root exceeds the radius for certain.
      outsideSquared_(state.radius * state.radius * (1.0 + 1e-9)), count_(record.instanceCount),
      stencilActive_(services.stencilActive()), fallOffRamp_(services.fallOffRamp()) {
    for (int j = 0; j < count_; ++j) {
        Instance& in = instances_[j];
        in.centre = record.instanceCentres[j];
        for (int a = 0; a < 3; ++a)
            centres_[3 * j + a] = in.centre[a];
        in.vector = record.instanceVectors[j];
        in.dragDirection = (in.centre - record.prevInstanceCentres[j]).normal();
        in.centreNormal = state.centreNormals[j];
        displayOwner_[j] = -1;
    }
}

void KVDabPass::run(int n) {
    if (wholeMeshWalk())
        runWholeMesh(n);
    else
        runIndexed(n);
    publishDisplayVectors();
}

void KVDabPass::publishDisplayVectors() {
    for (int j = 0; j < count_; ++j)
        if (displayOwner_[j] >= 0) state_.instanceDisplayVectors[j] = instances_[j].display;
}

void KVDabPass::runWholeMesh(int n) {
    record_.syncDabStart();
    std::fill(record_.dabTouchCount.begin(), record_.dabTouchCount.end(), 0);
    record_.dabDelta.assign(record_.worldPoints.length(), MVector());
    for (int v = 0; v < n; ++v) {
        const MPoint start = record_.worldPoints[v]; // not moved yet in this dab
        const Gathered gathered = processVertex(v, start, (1u << count_) - 1);
        record_.dabTouchCount[v] = gathered.count;
        record_.dabDelta[v] = gathered.delta;
        record_.keepDabStart(v);
        record_.worldPoints[v] += record_.dabDelta[v] * overlap_;
        record_.points[v] = timesMatrix(record_.worldPoints[v], record_.worldToObject);
    }
    record_.dabIndexInSync = false;
    record_.objectPointsSetWhole();
}

void KVDabPass::runIndexed(int n) {
    RVMeshData& r = record_;
    if (!r.dabIndexInSync) r.worldPointsChanged();
    r.catchUpGrid();
    for (int v : r.lastDabVertices)
        r.dabTouchCount[v] = 0;
    r.lastDabVertices.clear();
    // Only Smooth reads other vertices, so only Smooth needs the dab-start copy: the other
    // modes read each vertex's own point before they move it.
    const bool readsNeighbours = brush_.mode == kSmooth;
    // A grab later in the stroke takes the dab-start copy as its base shape, as the
    // whole-mesh loop leaves it.
    if (readsNeighbours || state_.grabGathered) r.syncDabStart();
    r.grid.forEachInBalls(centres_, radius_, count_, [&](int v, std::uint32_t nearInstances) {
        if (v >= n) return;
        const MPoint start = r.worldPoints[v]; // visited once, so not moved yet in this dab
        const Gathered gathered = processVertex(v, start, nearInstances);
        if (gathered.count == 0) return;
        // An unreached vertex moves by zero; settleObjectPoints does that, and the object
        // points of all, for every vertex.
        r.dabTouchCount[v] = gathered.count;
        r.lastDabVertices.push_back(v);
        r.keepDabStart(v);
        r.worldPoints[v] += gathered.delta * overlap_;
        r.grid.move(v, r.worldPoints);
    });
    r.markObjectPointsPending(r.lastDabVertices);
}

// The per-vertex and per-pair code is inlined into both walks: it runs some hundred
// thousand times a dab.
KV_FORCE_INLINE KVDabPass::Gathered
KVDabPass::processVertex(int v, const MPoint& p, std::uint32_t instances) {
    Gathered gathered;
    for (; instances != 0; instances &= instances - 1) {
        const int j = countTrailingZeros(instances);
        const MPoint& centre = instances_[j].centre;
        const double dx = p.x - centre.x, dy = p.y - centre.y, dz = p.z - centre.z;
        const double squared = dx * dx + dy * dy + dz * dz;
        // A point with a NaN coordinate lies within no radius.
        if (!(squared <= outsideSquared_)) continue;
        const double distance = std::sqrt(squared);
        if (!(distance <= radius_)) continue;
        addPair(v, j, p, distance, gathered);
    }
    // The two flags are cleared together, so the wide stroke record is written only at the
    // first touch of a stroke.
    if (gathered.touched && !record_.strokeTouched[v]) {
        record_.strokeTouched[v] = true;
        record_.markTouched(v);
    }
    return gathered;
}

inline double KVDabPass::brushStrength(double falloff) const {
    const double strength = brush_.value * falloff;
    return brush_.control ? -strength : strength;
}

inline float KVDabPass::fallOff(float ratio) {
    return fallOffRamp_ ? rampValue(*fallOffRamp_, ratio, 0.0f) : services_.evalFallOff(ratio);
}

inline void KVDabPass::showVector(int j, int v, const MVector& vector) {
    if (v < displayOwner_[j]) return;
    displayOwner_[j] = v;
    instances_[j].display = vector;
}

MVector KVDabPass::smoothPull(int v, const MPoint& p) const {
    const int* ring = record_.neighbours.begin(v);
    const int ringSize = record_.neighbours.count(v);
    double sx = p.x, sy = p.y, sz = p.z;
    for (int k = 0; k < ringSize; ++k) {
        const MPoint& q = record_.dabStartPoint(ring[k]);
        sx += q.x;
        sy += q.y;
        sz += q.z;
    }
    const double count = ringSize + 1.0;
    return MVector(sx / count - p.x, sy / count - p.y, sz / count - p.z);
}

void KVDabPass::paintMask(int v, double falloff) {
    double& weight = record_.maskWeight[v];
    if (brush_.control) {
        if (!record_.maskFlag[v]) return;
        weight += falloff * brush_.maskScale;
        if (weight >= 1.0) {
            weight = 1.0;
            record_.maskFlag[v] = false;
        }
        return;
    }
    weight = weight > 0.0 ? std::max(weight - falloff * brush_.maskScale, 0.0) : 0.0;
    record_.maskFlag[v] = true;
}

KV_FORCE_INLINE void KVDabPass::addPair(int v, int j, const MPoint& p,
                                                      double distance, Gathered& gathered) {
    const Instance& in = instances_[j];
    gathered.count += 1;
    const double ratio = distance / radius_;
    const double stencil = stencilActive_ ? services_.stencilSample(p) : 1.0;
    const MVector& normal = record_.worldVertexNormals[v];
    const double falloff = fallOff(static_cast<float>(ratio));
    double strength = brushStrength(falloff);
    if (!brush_.accumulate)
        strength = capStrokeAmount(record_.strokeAmount[v], strength, brush_.value);
    double maskW = 1.0;
    if (brush_.useMask && brush_.mode != kMask && record_.maskFlag[v]) {
        maskW = record_.maskWeight[v];
        if (maskW <= 0.0) return;
        strength *= maskW;
    }
    gathered.touched = true;
    MVector vec = in.vector;
    showVector(j, v, vec);
    switch (brush_.vectorType) {
    case kDragDirection:
        showVector(j, v, in.dragDirection);
        break;
    case kVertexNormal:
        vec = normal;
        break;
    case kFaceVertexAverage:
        vec = (vec + normal) / 2.0;
        showVector(j, v, vec);
        break;
    case kFalloffBlend:
        vec = (vec * falloff + normal * (1.0 - falloff)).normal();
        showVector(j, v, vec);
        break;
    case kCenterNormalStack:
        vec = in.centreNormal;
        showVector(j, v, vec);
        break;
    default:
        break;
    }
    MVector& delta = gathered.delta;
    switch (brush_.mode) {
    case kDisplace:
        delta += vec * strength * stencil;
        break;
    case kSmear:
        delta += in.dragDirection * strength * stencil * brush_.smearScale;
        break;
    case kSmooth:
        delta += smoothPull(v, p) * falloff * maskW * brush_.smoothScale;
        break;
    case kBulge:
        delta += normal * strength * stencil * brush_.bulgeScale;
        break;
    case kFlatten: {
        const MVector planeNormal = vec * record_.objectToWorld;
        MPlane plane;
        plane.setPlane(planeNormal, 0.0);
        const double offset = plane.directedDistance(p) - plane.directedDistance(in.centre);
        delta +=
            planeNormal * (-offset * falloff * brushStrength(falloff) * brush_.flatScale * maskW);
        break;
    }
    case kPinch:
        delta += -(p - in.centre) * strength * brush_.pinchScale;
        break;
    case kMask:
        paintMask(v, falloff);
        break;
    default:
        break;
    }
}
