#include <maya/M3dView.h>

#include "view/ViewPort.h"
#include "view/ViewRenderer.h"

namespace {

// Sets the caller's status (when asked for) and says whether the view is usable.
bool attached(const rvhost::ViewPort* view, MStatus* status) {
    if (status) *status = view ? MS::kSuccess : MS::kFailure;
    return view != nullptr;
}

} // namespace

M3dView M3dView::active3dView(MStatus* ReturnStatus) {
    if (ReturnStatus) *ReturnStatus = MS::kSuccess;
    return M3dView(&rvhost::ViewPort::active());
}

unsigned int M3dView::numberOf3dViews() {
    return 1;
}

MStatus M3dView::get3dView(const unsigned int index, M3dView& view) {
    if (index != 0) return MS::kInvalidParameter;
    view = active3dView();
    return MS::kSuccess;
}

MStatus M3dView::beginGL() {
    return view_ ? rvhost::ViewRenderer::beginGL(*view_) : MStatus(MS::kFailure);
}

MStatus M3dView::endGL() {
    return view_ ? rvhost::ViewRenderer::endGL() : MS::kFailure;
}

MStatus M3dView::refresh(bool, bool) {
    if (!view_) return MS::kFailure;
    view_->countRefresh();
    return MS::kSuccess;
}

MStatus M3dView::refresh(bool all, bool force, bool) {
    return refresh(all, force);
}

int M3dView::portWidth(MStatus* ReturnStatus) const {
    return attached(view_, ReturnStatus) ? view_->width() : 0;
}

int M3dView::portHeight(MStatus* ReturnStatus) const {
    return attached(view_, ReturnStatus) ? view_->height() : 0;
}

MStatus M3dView::viewport(unsigned int& x, unsigned int& y, unsigned int& width,
                          unsigned int& height) const {
    if (!view_) return MS::kFailure;
    x = 0;
    y = 0;
    width = static_cast<unsigned int>(view_->width());
    height = static_cast<unsigned int>(view_->height());
    return MS::kSuccess;
}

MStatus M3dView::modelViewMatrix(MMatrix& modelView) const {
    if (!view_) return MS::kFailure;
    modelView = view_->viewMatrix();
    return MS::kSuccess;
}

MStatus M3dView::projectionMatrix(MMatrix& projection) const {
    if (!view_) return MS::kFailure;
    projection = view_->projectionMatrix();
    return MS::kSuccess;
}

M3dView::DisplayStyle M3dView::displayStyle(MStatus* ReturnStatus) const {
    return attached(view_, ReturnStatus) ? view_->displayStyle() : kGouraudShaded;
}

MStatus M3dView::setDisplayStyle(DisplayStyle style, bool) {
    if (!view_) return MS::kFailure;
    if (style < kBoundingBox || style > kPoints) return MS::kInvalidParameter;
    view_->setDisplayStyle(style);
    return MS::kSuccess;
}

M3dView::RendererName M3dView::getRendererName(MStatus* ReturnStatus) const {
    if (!attached(view_, ReturnStatus)) return kDefaultQualityRenderer;
    return view_->renderer() == rvhost::ViewPort::Renderer::kLegacy ? kDefaultQualityRenderer
                                                                    : kViewport2Renderer;
}

bool M3dView::isVisible(MStatus* ReturnStatus) const {
    return attached(view_, ReturnStatus);
}

MStatus M3dView::viewToWorld(short x_pos, short y_pos, MPoint& worldPt,
                             MVector& worldVector) const {
    if (!view_) return MS::kFailure;
    const rvhost::ViewPort::Ray ray = view_->ray(x_pos, y_pos);
    worldPt = ray.origin;
    worldVector = ray.direction;
    return MS::kSuccess;
}

MStatus M3dView::viewToWorld(short x_pos, short y_pos, MPoint& nearClipPt,
                             MPoint& farClipPt) const {
    if (!view_) return MS::kFailure;
    const rvhost::ViewPort::Ray ray = view_->ray(x_pos, y_pos);
    const bool ortho = view_->camera().projection() == rvhost::Camera::Projection::kOrthographic;
    // Clipping distances are measured along the line of sight, not along the ray.
    const double along = ray.direction * view_->camera().frame().forward;
    const double nearDepth =
        ortho ? rvhost::ViewPort::kOrthographicNear : rvhost::ViewPort::kPerspectiveNear;
    nearClipPt = ray.origin + ray.direction * (nearDepth / along);
    farClipPt = ray.origin + ray.direction * (rvhost::ViewPort::kFar / along);
    return MS::kSuccess;
}

MStatus M3dView::viewToObjectSpace(short x_pos, short y_pos, const MMatrix& localMatrixInverse,
                                   MPoint& oPt, MVector& oVector) const {
    MPoint worldPt;
    MVector worldVector;
    MStatus status = viewToWorld(x_pos, y_pos, worldPt, worldVector);
    if (!status) return status;
    oPt = worldPt * localMatrixInverse;
    oVector = (worldVector * localMatrixInverse).normal();
    return MS::kSuccess;
}

bool M3dView::worldToView(const MPoint& worldPt, short& x_pos, short& y_pos,
                          MStatus* ReturnStatus) const {
    return attached(view_, ReturnStatus) && view_->toPort(worldPt, x_pos, y_pos);
}
