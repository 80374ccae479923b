#include "display/RavelinManipNode.h"

#include "sculpt/KVPSCtxData.h"
#include "sculpt/KVStroke.h"
#include "services/KVSculptRegistry.h"

#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnMesh.h>
#include <maya/MViewport2Renderer.h>

const MTypeId RavelinManipNode::id(0x0011CE42);
const char* const RavelinManipNode::typeName = "RavelinManipNode";
const MString RavelinManipNode::classification("drawdb/geometry/RavelinManipNode");
MObject RavelinManipNode::valueEnvelopeAttr;
MObject RavelinManipNode::radiusEnvelopeAttr;
MObject RavelinManipNode::fallOffRampAttr;

void* RavelinManipNode::creator() {
    return new RavelinManipNode();
}

MStatus RavelinManipNode::initialize() {
    valueEnvelopeAttr = MRampAttribute::createCurveRamp("valueEnvelope", "ve");
    radiusEnvelopeAttr = MRampAttribute::createCurveRamp("radiusEnvelope", "re");
    fallOffRampAttr = MRampAttribute::createCurveRamp("fallOffRamp", "fo");
    addAttribute(valueEnvelopeAttr);
    addAttribute(radiusEnvelopeAttr);
    addAttribute(fallOffRampAttr);
    return MS::kSuccess;
}

RavelinManipNode::~RavelinManipNode() {
    if (current_ == this) current_ = nullptr;
}

void RavelinManipNode::postConstructor() {
    penFilter.setTarget(this);
    registerForMouseMove();
}

MStatus RavelinManipNode::connectToDependNode(const MObject& dependNode) {
    MPxManipulatorNode::connectToDependNode(dependNode);
    return MS::kSuccess;
}

MStatus RavelinManipNode::bindRampHandles() {
    fallOff = MRampAttribute(nodeObject, fallOffRampAttr);
    radiusEnvelope = MRampAttribute(nodeObject, radiusEnvelopeAttr);
    valueEnvelope = MRampAttribute(nodeObject, valueEnvelopeAttr);
    return MS::kSuccess;
}

MStatus RavelinManipNode::doMove(M3dView&, bool& refresh) {
    refresh = true;
    KVPSCtxData& data = KVPSCtxData::instance();
    if (!data.setUp) return MS::kFailure;
    data.prevCursorX = data.cursorX;
    data.prevCursorY = data.cursorY;
    mousePosition(data.cursorX, data.cursorY);
    MStatus picked;
    MPoint hitPoint;
    int hitFace = -1;
    MVector viewObject;
    RVMeshData* record =
        pickMesh(KVSculptRegistry::instance(), picked, hitPoint, hitFace, viewObject);
    if (data.meshesReady && record) {
        // A realtime stroke redraws the mesh itself; the footprint would only lag behind it.
        if (data.strokeActive && data.realtimeUpdate) {
            data.displayDirty = false;
            refresh = false;
            return MS::kFailure;
        }
        data.showRotateDial = false;
        KVStroke::standard().computeFootprint(*record, hitPoint, hitFace, viewObject);
        data.displayDirty = true;
        if (!nodeObject.isNull()) MHWRender::MRenderer::setGeometryDrawDirty(nodeObject, true);
    }
    M3dView::active3dView().refresh(false, false);
    return MS::kSuccess;
}

RVMeshData* RavelinManipNode::pickMesh(KVSculptRegistry& registry, MStatus& status,
                                       MPoint& hitPoint, int& hitFace, MVector& viewObject) const {
    status = MS::kFailure;
    if (registry.empty()) return nullptr;
    MPoint source;
    MVector direction;
    mouseRay(source, direction);
    int nearest = -1;
    double nearestDistance = 0.0;
    for (int i = 0; i < registry.size(); ++i) {
        RVMeshData& record = registry.record(i);
        MStatus meshStatus;
        MFnMesh mesh(record.meshPath, &meshStatus);
        if (!MFnDagNode(record.meshPath).inModel() || !meshStatus) continue;
        const MFloatPoint raySource(source * record.worldToObject);
        const MFloatVector rayDirection(direction * record.worldToObject);
        MFloatPoint hit;
        int face = -1;
        if (!mesh.closestIntersection(raySource, rayDirection, nullptr, nullptr, false,
                                      MSpace::kObject, 99999.0f, false, nullptr, hit, nullptr,
                                      &face, nullptr, nullptr, nullptr, 1e-6f))
            continue;
        const double distance = (MPoint(hit) * record.objectToWorld).distanceTo(source);
        if (nearest < 0 || distance < nearestDistance) {
            nearest = i;
            nearestDistance = distance;
            hitPoint = MPoint(hit);
            hitFace = face;
            viewObject = MVector(rayDirection);
        }
    }
    if (nearest < 0) return nullptr;
    registry.selectRecordById(registry.record(nearest).identifier);
    status = MS::kSuccess;
    return &registry.record(nearest);
}
