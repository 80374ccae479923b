#pragma once
#include <maya/MFrameContext.h>

namespace MHWRender {

// The context of one draw: the frame's matrices as seen by the object being drawn.
class OPENMAYA_EXPORT MDrawContext : public MFrameContext {
public:
    using MFrameContext::MFrameContext;
};

} // namespace MHWRender
