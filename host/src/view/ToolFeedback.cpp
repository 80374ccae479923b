#include "view/ToolFeedback.h"

#include <maya/MDagPath.h>

#include "scene/Node.h"
#include "scene/NodeTypes.h"
#include "view/DrawOverrideRegistry.h"
#include "view/GLApi.h"
#include "view/OffscreenGL.h"
#include "view/ViewHooks.h"
#include "view/ViewPort.h"
#include "view/ViewRenderer.h"

namespace rvhost {

namespace {

void drawLegacy(ViewPort& view, const std::vector<ToolDrawItem>& items) {
    M3dView m3dView(&view);
    for (const ToolDrawItem& item : items) {
        if (!item.legacyDraw) continue;
        // Each draw starts from the view's own matrices and a clean state.
        if (!ViewRenderer::beginGL(view)) continue;
        gl().glDisable(GL_LIGHTING);
        item.legacyDraw(m3dView, view.displayStyle(), M3dView::kActive);
        ViewRenderer::endGL();
    }
}

std::string classificationOf(const MObject& node) {
    auto n = std::dynamic_pointer_cast<Node>(node.object());
    const NodeType* type = n ? NodeTypes::instance().find(n->typeName()) : nullptr;
    return type ? type->classification : std::string();
}

MDagPath pathOf(const MObject& node) {
    MDagPath path;
    if (node.hasFn(MFn::kDagNode)) MDagPath::getAPathTo(node, path);
    return path;
}

void runOverride(ViewPort& view, DrawOverrideRegistry::Instance& instance, const MDagPath& path) {
    MHWRender::MPxDrawOverride& override = *instance.override;
    const MDagPath camera; // this host's camera is not a scene node
    const MHWRender::MDrawContext context(override.transform(path, camera), view.viewMatrix(),
                                          view.projectionMatrix(), view.width(), view.height());
    MHWRender::MUserData* old = instance.data;
    instance.data = nullptr;
    MHWRender::MUserData* data = override.prepareForDraw(path, camera, context, old);
    if (data != old) delete old;
    if (auto callback = override.drawCallback()) {
        const bool openGL = OffscreenGL::instance().isCurrent();
        if (openGL) ViewRenderer::beginGL(view);
        callback(context, data);
        if (openGL) ViewRenderer::endGL();
    }
    if (data && data->deleteAfterUse()) {
        delete data;
        data = nullptr;
    }
    instance.data = data;
}

void drawViewport2(ViewPort& view, const std::vector<ToolDrawItem>& items) {
    const bool directX = view.renderer() == ViewPort::Renderer::kVp2DirectX;
    const MHWRender::DrawAPI api = directX ? MHWRender::kDirectX11 : MHWRender::kOpenGL;
    DrawOverrideRegistry& registry = DrawOverrideRegistry::instance();
    registry.dropDeleted();
    std::string error;
    if (directX) OffscreenGL::instance().release();
    for (const ToolDrawItem& item : items) {
        const MDagPath path = pathOf(item.node);
        for (auto* instance : registry.overridesFor(item.node, classificationOf(item.node)))
            if (instance->override->supportedDrawAPIs() & api) runOverride(view, *instance, path);
    }
    if (directX) OffscreenGL::instance().makeCurrent(view.width(), view.height(), error);
}

} // namespace

void drawToolFeedback(ViewPort& view) {
    const std::vector<ToolDrawItem> items = ViewHooks::toolItems();
    if (view.renderer() == ViewPort::Renderer::kLegacy)
        drawLegacy(view, items);
    else
        drawViewport2(view, items);
}

} // namespace rvhost
