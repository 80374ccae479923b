#pragma once
#include <maya/MPoint.h>
#include <maya/MVector.h>

namespace rvhost {

// Where the view looks from and how it projects: eye, centre and up, with either a
// perspective of a horizontal field of view or an orthographic width. The orthonormal
// frame (forward, right, true up) is derived so every projection formula reads the same.
class Camera {
public:
    enum class Projection { kPerspective, kOrthographic };

    struct Frame {
        MVector forward;
        MVector right;
        MVector up;
    };

    Camera();

    // Refused (false, nothing changed) when eye and centre coincide or up is parallel to the
    // line of sight: no frame can be made from them.
    bool setLookAt(const MPoint& eye, const MPoint& centre, const MVector& up);
    // Refused for angles outside (0, 180) degrees and widths that are not positive.
    bool setPerspective(double horizontalFovDegrees);
    bool setOrthographic(double width);

    const MPoint& eye() const { return eye_; }
    const MPoint& centre() const { return centre_; }
    const MVector& upHint() const { return upHint_; }
    const Frame& frame() const { return frame_; }
    Projection projection() const { return projection_; }
    double horizontalFov() const { return fovDegrees_; }
    double orthoWidth() const { return orthoWidth_; }
    // Half the port's width in world units per unit of depth (perspective) or in world
    // units (orthographic): the factor that turns s and t into offsets along right and up.
    double halfExtent() const;

private:
    MPoint eye_;
    MPoint centre_;
    MVector upHint_;
    Frame frame_;
    Projection projection_ = Projection::kPerspective;
    double fovDegrees_ = 45.0;
    double orthoWidth_ = 30.0;
};

} // namespace rvhost
