#include "view/ViewRenderer.h"

#include "view/GLApi.h"
#include "view/MeshDrawCache.h"
#include "view/OffscreenGL.h"
#include "view/PngFile.h"
#include "view/ToolFeedback.h"
#include "view/ViewPort.h"

#include <vector>

namespace rvhost {

namespace {

constexpr float kLitGrey = ViewRenderer::kMeshFacing / 255.0f;
constexpr int kGridHalfSize = 10; // lines every world unit from -10 to 10

// Depth of M3dView::beginGL nesting, and whether a whole render is under way.
int glDepth = 0;
bool rendering = false;

// The picture and depth of the scene before any tool drew over it, and what they were drawn
// with. A frame where none of that and no mesh changed (a hover) starts from them instead
// of drawing every triangle again.
struct SceneImage {
    bool valid = false;
    MMatrix view, projection;
    int width = 0, height = 0;
    M3dView::DisplayStyle style = M3dView::kGouraudShaded;
    bool grid = false;
    std::vector<unsigned char> colour;
    std::vector<GLuint> depth;

    bool shows(const ViewPort& v) const {
        return valid && width == v.width() && height == v.height() && style == v.displayStyle() &&
               grid == v.gridVisible() && view == v.viewMatrix() &&
               projection == v.projectionMatrix();
    }

    void keep(const GLApi& g, const ViewPort& v) {
        width = v.width();
        height = v.height();
        style = v.displayStyle();
        grid = v.gridVisible();
        view = v.viewMatrix();
        projection = v.projectionMatrix();
        colour.resize(size_t(width) * height * 4);
        depth.resize(size_t(width) * height);
        g.glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, colour.data());
        g.glReadPixels(0, 0, width, height, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, depth.data());
        valid = true;
    }

