#pragma once
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

namespace MHWRender {

// The graphics interfaces a renderer can draw through (a bit set).
enum DrawAPI {
    kNone = 0,
    kOpenGL = 1 << 0,
    kDirectX11 = 1 << 1,
    kOpenGLCoreProfile = 1 << 2,
    kAllDevices = kOpenGL | kDirectX11 | kOpenGLCoreProfile
};

// The Viewport 2.0 renderer. It always exists in this host; which interface it draws
// through follows the view's renderer setting (OpenGL unless "vp2-directx").
class OPENMAYA_EXPORT MRenderer {
public:
    static MRenderer* theRenderer(bool initializeRenderer = true);

    DrawAPI drawAPI() const;
    bool drawAPIIsOpenGL() const;
    // Asks for the object's geometry to be drawn again on the next redraw.
    static void setGeometryDrawDirty(MObject obj, bool topologyChanged = true);

private:
    MRenderer() = default;
};

} // namespace MHWRender
