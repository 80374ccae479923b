#include "sculpt/KVDabPass.h"

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

KVDabPass::KVDabPass(RVMeshData& record, KVPSCtxData& state, KVSculptServices& services,
                     double overlapFactor)
    : record_(record), state_(state), services_(services), overlap_(overlapFactor),
      radius_(state.radius),
      // Beyond this squared distance the rounded root exceeds the radius for certain.
      outsideSquared_(state.radius * state.radius * (1.0 + 1e-9)), count_(record.instanceCount),
      stencilActive_(services.stencilActive()) {
    for (int j = 0; j < count_; ++j) {
        Instance& in = instances_[j];
        in.centre = record.instanceCentres[j];
        for (int a = 0; a < 3; ++a) {
            in.lo[a] = boxLo_[3 * j + a] = in.centre[a] - radius_;
            in.hi[a] = boxHi_[3 * j + a] = in.centre[a] + radius_;
        }
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
    record_.dabStartWorldPoints = record_.worldPoints;
    std::fill(record_.dabTouchCount.begin(), record_.dabTouchCount.end(), 0);
    std::fill(record_.dabDelta.begin(), record_.dabDelta.end(), MVector());
    for (int v = 0; v < n; ++v) {
        processVertex(v);
        moveWorldPoint(v);
        record_.points[v] = timesMatrix(record_.worldPoints[v], record_.worldToObject);
    }
    record_.lastDabVertices.clear();
    record_.dabIndexInSync = false;
}

// Brings the dab-start copy, the grid and the buffers up to the points the last dab moved.
void KVDabPass::syncIndex() {
    if (!record_.dabIndexInSync) {
        record_.worldPointsChanged();
        return;
    }
    for (int v : record_.lastDabVertices) {
        MPoint& start = record_.dabStartWorldPoints[v];
        record_.grid.move(v, start, record_.worldPoints);
        start = record_.worldPoints[v];
        record_.dabTouchCount[v] = 0;
        record_.dabDelta[v] = MVector();
    }
    record_.lastDabVertices.clear();
}

void KVDabPass::runIndexed(int n) {
    syncIndex();
    std::vector<int>& moved = record_.lastDabVertices;
    record_.grid.forEachInBoxes(boxLo_, boxHi_, count_, [&](int v) {
        // An unreached vertex moves by zero; settleObjectPoints does that, and the object
        // points of all, for every vertex.
        if (v >= n || !processVertex(v)) return;
        moveWorldPoint(v);
        moved.push_back(v);
    });
    record_.markObjectPointsPending();
}

bool KVDabPass::processVertex(int v) {
    const MPoint& p = record_.dabStartWorldPoints[v];
    bool reached = false;
    bool touched = false;
    for (int j = 0; j < count_; ++j) {
        const Instance& in = instances_[j];
        if (p.x < in.lo[0] || p.x > in.hi[0] || p.y < in.lo[1] || p.y > in.hi[1] ||
            p.z < in.lo[2] || p.z > in.hi[2])
            continue;
        const double dx = p.x - in.centre.x, dy = p.y - in.centre.y, dz = p.z - in.centre.z;
        const double squared = dx * dx + dy * dy + dz * dz;
        if (squared > outsideSquared_) continue;
        const double distance = std::sqrt(squared);
        if (distance > radius_) continue;
        reached = true;
        touched |= addPair(v, j, p, distance);
    }
    // The two flags are cleared together, so the wide stroke record is written only at the
    // first touch of a stroke.
    if (touched && !record_.strokeTouched[v]) {
        record_.strokeTouched[v] = true;
        record_.vertexRecords[v].touched = true;
    }
    return reached;
}

void KVDabPass::moveWorldPoint(int v) {
    record_.worldPoints[v] += record_.dabDelta[v] * overlap_;
}

double KVDabPass::brushStrength(double falloff) const {
    const double strength = state_.value * falloff;
    return state_.controlHeld ? -strength : strength;
}

void KVDabPass::showVector(int j, int v, const MVector& vector) {
    if (v < displayOwner_[j]) return;
    displayOwner_[j] = v;
    instances_[j].display = vector;
}

MVector KVDabPass::smoothPull(int v, const MPoint& p) const {
    const MIntArray& ring = record_.neighbours[v];
    double sx = p.x, sy = p.y, sz = p.z;
    for (unsigned int k = 0; k < ring.length(); ++k) {
        const MPoint& q = record_.dabStartWorldPoints[ring[k]];
        sx += q.x;
        sy += q.y;
        sz += q.z;
    }
    const double count = ring.length() + 1.0;
    return MVector(sx / count - p.x, sy / count - p.y, sz / count - p.z);
}

void KVDabPass::paintMask(int v, double falloff) {
    double& weight = record_.maskWeight[v];
    if (state_.controlHeld) {
        if (!record_.maskFlag[v]) return;
        weight += falloff * state_.maskScale;
        if (weight >= 1.0) {
            weight = 1.0;
            record_.maskFlag[v] = false;
        }
        return;
    }
    weight = weight > 0.0 ? std::max(weight - falloff * state_.maskScale, 0.0) : 0.0;
    record_.maskFlag[v] = true;
}

bool KVDabPass::addPair(int v, int j, const MPoint& p, double distance) {
    const Instance& in = instances_[j];
    record_.dabTouchCount[v] += 1;
    const double ratio = distance / radius_;
    const double stencil = stencilActive_ ? services_.stencilSample(p) : 1.0;
    const MVector& normal = record_.worldVertexNormals[v];
    const double falloff = services_.evalFallOff(static_cast<float>(ratio));
    double strength = brushStrength(falloff);
    if (!state_.useAccumulation)
        strength = capStrokeAmount(record_.strokeAmount[v], strength, state_.value);
    double maskW = 1.0;
    if (record_.maskFlag[v] && state_.useMask && state_.mode != kMask) {
        maskW = record_.maskWeight[v];
        if (maskW <= 0.0) return false;
        strength *= maskW;
    }
    MVector vec = in.vector;
    showVector(j, v, vec);
    switch (state_.vectorType) {
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
    MVector& delta = record_.dabDelta[v];
    switch (state_.mode) {
    case kDisplace:
        delta += vec * strength * stencil;
        break;
    case kSmear:
        delta += in.dragDirection * strength * stencil * state_.smearScale;
        break;
    case kSmooth:
        delta += smoothPull(v, p) * falloff * maskW * state_.smoothScale;
        break;
    case kBulge:
        delta += normal * strength * stencil * state_.bulgeScale;
        break;
    case kFlatten: {
        const MVector planeNormal = vec * record_.objectToWorld;
        MPlane plane;
        plane.setPlane(planeNormal, 0.0);
        const double offset = plane.directedDistance(p) - plane.directedDistance(in.centre);
        delta +=
            planeNormal * (-offset * falloff * brushStrength(falloff) * state_.flatScale * maskW);
        break;
    }
    case kPinch:
        delta += -(p - in.centre) * strength * state_.pinchScale;
        break;
    case kMask:
        paintMask(v, falloff);
        break;
    default:
        break;
    }
    return true;
}
