#pragma once
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

namespace rvhost {
class ViewPort;
}

// A 3D view: its camera, port and OpenGL drawing. Port coordinates are pixels with the
// origin at the bottom-left corner. This host has exactly one view, the active one.
class OPENMAYA_EXPORT M3dView {
public:
    enum DisplayStyle { kBoundingBox, kFlatShaded, kGouraudShaded, kWireFrame, kPoints };
    enum DisplayStatus {
        kActive,
        kLive,
        kDormant,
        kInvisible,
        kHilite,
        kTemplate,
        kActiveTemplate,
        kActiveComponent,
        kLead,
        kIntermediateObject,
        kActiveAffected,
        kNoStatus
    };
    enum RendererName {
        kDefaultQualityRenderer,
        kHighQualityRenderer,
        kViewport2Renderer,
        kExternalRenderer
    };

    // A view attached to nothing: its queries fail until it is assigned a real view.
    M3dView() = default;
    virtual ~M3dView() = default;

    static M3dView active3dView(MStatus* ReturnStatus = nullptr);
    static unsigned int numberOf3dViews();
    static MStatus get3dView(const unsigned int index, M3dView& view);

    // Makes the view's OpenGL context current with the view's matrices and saves the OpenGL
    // state; endGL puts that state back.
    MStatus beginGL();
    MStatus endGL();
    // Asks for a redraw. This host draws only on request (snapshots), so it counts the asks.
    MStatus refresh(bool all = false, bool force = false);
    MStatus refresh(bool all, bool force, bool offscreen);

    int portWidth(MStatus* ReturnStatus = nullptr) const;
    int portHeight(MStatus* ReturnStatus = nullptr) const;
    MStatus viewport(unsigned int& x, unsigned int& y, unsigned int& width,
                     unsigned int& height) const;
    MStatus modelViewMatrix(MMatrix& modelView) const;
    MStatus projectionMatrix(MMatrix& projection) const;
    DisplayStyle displayStyle(MStatus* ReturnStatus = nullptr) const;
    MStatus setDisplayStyle(DisplayStyle style, bool activeOnly = false);
    RendererName getRendererName(MStatus* ReturnStatus = nullptr) const;
    bool isVisible(MStatus* ReturnStatus = nullptr) const;

    // The port point as a world point and unit direction of the ray through it.
    MStatus viewToWorld(short x_pos, short y_pos, MPoint& worldPt, MVector& worldVector) const;
    // The same ray cut by the near and far clipping planes.
    MStatus viewToWorld(short x_pos, short y_pos, MPoint& nearClipPt, MPoint& farClipPt) const;
    // The ray carried into an object's space by the inverse of its world matrix; the
    // direction is normalised again afterwards.
    MStatus viewToObjectSpace(short x_pos, short y_pos, const MMatrix& localMatrixInverse,
                              MPoint& oPt, MVector& oVector) const;
    // True when the point is visible: in front of the eye and inside the port once rounded.
    // x_pos and y_pos are set either way (clamped to the short range).
    bool worldToView(const MPoint& worldPt, short& x_pos, short& y_pos,
                     MStatus* ReturnStatus = nullptr) const;

    // Host side only.
    explicit M3dView(rvhost::ViewPort* view) : view_(view) {}
    rvhost::ViewPort* port() const { return view_; }

private:
    rvhost::ViewPort* view_ = nullptr;
};
