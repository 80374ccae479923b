#include <maya/MViewport2Renderer.h>

#include "view/ViewPort.h"

namespace MHWRender {

MRenderer* MRenderer::theRenderer(bool) {
    static MRenderer renderer;
    return &renderer;
}

DrawAPI MRenderer::drawAPI() const {
    return rvhost::ViewPort::active().renderer() == rvhost::ViewPort::Renderer::kVp2DirectX
               ? kDirectX11
               : kOpenGL;
}

bool MRenderer::drawAPIIsOpenGL() const {
    return drawAPI() == kOpenGL;
}

void MRenderer::setGeometryDrawDirty(MObject obj, bool) {
    if (!obj.isNull()) rvhost::ViewPort::active().countDrawDirty();
}

} // namespace MHWRender
