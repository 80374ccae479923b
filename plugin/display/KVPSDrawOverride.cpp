#include "display/KVPSDrawOverride.h"

#include "display/KVBrushFeedback.h"
#include "display/RavelinManipNode.h"
#include "sculpt/KVPSCtxData.h"
#include "sculpt/KVSculptRegistry.h"

#include <maya/MMatrix.h>
#include <maya/MViewport2Renderer.h>

#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>

#include <vector>

const MString KVPSDrawOverride::registrantId("RavelinPlugin");

namespace {

bool rendersWithOpenGL() {
    MHWRender::MRenderer* renderer = MHWRender::MRenderer::theRenderer();
    return renderer && renderer->drawAPIIsOpenGL();
}

void drawPoints(const std::vector<KVFeedbackPoint>& points, const KVPSCtxData& data) {
    glPointSize(data.vertexSize);
    glBegin(GL_POINTS);
    const MColor& c = data.vertexColor;
    glColor4f(c.r, c.g, c.b, c.a);
    for (const KVFeedbackPoint& p : points) {
        glColor3f(p.r, p.g, p.b);
        glVertex3f(p.x, p.y, p.z);
    }
    glEnd();
}

// Over everything in port pixels; the line width and smoothing are left as they are.
void drawDial(const MHWRender::MDrawContext& context, const KVPSCtxData& data) {
    const std::vector<KVPortPoint> lines = KVBrushFeedback::dialLines(data);
    if (lines.empty()) return;
    int originX = 0, originY = 0, width = 0, height = 0;
    context.getViewportDimensions(originX, originY, width, height);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, 0.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glClear(GL_DEPTH_BUFFER_BIT);
    glBegin(GL_LINES);
    const MColor& c = data.grabRotateColor;
    glColor4f(c.r, c.g, c.b, c.a);
    for (const KVPortPoint& p : lines)
        glVertex2s(p.x, p.y);
    glEnd();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
}

void drawVectors(const KVBrushFeedback& feedback, const KVPSCtxData& data) {
    const std::vector<MPoint> ends = feedback.vectorLines();
    if (ends.empty()) return;
    GLint width = 1;
    glGetIntegerv(GL_LINE_WIDTH, &width);
    glLineWidth(2.0f);
    glBegin(GL_LINES);
    const MColor c = KVBrushFeedback::vectorColour(data);
    glColor3f(c.r, c.g, c.b);
    for (const MPoint& p : ends)
        glVertex3d(p.x, p.y, p.z);
    glEnd();
    glLineWidth(static_cast<GLfloat>(width));
}

} // namespace

KVPSDrawOverride::KVPSDrawOverride(const MObject& node) : MPxDrawOverride(node, draw) {}

MHWRender::MPxDrawOverride* KVPSDrawOverride::creator(const MObject& node) {
    return new KVPSDrawOverride(node);
}

MHWRender::DrawAPI KVPSDrawOverride::supportedDrawAPIs() const {
    return MHWRender::kOpenGL;
}

bool KVPSDrawOverride::hasUIDrawables() const {
    return false;
}

MBoundingBox KVPSDrawOverride::boundingBox(const MDagPath&, const MDagPath&) const {
    return MBoundingBox();
}

bool KVPSDrawOverride::isBounded(const MDagPath&, const MDagPath&) const {
    return false;
}

MHWRender::MUserData* KVPSDrawOverride::prepareForDraw(const MDagPath&, const MDagPath&,
                                                       const MHWRender::MFrameContext&,
                                                       MHWRender::MUserData* oldData) {
    return oldData;
}

void KVPSDrawOverride::draw(const MHWRender::MDrawContext& context, const MHWRender::MUserData*) {
    RavelinManipNode* manipulator = RavelinManipNode::current();
    const KVPSCtxData& data = KVPSCtxData::instance();
    if (!manipulator) return;
    RVMeshData* record = KVBrushFeedback::drawableRecord(data, KVSculptRegistry::instance());
    if (!record || !rendersWithOpenGL()) return;
    MStatus status;
    const MMatrix worldView = context.getMatrix(MHWRender::MFrameContext::kWorldViewMtx, &status);
    if (status == MS::kFailure) return;
    const MMatrix projection = context.getMatrix(MHWRender::MFrameContext::kProjectionMtx, &status);
    if (status == MS::kFailure) return;

    KVBrushFeedback feedback(data, *record, manipulator->fallOff);
    std::vector<KVFeedbackPoint> points;
    feedback.collectPoints(points);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixd(&worldView.matrix[0][0]);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadMatrixd(&projection.matrix[0][0]);
    drawPoints(points, data);
    drawDial(context, data);
    drawVectors(feedback, data);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}
