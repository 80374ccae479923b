#include "sculpt/KVStroke.h"

#include "sculpt/KVDabPass.h"
#include "sculpt/KVGrabBrush.h"
#include "sculpt/KVSculptServices.h"
#include "sculpt/RVMeshData.h"

#include <maya/M3dView.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MGlobal.h>
#include <maya/MPlug.h>
#include <maya/MSelectionList.h>
#include <maya/MSelectionMask.h>

#include <algorithm>

namespace {
// Sign patterns of the mirror images of each ReflectionCode, in instance order.
struct Signs {
    double x, y, z;
};
const std::vector<Signs>& mirrorSigns(int code) {
    static const std::vector<Signs> table[8] = {
        {},
        {{-1, 1, 1}},
        {{1, -1, 1}},
        {{1, 1, -1}},
        {{-1, 1, 1}, {-1, -1, 1}, {1, -1, 1}},
        {{-1, 1, 1}, {-1, 1, -1}, {1, 1, -1}},
        {{1, -1, 1}, {1, -1, -1}, {1, 1, -1}},
        {{-1, 1, 1}, {-1, -1, 1}, {-1, -1, -1}, {1, -1, 1}, {1, 1, -1}, {1, -1, -1}, {-1, 1, -1}},
    };
    return table[code >= 0 && code < 8 ? code : 0];
}

// Vector types whose instance vector follows the surface a projection lands on.
bool followsSurface(int vectorType) {
    return vectorType == kFaceNormal || vectorType == kVertexNormal ||
           vectorType == kFaceVertexAverage || vectorType == kFalloffBlend ||
           vectorType == kCenterNormalStack;
}

MVector axis(int vectorType) {
    return MVector(vectorType == kObjectX, vectorType == kObjectY, vectorType == kObjectZ);
}

// Nearest hit of an object-space ray; false on a miss.
bool castRay(RVMeshData& record, const MPoint& source, const MVector& direction, float maxParam,
             bool bothDirections, MPoint& hitObject, int& face) {
    MFnMesh mesh(record.meshPath);
    MFloatPoint hit;
    float param = 0.0f, bary1 = 0.0f, bary2 = 0.0f;
    int triangle = 0;
    const bool found = mesh.closestIntersection(
        MFloatPoint(source), MFloatVector(direction), nullptr, nullptr, false, MSpace::kObject,
        maxParam, bothDirections, nullptr, hit, &param, &face, &triangle, &bary1, &bary2, 0.1f);
    if (found) hitObject = MPoint(hit);
    return found;
}
} // namespace

KVStroke::KVStroke(KVPSCtxData& state, KVSculptServices& services)
    : state_(state), services_(services) {}

KVStroke KVStroke::standard() {
    return KVStroke(KVPSCtxData::instance(), KVSculptServices::current());
}

void KVStroke::mirrorBrushInstances(const MPoint& centre, const MVector& vector, int code,
                                    int space, const MMatrix& objectToWorld, MPointArray& centres,
                                    MVectorArray& vectors) {
    const bool objectSpace = space == 0;
    const MMatrix toObject = objectToWorld.inverse();
    const MPoint c = objectSpace ? centre * toObject : centre;
    const MVector v = objectSpace ? vector * toObject : vector;
    centres.clear();
    vectors.clear();
    centres.append(c);
    vectors.append(v);
    for (const Signs& s : mirrorSigns(code)) {
        centres.append(MPoint(c.x * s.x, c.y * s.y, c.z * s.z, c.w));
        vectors.append(MVector(v.x * s.x, v.y * s.y, v.z * s.z));
    }
    if (!objectSpace) return;
    for (unsigned int j = 0; j < centres.length(); ++j) {
        centres[j] = centres[j] * objectToWorld;
        vectors[j] = vectors[j] * objectToWorld;
    }
}

double KVStroke::overlapFactor(const MPointArray& centres, int count, double radius) {
    double factor = 1.0;
    if (!(radius > 0.0) || count <= 1) return factor;
    const double share = 1.0 / count;
    for (int j = 0; j + 1 < count; j += 2) {
        const double e = centres[j].distanceTo(centres[j + 1]);
        factor = std::min(factor, e / (2.0 * radius) * (1.0 - share) + share);
    }
    return std::clamp(factor, share, 1.0);
}

