#include <maya/MFrameContext.h>

namespace MHWRender {

MFrameContext::MFrameContext(const MMatrix& world, const MMatrix& view, const MMatrix& projection,
                             int width, int height)
    : world_(world), view_(view), projection_(projection), width_(width), height_(height) {}

// Matrix types come in fours (plain, transposed, inverted, both) over six products.
MMatrix MFrameContext::getMatrix(MatrixType mtype, MStatus* ReturnStatus) const {
    const int type = static_cast<int>(mtype);
    if (type < 0 || type > kWorldViewProjTranspInverseMtx) {
        if (ReturnStatus) *ReturnStatus = MS::kInvalidParameter;
        return MMatrix();
    }
    const MMatrix bases[6] = {world_,         view_,
                              projection_,    view_ * projection_,
                              world_ * view_, world_ * view_ * projection_};
    const MMatrix& m = bases[type / 4];
    if (ReturnStatus) *ReturnStatus = MS::kSuccess;
    switch (type % 4) {
    case 1:
        return m.transpose();
    case 2:
        return m.inverse();
    case 3:
        return m.inverse().transpose();
    default:
        return m;
    }
}

MStatus MFrameContext::getViewportDimensions(int& originX, int& originY, int& width,
                                             int& height) const {
    originX = 0;
    originY = 0;
    width = width_;
    height = height_;
    return MS::kSuccess;
}

} // namespace MHWRender
