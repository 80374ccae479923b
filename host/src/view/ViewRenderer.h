#pragma once
#include <maya/MStatus.h>

#include <string>

namespace rvhost {

class ViewPort;

// Draws a view into the off-screen OpenGL buffer: a dark background, a faint grid on the
// ground plane, the scene's meshes lit by a headlight, then the current tool's feedback
// through the renderer the view is set to. Snapshots are always exact.
class ViewRenderer {
public:
    // How closely a frame shows the meshes: exactly, or, while the camera moves, with meshes
    // far denser than the pixels drawn reduced to about a triangle a pixel.
    enum class Detail { kExact, kMoving };

    // False, with `error` set, when no OpenGL context can be had.
    static bool render(ViewPort& view, std::string& error, Detail detail = Detail::kExact);
    // Renders and writes the picture as a PNG file.
    static bool snapshot(ViewPort& view, const std::string& path, std::string& error);

    // M3dView::beginGL/endGL: save the OpenGL state with the view's matrices loaded (making
    // the context current first when no draw is under way), and put it back.
    static MStatus beginGL(ViewPort& view);
    static MStatus endGL();

    // Colours of the picture, 8 bits a channel, for those who read pictures back.
    static constexpr unsigned char kBackground[3] = {24, 24, 28};
    static constexpr unsigned char kGrid[3] = {56, 56, 60};
    // A lit surface facing the eye; surfaces at an angle are darker, down to a quarter.
    static constexpr unsigned char kMeshFacing = 204;
};

} // namespace rvhost