RVMeshData* KVStroke::recordUnderCursor(short x, short y, MStatus* hostStatus) {
    MGlobal::setObjectSelectionMask(MSelectionMask(MSelectionMask::SelectionType(12)));
    MStatus status =
        MGlobal::selectFromScreen(x, y, MGlobal::ListAdjustment(0), MGlobal::MSelectionMode(0));
    if (hostStatus) *hostStatus = status;
    MSelectionList selection;
    MGlobal::getActiveSelectionList(selection);
    MGlobal::clearSelectionList();
    MDagPath path;
    if (selection.length() == 0 || !selection.getDagPath(0, path)) return nullptr;
    path.extendToShape();
    MFnDependencyNode node(path.node());
    if (!node.hasAttribute("RavelinSculptID")) return nullptr;
    const MString idText = node.findPlug("RavelinSculptID").asString();
    if (idText.length() > 1) services_.selectRecordById(idText);
    // A copy of a sculpted mesh carries the original's tag: only the tagged mesh's own
    // record counts, so that stroking the copy never sculpts the original.
    RVMeshData* record = services_.currentRecord();
    return record && record->meshPath == path ? record : nullptr;
}

bool KVStroke::castCursorRay(RVMeshData& record, MPoint& hitObject, int& face, MVector& rayObject) {
    MPoint origin;
    M3dView view = M3dView::active3dView();
    view.viewToObjectSpace(state_.cursorX, state_.cursorY, record.worldToObject, origin, rayObject);
    return castRay(record, origin, rayObject, 999999.0f, false, hitObject, face);
}

MVector KVStroke::faceNormal(RVMeshData& record, int face) const {
    MVector normal;
    MFnMesh(record.meshPath).getPolygonNormal(face, normal, MSpace::kObject);
    return normal * record.objectToWorld;
}

void KVStroke::chooseBrushVector(RVMeshData& record, const MVector& rayObject) {
    switch (state_.vectorType) {
    case kObjectX:
    case kObjectY:
    case kObjectZ:
        record.brushVector = axis(state_.vectorType) * record.objectToWorld;
        break;
    case kStrokeNormal:
        record.brushVector = record.strokeNormal;
        break;
    case kViewRay:
        record.brushVector = -rayObject;
        break;
    case kDragDirection:
        // The unmirrored centre's motion up to the previous dab.
        record.brushVector = state_.instanceDragDirections[0].normal() * state_.smearScale;
        break;
    default:
        break;
    }
}

void KVStroke::projectInstance(RVMeshData& record, int j) {
    MPoint hit;
    int face = -1;
    const MPoint source = record.instanceCentres[j] * record.worldToObject;
    const MVector direction = record.instanceVectors[j] * record.worldToObject;
    if (!castRay(record, source, direction, 9999.0f, true, hit, face)) return;
    if (followsSurface(state_.vectorType)) record.instanceVectors[j] = faceNormal(record, face);
    record.instanceCentres[j] = hit * record.objectToWorld;
}

void KVStroke::pushCentreNormal(const MVector& vector, int j) {
    MVectorArray& stack = state_.centreNormalStacks[j];
    stack.append(vector);
    while (static_cast<int>(stack.length()) > std::max(state_.centerNormalStackSize, 0))
        stack.remove(0);
    MVector sum;
    for (unsigned int k = 0; k < stack.length(); ++k)
        sum += stack[k];
    state_.centreNormals[j] = stack.length() ? sum / double(stack.length()) : MVector();
}

// Brush instances about the centre along brushVector, projected, with drag directions and
// centre-normal stacks brought up to date.
void KVStroke::mirrorAndUpdate(RVMeshData& record, const MPoint& centre) {
    mirrorBrushInstances(centre, record.brushVector, state_.reflectCode, state_.reflectSpace,
                         record.objectToWorld, record.instanceCentres, record.instanceVectors);
    record.instanceCount = static_cast<int>(record.instanceCentres.length());
    if (record.prevInstanceCentres.length() != record.instanceCentres.length())
        record.prevInstanceCentres = record.instanceCentres;
    for (int j = 0; j < record.instanceCount; ++j) {
        if (state_.projectReflection) projectInstance(record, j);
        state_.instanceDragDirections[j] =
            (record.instanceCentres[j] - record.prevInstanceCentres[j]).normal();
        pushCentreNormal(record.instanceVectors[j], j);
    }
}

void KVStroke::advanceProgress(double distance) {
    if (state_.distanceStarted) {
        state_.strokeDistanceA += distance;
        state_.strokeDistanceB += distance;
    } else {
        state_.strokeDistanceA = state_.strokeDistanceB = 0.0;
        state_.distanceStarted = true;
    }
}

