#include "display/RavelinManipNode.h"

#include "display/KVBrushFeedback.h"
#include "sculpt/KVPSCtxData.h"
#include "sculpt/KVStroke.h"
#include "services/KVSculptRegistry.h"

#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnMesh.h>
#include <maya/MGLFunctionTable.h>
#include <maya/MHardwareRenderer.h>
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

namespace {

// The dial in port pixels, over everything: an orthographic port projection, the depth
// buffer cleared, plain lines of width 2 (the width in use is put back after).
void drawDialLegacy(MGLFunctionTable& gl, const M3dView& view, const KVPSCtxData& data) {
    const std::vector<KVPortPoint> lines = KVBrushFeedback::dialLines(data);
    if (lines.empty()) return;
    gl.glDisable(MGL_DEPTH_TEST);
    gl.glMatrixMode(MGL_PROJECTION);
    gl.glPushMatrix();
    gl.glLoadIdentity();
    gl.glOrtho(0.0, view.portWidth(), 0.0, view.portHeight(), 0.0, 1.0);
    gl.glMatrixMode(MGL_MODELVIEW);
    gl.glPushMatrix();
    gl.glLoadIdentity();
    gl.glClear(MGL_DEPTH_BUFFER_BIT);
    gl.glDisable(MGL_LINE_SMOOTH);
    gl.glDisable(MGL_LINE_STIPPLE);
    MGLint width = 1;
    gl.glGetIntegerv(MGL_LINE_WIDTH, &width);
    gl.glLineWidth(2.0f);
    const MColor& c = data.grabRotateColor;
    gl.glColor4f(c.r, c.g, c.b, c.a);
    gl.glBegin(MGL_LINES);
    for (const KVPortPoint& p : lines)
        gl.glVertex2s(p.x, p.y);
    gl.glEnd();
    gl.glMatrixMode(MGL_PROJECTION);
    gl.glPopMatrix();
    gl.glMatrixMode(MGL_MODELVIEW);
    gl.glPopMatrix();
    gl.glLineWidth(static_cast<MGLfloat>(width));
    gl.glEnable(MGL_DEPTH_TEST);
    gl.glEnable(MGL_LINE_SMOOTH);
    gl.glEnable(MGL_LINE_STIPPLE);
}

void drawVectorsLegacy(MGLFunctionTable& gl, const KVBrushFeedback& feedback,
                       const KVPSCtxData& data) {
    const std::vector<MPoint> ends = feedback.vectorLines();
    if (ends.empty()) return;
    gl.glDisable(MGL_LINE_SMOOTH);
    gl.glDisable(MGL_LINE_STIPPLE);
    MGLint width = 1;
    gl.glGetIntegerv(MGL_LINE_WIDTH, &width);
    gl.glLineWidth(2.0f);
    const MColor c = KVBrushFeedback::vectorColour(data);
    gl.glColor3f(c.r, c.g, c.b);
    gl.glBegin(MGL_LINES);
    for (const MPoint& p : ends)
        gl.glVertex3d(p.x, p.y, p.z);
    gl.glEnd();
    gl.glLineWidth(static_cast<MGLfloat>(width));
    gl.glEnable(MGL_LINE_SMOOTH);
    gl.glEnable(MGL_LINE_STIPPLE);
}

} // namespace

void RavelinManipNode::draw(M3dView& view, const MDagPath&, M3dView::DisplayStyle,
                            M3dView::DisplayStatus) {
    const KVPSCtxData& data = KVPSCtxData::instance();
    RVMeshData* record = KVBrushFeedback::drawableRecord(data, KVSculptRegistry::instance());
    if (!record) return;
    KVBrushFeedback feedback(data, *record, fallOff);
    std::vector<KVFeedbackPoint> points;
    feedback.collectPoints(points);
    MGLFunctionTable& gl = *MHardwareRenderer::theRenderer()->glFunctionTable();
    view.beginGL();
    gl.glPointSize(data.vertexSize);
    gl.glBegin(MGL_POINTS);
    for (const KVFeedbackPoint& p : points) {
        gl.glColor3f(p.r, p.g, p.b);
        gl.glVertex3f(p.x, p.y, p.z);
    }
    gl.glEnd();
    drawDialLegacy(gl, view, data);
    drawVectorsLegacy(gl, feedback, data);
    view.endGL();
}
