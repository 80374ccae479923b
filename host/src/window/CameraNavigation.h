#pragma once

namespace rvhost {
class ViewPort;
}

namespace rvhost::window {

// The camera moves of a 3D application, driven by the mouse's travel in port pixels
// (x to the right, y up). Every move keeps the view's projection, perspective or
// orthographic.
namespace navigation {

// Degrees of turn for a pixel of tumble.
constexpr double kDegreesPerPixel = 0.4;
// Tumbling stops this many degrees short of looking straight along the up direction,
// where no camera frame exists.
constexpr double kPoleMarginDegrees = 1.0;

// Turns the eye around the centre of interest: sideways about the up direction, up and
// down about the camera's right axis.
void tumble(ViewPort& view, double dx, double dy);
// Slides eye and centre together so the point at the centre follows the cursor.
void track(ViewPort& view, double dx, double dy);
// Moves the eye toward the centre (positive amounts, in pixels of drag) or away; an
// orthographic view narrows or widens instead. Each pixel scales the distance by 0.5 %.
void dolly(ViewPort& view, double amount);

} // namespace navigation
} // namespace rvhost::window