void KVStroke::applyVertexPass(RVMeshData& record) {
    const int n = std::min(MFnMesh(record.meshPath).numVertices(),
                           static_cast<int>(record.worldPoints.length()));
    const double overlap =
        overlapFactor(record.instanceCentres, record.instanceCount, state_.radius);
    KVDabPass(record, state_, services_, overlap).run(n);
}

MStatus KVStroke::applyDab(const KVCursorSample& sample) {
    if (!services_.manipulatorExists()) return MS::kFailure;
    state_.controlHeld = sample.control;
    MStatus hostStatus;
    RVMeshData* record = recordUnderCursor(sample.x, sample.y, &hostStatus);
    if (!hostStatus) return hostStatus;
    if (!record) return MS::kFailure;
    if (!state_.setUp) return MS::kNotFound;
    state_.cursorX = sample.x;
    state_.cursorY = sample.y;

    MPoint hitObject;
    int face = -1;
    MVector rayObject;
    if (!castCursorRay(*record, hitObject, face, rayObject)) return MS::kNotFound;
    const MPoint hit = hitObject * record->objectToWorld;
    const double distance = record->prevDabCentre.distanceTo(hit);
    if (distance < state_.spacing) return MS::kSuccess;
    record->hitPoint = hit;
    record->brushVector = faceNormal(*record, face);
    if (!state_.firstNormalTaken) {
        record->strokeNormal = record->brushVector;
        state_.firstNormalTaken = true;
    }
    advanceProgress(distance);
    record->meshNode = record->meshPath.node();
    state_.strokeTimer.endTimer();
    state_.strokeTime += state_.strokeTimer.elapsedTime();
    state_.strokeTimer.beginTimer();
    chooseBrushVector(*record, rayObject);
    mirrorAndUpdate(*record, record->hitPoint);
    if (record->prevInstanceVectors.length() != record->instanceVectors.length())
        record->prevInstanceVectors = record->instanceVectors;
    if (state_.mode != kNoDeform) applyVertexPass(*record);
    record->prevDabCentre = record->hitPoint;
    record->prevBrushVector = record->brushVector;
    record->prevInstanceCentres = record->instanceCentres;
    state_.firstDabDone = true;
    state_.meshModified = state_.displayDirty = true;
    if (state_.realtimeUpdate) record->writeDabToMesh();
    return MS::kSuccess;
}

MStatus KVStroke::beginStroke(const KVCursorSample& sample) {
    state_.controlHeld = sample.control;
    RVMeshData* record = recordUnderCursor(sample.x, sample.y);
    if (!record) return MS::kFailure;
    record->buildMeshRecord();
    state_.firstNormalTaken = state_.distanceStarted = state_.firstDabDone = false;
    state_.grabGathered = state_.grabDepthTaken = state_.rotating = state_.scaling = false;
    state_.showRotateDial = state_.showScaleDial = false;
    state_.strokeDistanceA = state_.strokeDistanceB = state_.strokeTime = 0.0;
    state_.strokeTimer.clear();
    state_.strokeTimer.beginTimer();
    record->prevInstanceVectors.clear();
    record->prevDabCentre = MPoint(0.0, 0.0, 0.0, 1.0);
    for (RVMeshData* each : services_.inModelRecords())
        each->snapshotForStroke();
    if (state_.mode == kGrab) {
        KVGrabBrush(state_, services_).applyGrab(sample);
    } else {
        services_.updateStrokeMultipliers();
        applyDab(sample);
    }
    return MS::kSuccess;
}

MStatus KVStroke::computeFootprint(RVMeshData& record, const MPoint& hitObject, int face,
                                   const MVector& viewObject) {
    const MPoint hit = hitObject * record.objectToWorld;
    if (record.prevDabCentre.distanceTo(hit) < state_.spacing) return MS::kSuccess;
    record.prevInstanceCentres = record.instanceCentres;
    record.prevDabCentre = hit;
    record.brushVector = faceNormal(record, face);
    if (!state_.firstNormalTaken) {
        record.strokeNormal = record.brushVector;
        state_.firstNormalTaken = true;
    }
    mirrorAndUpdate(record, hit);
    for (int j = 0; j < record.instanceCount; ++j) {
        MVector shown = record.instanceVectors[j];
        if (state_.vectorType == kCenterNormalStack)
            shown = state_.centreNormals[j];
        else if (state_.vectorType <= kObjectZ)
            shown = axis(state_.vectorType) * record.objectToWorld;
        else if (state_.vectorType == kViewRay)
            shown = -viewObject * record.objectToWorld;
        if (state_.vectorType != kDragDirection) state_.instanceDisplayVectors[j] = shown;
    }
    state_.meshModified = state_.displayDirty = true;
    return MS::kSuccess;
}
