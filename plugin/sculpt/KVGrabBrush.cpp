#include "sculpt/KVGrabBrush.h"

#include "sculpt/KVDabPass.h"
#include "sculpt/KVSculptServices.h"
#include "sculpt/KVStroke.h"
#include "sculpt/RVMeshData.h"

#include <maya/M3dView.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MVectorArray.h>

#include <algorithm>
#include <cmath>

namespace {
const double kPi = 3.14159265358979323846;

bool finite(const MPoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}
bool finite(const MVector& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// The dial works in 16-bit port arithmetic: a value wraps as a short would.
short wrap16(int value) {
    const int low = value & 0xFFFF;
    return static_cast<short>(low >= 0x8000 ? low - 0x10000 : low);
}

KVPortPoint portPoint(int x, int y) {
    return KVPortPoint{wrap16(x), wrap16(y)};
}

// P lies in the box centre +- r (bounds included) and within r of the centre; e is the
// distance.
bool inReach(const MPoint& p, const MPoint& centre, double r, double& e) {
    if (!(p.x >= centre.x - r && p.x <= centre.x + r && p.y >= centre.y - r &&
          p.y <= centre.y + r && p.z >= centre.z - r && p.z <= centre.z + r))
        return false;
    const double dx = p.x - centre.x, dy = p.y - centre.y, dz = p.z - centre.z;
    e = std::sqrt(dx * dx + dy * dy + dz * dz);
    return e <= r;
}
} // namespace

KVGrabBrush::KVGrabBrush(KVPSCtxData& state, KVSculptServices& services)
    : state_(state), services_(services) {
    std::fill(std::begin(displayOwner_), std::end(displayOwner_), -1);
}

// ---- the dial

void KVGrabBrush::dialStart(short x, short y) {
    const KVPortPoint centre{x, y};
    const KVPortPoint rim = portPoint(x + state_.dialSize, y);
    state_.dialCentre = centre;
    state_.rotateDialPoints = {centre, rim, centre, rim};
    state_.dialWarmUp = 2;
    state_.dialAngle = 0.0;
}

double KVGrabBrush::dialAngle(short x, short y) {
    const KVPortPoint c = state_.dialCentre;
    const int dx = x - c.x, dy = y - c.y;
    // On the centre itself the cursor gives no direction: the dial stays as it was.
    if (dx == 0 && dy == 0) return state_.dialAngle;
    double a = std::atan(double(dy) / double(dx));
    if (dx < 0)
        a += kPi;
    else if (dy < 0)
        a += 2.0 * kPi;
    const double toRim = state_.dialSize / std::hypot(double(dx), double(dy));
    state_.rotateDialPoints[3] =
        portPoint(c.x + int(std::lround(dx * toRim)), c.y + int(std::lround(dy * toRim)));
    double angle = 0.0;
    if (state_.dialWarmUp >= 1) {
        --state_.dialWarmUp;
    } else if (state_.dialWarmUp == 0) {
        state_.dialBaseAngle = a;
        state_.dialWarmUp = -1;
    } else {
        angle = a - state_.dialBaseAngle;
    }
    state_.dialAngle = angle;
    return angle;
}

void KVGrabBrush::layOutScaleDial(short x, short y) {
    const KVPortPoint c = state_.dialCentre;
    const short w = wrap16(state_.dialSize - 2 * (c.x - x));
    const short h = wrap16(state_.dialSize - 2 * (c.y - y));
    state_.scaleDialPoints = {KVPortPoint{x, y}, portPoint(x, y - h), portPoint(x - w, y - h),
                              portPoint(x - w, y)};
}

MVector KVGrabBrush::dialStartScale(short x, short y) {
    state_.dialCentre = KVPortPoint{x, y};
    layOutScaleDial(x, y);
    return MVector(1.0, 1.0, 1.0);
}

MVector KVGrabBrush::dialScale(short x, short y) {
    const KVPortPoint c = state_.dialCentre;
    const double size = state_.dialSize;
    const double sx = wrap16(state_.dialSize - 2 * (c.x - x)) / size;
    const double sy = wrap16(state_.dialSize - 2 * (c.y - y)) / size;
    layOutScaleDial(x, y);
    return scaleForCode(state_.grabScaleCode, sx, sy);
}

MVector KVGrabBrush::scaleForCode(int code, double sx, double sy) {
    switch (code) {
    case 1:
        return MVector(sx, 1.0, 1.0);
    case 2:
        return MVector(1.0, sy, 1.0);
    case 3:
        return MVector(1.0, 1.0, (sx + sy) / 2.0);
    case 4:
        return MVector(sx, sy, 1.0);
    case 5:
        return MVector(sx, 1.0, sy);
    case 6:
        return MVector(1.0, sy, sx);
    case 7:
        return MVector(sx, sy, (sx + sy) / 2.0);
    default: // no axis on: a zero scale would collapse the gathered vertices onto the pivots
        return MVector(1.0, 1.0, 1.0);
    }
}

// ---- the gather

void KVGrabBrush::addSlot(RVMeshData& record, int v, int j, double e, const MPoint& point) {
    VertexStrokeRecord& vertex = record.vertexRecords.edit(v);
    record.lowestGrabbedVertex = std::min(record.lowestGrabbedVertex, v);
    if (!vertex.touched) record.markTouched(v);
    const double radius = state_.radius;
    const float ratio = static_cast<float>(e / radius);
    VertexSlot slot;
    slot.falloff =
        fallOffRamp_ ? rampValue(*fallOffRamp_, ratio, 0.0f) : services_.evalFallOff(ratio);
    slot.instance = j;
    slot.centre = record.instanceCentres[j];
    slot.vector = record.instanceVectors[j];
    slot.offset = MPoint(0.0, 0.0, 0.0, 1.0);
    slot.distance = e / radius;
    slot.dragDirection = dragDirections_[j];
    vertex.slots.push_back(slot);
    vertex.startPoint = point;
    vertex.stencilFactor = stencilActive_ ? services_.stencilSample(point) : 1.0;
}

void KVGrabBrush::gatherWholeMesh(RVMeshData& record, const MPointArray& points) {
    const int n = static_cast<int>(points.length());
    for (int j = 0; j < record.instanceCount; ++j) {
        const MPoint centre = record.instanceCentres[j];
        for (int v = 0; v < n; ++v) {
            double e = 0.0;
            if (inReach(points[v], centre, state_.radius, e)) addSlot(record, v, j, e, points[v]);
        }
    }
}

void KVGrabBrush::gatherIndexed(RVMeshData& record, const MPointArray& points) {
    double centres[3 * kMaxBrushInstances];
    for (int j = 0; j < record.instanceCount; ++j)
        for (int a = 0; a < 3; ++a)
            centres[3 * j + a] = record.instanceCentres[j][a];
    // Vertices in index order, each one's instances in instance order: the slots come out
    // as the instance-by-instance walk lays them.
    record.grid.forEachInBalls(
        centres, state_.radius, record.instanceCount, [&](int v, std::uint32_t balls) {
            for (int j = 0; j < record.instanceCount; ++j) {
                double e = 0.0;
                if ((balls >> j & 1u) &&
                    inReach(points[v], record.instanceCentres[j], state_.radius, e))
                    addSlot(record, v, j, e, points[v]);
            }
        });
}

bool KVGrabBrush::gather(RVMeshData& record) {
    KVStroke stroke(state_, services_);
    MPoint hitObject;
    int face = -1;
    MVector rayObject;
    if (!stroke.castCursorRay(record, hitObject, face, rayObject)) return false;
    record.hitPoint = hitObject * record.objectToWorld;
    record.brushVector = stroke.faceNormal(record, face);
    if (!state_.firstNormalTaken) {
        record.strokeNormal = record.brushVector;
        state_.firstNormalTaken = true;
    }
    KVStroke::mirrorBrushInstances(record.hitPoint, record.brushVector, state_.reflectCode,
                                   state_.reflectSpace, record.objectToWorld,
                                   record.instanceCentres, record.instanceVectors);
    record.instanceCount = static_cast<int>(record.instanceCentres.length());
    if (record.prevInstanceCentres.length() != record.instanceCentres.length())
        record.prevInstanceCentres = record.instanceCentres;
    record.instanceTransforms.assign(record.instanceCount, MTransformationMatrix());
    record.lowestGrabbedVertex = record.vertexCount;
    record.resetVertexRecords();
    for (int j = 0; j < record.instanceCount; ++j) {
        if (state_.projectReflection) stroke.projectInstance(record, j);
        stroke.pushCentreNormal(record.instanceVectors[j], j);
    }
    state_.grabVectors = record.instanceVectors;
    stencilActive_ = services_.stencilActive();
    fallOffRamp_ = services_.fallOffRamp();
    for (int j = 0; j < record.instanceCount; ++j)
        dragDirections_[j] = (record.instanceCentres[j] - record.prevInstanceCentres[j]).normal();
    if (KVDabPass::wholeMeshWalk() || !record.dabIndexInSync)
        gatherWholeMesh(record, record.worldPoints);
    else
        gatherIndexed(record, record.worldPoints);
    return true;
}

// ---- the motion

void KVGrabBrush::rotationMatrices(const RVMeshData& record, const MVector& ray) {
    for (int i = 0; i < record.instanceCount; ++i) {
        MVector axis;
        switch (state_.grabRotateAxis) {
        case 0:
            axis = MVector(1.0, 0.0, 0.0);
            break;
        case 1:
            axis = MVector(0.0, 1.0, 0.0);
            break;
        case 2:
            axis = MVector(0.0, 0.0, 1.0);
            break;
        case 3:
            axis = ray;
            break;
        default: // every slot of an instance holds the instance's brush vector of the gather
            axis = i < int(state_.grabVectors.length()) ? state_.grabVectors[i] : MVector();
            break;
        }
        const bool flip = state_.flipReflectedGrabRotation && (i % 2 == 1);
        const double angle = flip ? -state_.dialAngle : state_.dialAngle;
        MPoint pivot;
        MTransformationMatrix turn;
        matrixValid_[i] = pivotOf(i, pivot) && finite(axis) && std::isfinite(angle) &&
                          turn.setToRotationAxis(axis, angle) == MS::kSuccess &&
                          turn.setRotatePivot(pivot, MSpace::kWorld, false) == MS::kSuccess;
        matrices_[i] = turn.asMatrix();
    }
}

void KVGrabBrush::scaleMatrices(const RVMeshData& record, const MVector& scale) {
    const double factors[3] = {scale.x, scale.y, scale.z};
    for (int i = 0; i < record.instanceCount; ++i) {
        MPoint pivot;
        MTransformationMatrix stretch;
        matrixValid_[i] = pivotOf(i, pivot) && finite(scale) &&
                          stretch.setScale(factors, MSpace::kWorld) == MS::kSuccess &&
                          stretch.setScalePivot(pivot, MSpace::kWorld, false) == MS::kSuccess;
        matrices_[i] = stretch.asMatrix();
    }
}

bool KVGrabBrush::pivotOf(int i, MPoint& pivot) const {
    if (i >= static_cast<int>(state_.grabPivots.length())) return false;
    pivot = state_.grabPivots[i];
    return finite(pivot);
}

void KVGrabBrush::chooseMotion(RVMeshData& record, const KVCursorSample& sample,
                               const MPointArray& grabPoints, const MVector& ray) {
    if (!sample.control) {
        motion_ = 0;
        state_.rotating = state_.scaling = false;
        state_.showRotateDial = state_.showScaleDial = false;
        return;
    }
    const bool starting = sample.shift ? !state_.scaling : !state_.rotating;
    if (starting) {
        // The shape as it stands becomes the base the new motion works from.
        record.syncDabStart();
        state_.grabPivots = grabPoints;
    }
    if (!sample.shift) {
        motion_ = 1;
        state_.scaling = false;
        state_.showScaleDial = false;
        state_.showRotateDial = true;
        if (starting) {
            state_.rotating = true;
            dialStart(sample.x, sample.y);
        } else {
            dialAngle(sample.x, sample.y);
        }
        rotationMatrices(record, ray);
        return;
    }
    motion_ = 2;
    state_.rotating = false;
    state_.showRotateDial = false;
    state_.showScaleDial = true;
    MVector scale;
    if (starting) {
        state_.scaling = true;
        scale = dialStartScale(sample.x, sample.y);
    } else {
        scale = dialScale(sample.x, sample.y);
    }
    scaleMatrices(record, scale);
}

void KVGrabBrush::moveVertex(RVMeshData& record, int v, const MPointArray& grabPoints) {
    const VertexStrokeRecord& vertex = record.vertexRecords[v];
    const MPoint base = record.dabStartPoint(v);
    MVector delta;
    for (size_t k = 0; k < vertex.slots.size(); ++k) {
        const VertexSlot& slot = vertex.slots[k];
        const int i = slot.instance;
        const double f = slot.falloff;
        if (motion_ == 0) {
            if (i >= int(grabPoints.length())) continue;
            delta += (grabPoints[i] - (slot.centre + MVector(slot.offset))) * f;
            if (v > displayOwner_[k]) {
                displayOwner_[k] = v;
                displayDelta_[k] = delta;
            }
        } else if (matrixValid_[i]) {
            delta += (timesMatrix(base, matrices_[i]) - base) * f;
        }
    }
    double maskW = 1.0;
    if (state_.useMask && record.maskFlag[v]) maskW = record.maskWeight[v];
    const double stencilW = stencilActive_ ? vertex.stencilFactor : 1.0;
    record.keepDabStart(v);
    record.worldPoints[v] = base + delta * stencilW * maskW;
    record.points[v] = timesMatrix(record.worldPoints[v], record.worldToObject);
    record.strokeTouched[v] = true;
}

void KVGrabBrush::moveGathered(RVMeshData& record, const MPointArray& grabPoints) {
    if (KVDabPass::wholeMeshWalk() || !record.dabIndexInSync) {
        const int n = static_cast<int>(record.worldPoints.length());
        for (int v = 0; v < n; ++v)
            if (record.vertexRecords[v].touched) moveVertex(record, v, grabPoints);
        record.dabIndexInSync = false;
    } else {
        for (int v : record.touchedVertices)
            moveVertex(record, v, grabPoints);
        record.gridLagsTouched = true;
    }
    // Each slot shows the direction of the last vertex's sum, normalised once.
    for (int k = 0; k < kMaxBrushInstances; ++k)
        if (displayOwner_[k] >= 0) state_.instanceDisplayVectors[k] = displayDelta_[k].normal();
}

MStatus KVGrabBrush::applyGrab(const KVCursorSample& sample) {
    state_.cursorX = sample.x;
    state_.cursorY = sample.y;
    if (!services_.manipulatorExists() || !state_.meshesReady) return MS::kFailure;
    state_.controlHeld = sample.control;
    state_.shiftHeld = sample.shift;
    RVMeshData* record = services_.currentRecord();
    if (!record) return MS::kFailure;
    if (!state_.grabGathered) {
        record->writeBackPoints();
        state_.strokeFinished = false;
        state_.grabGathered = gather(*record);
        if (!state_.grabGathered) return MS::kSuccess;
    }
    // An indexed dab earlier in the stroke may have left the object points to be settled.
    record->settleObjectPoints();
    MPoint origin;
    MVector ray;
    // Without the cursor's ray there is nowhere to carry the gathered vertices.
    if (!M3dView::active3dView().viewToWorld(sample.x, sample.y, origin, ray))
        return MS::kFailure;
    if (!state_.grabDepthTaken) {
        state_.grabDepth = origin.distanceTo(record->instanceCentres[0]);
        state_.grabDepthTaken = true;
    }
    const MPoint grab = origin + ray * state_.grabDepth;
    if (!finite(grab) || !finite(ray)) return MS::kFailure;
    MPointArray grabPoints;
    MVectorArray unused;
    KVStroke::mirrorBrushInstances(grab, MVector(), state_.reflectCode, state_.reflectSpace,
                                   record->objectToWorld, grabPoints, unused);
    stencilActive_ = services_.stencilActive();
    chooseMotion(*record, sample, grabPoints, ray);
    moveGathered(*record, grabPoints);
    record->prevInstanceCentres = record->instanceCentres;
    state_.firstDabDone = true;
    if (state_.realtimeUpdate) record->writeGrabToMesh();
    state_.displayDirty = true;
    return MS::kSuccess;
}
