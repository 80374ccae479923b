#pragma once
#include <maya/MMatrix.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

namespace MHWRender {

// What is known about the frame being drawn: its matrices and viewport.
class OPENMAYA_EXPORT MFrameContext {
public:
    enum MatrixType {
        kWorldMtx,
        kWorldTransposeMtx,
        kWorldInverseMtx,
        kWorldTranspInverseMtx,
        kViewMtx,
        kViewTransposeMtx,
        kViewInverseMtx,
        kViewTranspInverseMtx,
        kProjectionMtx,
        kProjectionTranposeMtx,
        kProjectionInverseMtx,
        kProjectionTranspInverseMtx,
        kViewProjMtx,
        kViewProjTransposeMtx,
        kViewProjInverseMtx,
        kViewProjTranspInverseMtx,
        kWorldViewMtx,
        kWorldViewTransposeMtx,
        kWorldViewInverseMtx,
        kWorldViewTranspInverseMtx,
        kWorldViewProjMtx,
        kWorldViewProjTransposeMtx,
        kWorldViewProjInverseMtx,
        kWorldViewProjTranspInverseMtx
    };

    virtual ~MFrameContext() = default;

    // A matrix in the API's row-vector convention, ready for glLoadMatrixd.
    MMatrix getMatrix(MatrixType mtype, MStatus* ReturnStatus = nullptr) const;
    MStatus getViewportDimensions(int& originX, int& originY, int& width, int& height) const;

    // Host side only: the frame's world (object), view and projection matrices and port.
    MFrameContext(const MMatrix& world, const MMatrix& view, const MMatrix& projection, int width,
                  int height);

private:
    MMatrix world_;
    MMatrix view_;
    MMatrix projection_;
    int width_;
    int height_;
};

} // namespace MHWRender