    // Depth first, writing depth alone, then the colours over it.
    void restore(const GLApi& g) const {
        g.glPushAttrib(GL_ALL_ATTRIB_BITS);
        g.glDisable(GL_LIGHTING);
        g.glWindowPos2i(0, 0);
        g.glEnable(GL_DEPTH_TEST);
        g.glDepthFunc(GL_ALWAYS);
        g.glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        g.glDrawPixels(width, height, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, depth.data());
        g.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        g.glDisable(GL_DEPTH_TEST);
        g.glDrawPixels(width, height, GL_RGBA, GL_UNSIGNED_BYTE, colour.data());
        g.glPopAttrib();
    }
};
SceneImage sceneImage;

float channel(unsigned char c) {
    return c / 255.0f;
}

void loadViewMatrices(const GLApi& g, const ViewPort& view) {
    const MMatrix projection = view.projectionMatrix();
    const MMatrix modelView = view.viewMatrix();
    g.glMatrixMode(GL_PROJECTION);
    g.glLoadMatrixd(&projection.matrix[0][0]);
    g.glMatrixMode(GL_MODELVIEW);
    g.glLoadMatrixd(&modelView.matrix[0][0]);
}

void clear(const GLApi& g, const ViewPort& view) {
    g.glViewport(0, 0, view.width(), view.height());
    const unsigned char* bg = ViewRenderer::kBackground;
    g.glClearColor(channel(bg[0]), channel(bg[1]), channel(bg[2]), 1.0f);
    g.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    g.glEnable(GL_DEPTH_TEST);
    g.glDepthFunc(GL_LEQUAL);
}

void drawGrid(const GLApi& g) {
    const unsigned char* c = ViewRenderer::kGrid;
    g.glColor3f(channel(c[0]), channel(c[1]), channel(c[2]));
    g.glBegin(GL_LINES);
    for (int i = -kGridHalfSize; i <= kGridHalfSize; ++i) {
        const float k = float(i), e = float(kGridHalfSize);
        g.glVertex3f(k, 0.0f, -e);
        g.glVertex3f(k, 0.0f, e);
        g.glVertex3f(-e, 0.0f, k);
        g.glVertex3f(e, 0.0f, k);
    }
    g.glEnd();
}

// A directional light at the eye, set while the model-view is the identity so it follows
// the camera. Ambient and diffuse add up to full colour on a facing surface.
void setHeadlight(const GLApi& g) {
    const GLfloat position[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    const GLfloat ambient[4] = {0.25f, 0.25f, 0.25f, 1.0f};
    const GLfloat diffuse[4] = {0.75f, 0.75f, 0.75f, 1.0f};
    const GLfloat none[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    g.glPushMatrix();
    g.glLoadIdentity();
    g.glLightfv(GL_LIGHT0, GL_POSITION, position);
    g.glPopMatrix();
    g.glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    g.glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    g.glLightfv(GL_LIGHT0, GL_SPECULAR, none);
    g.glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
    const GLfloat twoSided[1] = {1.0f};
    g.glLightModelfv(GL_LIGHT_MODEL_TWO_SIDE, twoSided);
    g.glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    g.glEnable(GL_COLOR_MATERIAL);
    g.glEnable(GL_LIGHT0);
    g.glEnable(GL_NORMALIZE);
}

// With `within`, only the triangles that can reach those pixels are drawn; with `standIns`,
// dense meshes are drawn reduced.
void drawMeshes(const GLApi& g, const ViewPort& view,
                const MeshDrawCache::PortRect* within = nullptr, bool standIns = false) {
    const bool flat = view.displayStyle() == M3dView::kFlatShaded;
    g.glPushAttrib(GL_ALL_ATTRIB_BITS);
    setHeadlight(g);
    g.glEnable(GL_LIGHTING);
    g.glShadeModel(flat ? GL_FLAT : GL_SMOOTH);
    // Pushed back a little so lines drawn on a surface (tool feedback) stay in front.
    g.glEnable(GL_POLYGON_OFFSET_FILL);
    g.glPolygonOffset(1.0f, 1.0f);
    g.glColor3f(kLitGrey, kLitGrey, kLitGrey);
    if (standIns)
        MeshDrawCache::instance().drawStandIns(g, view);
    else
        MeshDrawCache::instance().draw(g, &view, within);
    g.glPopAttrib();
}

// Draws the scene again inside `rect` only, over the kept one, and keeps the result.
void redrawWithin(const GLApi& g, const ViewPort& view, const MeshDrawCache::PortRect& rect) {
    g.glEnable(GL_SCISSOR_TEST);
    g.glScissor(rect.x0, rect.y0, rect.x1 - rect.x0 + 1, rect.y1 - rect.y0 + 1);
    g.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (view.gridVisible()) drawGrid(g);
    drawMeshes(g, view, &rect);
    g.glDisable(GL_SCISSOR_TEST);
    sceneImage.keep(g, view);
}

void saveState(const GLApi& g) {
    g.glPushAttrib(GL_ALL_ATTRIB_BITS);
    g.glMatrixMode(GL_PROJECTION);
    g.glPushMatrix();
    g.glMatrixMode(GL_MODELVIEW);
    g.glPushMatrix();
}

void restoreState(const GLApi& g) {
    g.glMatrixMode(GL_PROJECTION);
    g.glPopMatrix();
    g.glMatrixMode(GL_MODELVIEW);
    g.glPopMatrix();
    g.glPopAttrib();
}

} // namespace

bool ViewRenderer::render(ViewPort& view, std::string& error, Detail detail) {
    OffscreenGL& context = OffscreenGL::instance();
    if (!context.makeCurrent(view.width(), view.height(), error)) return false;
    const GLApi& g = gl();
    rendering = true;
    glDepth = 0;
    clear(g, view);
    loadViewMatrices(g, view);
    // Buffers kept between frames: a frame sends only what moved since the last one.
    const bool flat = view.displayStyle() == M3dView::kFlatShaded;
    MeshDrawCache& meshes = MeshDrawCache::instance();
    const bool meshesChanged = meshes.sync(g, flat);
    MeshDrawCache::PortRect changed;
    if (!meshesChanged && sceneImage.shows(view)) {
        sceneImage.restore(g);
    } else if (sceneImage.shows(view) && meshes.onlyPointsMoved() &&
               MeshDrawCache::portRect(view, meshes.changedBox(), 2, changed)) {
        // Points moved (a dab): the kept scene, drawn again where the change can show.
        sceneImage.restore(g);
        if (!changed.empty()) redrawWithin(g, view, changed);
    } else if (detail == Detail::kMoving) {
        if (view.gridVisible()) drawGrid(g);
        drawMeshes(g, view, nullptr, true);
        // Not a picture to build on: the frame at rest draws every triangle again.
        sceneImage.valid = false;
    } else {
        if (view.gridVisible()) drawGrid(g);
        drawMeshes(g, view);
        sceneImage.keep(g, view);
    }
    drawToolFeedback(view);
    // A plug-in that left beginGL open must not leave the state it saved behind.
    while (glDepth > 0)
        endGL();
    rendering = false;
    if (context.isCurrent()) g.glFinish();
    return true;
}

bool ViewRenderer::snapshot(ViewPort& view, const std::string& path, std::string& error) {
    if (!render(view, error)) return false;
    const OffscreenGL& context = OffscreenGL::instance();
    return writePngBottomUp(path, context.width(), context.height(), context.pixels(), error);
}

MStatus ViewRenderer::beginGL(ViewPort& view) {
    OffscreenGL& context = OffscreenGL::instance();
    if (!rendering) {
        std::string error;
        if (!context.makeCurrent(view.width(), view.height(), error)) return MS::kFailure;
        loadViewMatrices(gl(), view);
    }
    if (!context.isCurrent()) return MS::kFailure;
    saveState(gl());
    ++glDepth;
    return MS::kSuccess;
}

MStatus ViewRenderer::endGL() {
    if (glDepth == 0) return MS::kFailure;
    --glDepth;
    if (OffscreenGL::instance().isCurrent()) restoreState(gl());
    return MS::kSuccess;
}

} // namespace rvhost
