#pragma once

namespace rvhost {

class ViewPort;

// Draws what the tool layer asks for (ViewHooks) the way the view's renderer would:
// legacy calls each item's draw between the view's matrices; Viewport 2.0 runs the draw
// overrides registered for each item's classification, giving them a draw context; with
// "vp2-directx" only overrides that support DirectX run, and no OpenGL context is current.
void drawToolFeedback(ViewPort& view);

} // namespace rvhost
