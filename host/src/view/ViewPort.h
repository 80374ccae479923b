#pragma once
#include "view/Camera.h"

#include <maya/M3dView.h>
#include <maya/MMatrix.h>

namespace rvhost {

// The one 3D view of this host: a camera seen through a port of W x H pixels whose origin
// is the bottom-left corner. Port coordinates are corner-based (pixel i spans [i, i+1]);
// s = (x - W/2) / (W/2) and t = (y - H/2) / (W/2) scale the port into the camera's frame.
class ViewPort {
public:
    enum class Renderer { kLegacy, kVp2, kVp2DirectX };

    struct Ray {
        MPoint origin;
        MVector direction; // unit length
    };

    // Where a world point lands in the port. `visible` is false behind the eye (behind the
    // eye's plane for orthographic views) or outside 0 <= x < W, 0 <= y < H after rounding.
    struct Projected {
        double x = 0.0;
        double y = 0.0;
        bool inFront = false;
    };

    static ViewPort& active();

    Camera& camera() { return camera_; }
    const Camera& camera() const { return camera_; }

    int width() const { return width_; }
    int height() const { return height_; }
    // Refused (false) unless both sides are between 1 and 16384 pixels.
    bool setSize(int width, int height);

    Renderer renderer() const { return renderer_; }
    void setRenderer(Renderer renderer) { renderer_ = renderer; }

    bool gridVisible() const { return grid_; }
    void setGridVisible(bool on) { grid_ = on; }

    M3dView::DisplayStyle displayStyle() const { return style_; }
    void setDisplayStyle(M3dView::DisplayStyle style) { style_ = style; }

    long refreshCount() const { return refreshes_; }
    void countRefresh() { ++refreshes_; }
    // Objects marked for redraw through MRenderer::setGeometryDrawDirty.
    long drawDirtyCount() const { return drawDirty_; }
    void countDrawDirty() { ++drawDirty_; }

    Ray ray(double x, double y) const;
    Projected project(const MPoint& world) const;
    // Rounds to the nearest pixel corner; false when not visible (see Projected).
    bool toPort(const MPoint& world, short& x, short& y) const;

    // OpenGL-ready matrices in the API's row-vector convention: world to eye space, and eye
    // space to clip space with the clipping range below.
    MMatrix viewMatrix() const;
    MMatrix projectionMatrix() const;

    static constexpr double kPerspectiveNear = 0.1;
    static constexpr double kOrthographicNear = 0.0;
    static constexpr double kFar = 10000.0;

    // Back to a fresh view: default camera, 640 x 480, legacy renderer, smooth shading, grid
    // shown, counters at zero.
    void reset();

private:
    Camera camera_;
    int width_ = 640;
    int height_ = 480;
    Renderer renderer_ = Renderer::kLegacy;
    bool grid_ = true;
    M3dView::DisplayStyle style_ = M3dView::kGouraudShaded;
    long refreshes_ = 0;
    long drawDirty_ = 0;
};

} // namespace rvhost
