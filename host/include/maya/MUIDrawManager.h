#pragma once
#include <maya/MTypes.h>

namespace MHWRender {

// Collects the simple shapes a tool or manipulator draws in Viewport 2.0. This host's tools
// draw their feedback through draw overrides instead, so nothing is collected here; the
// class exists so that the Viewport 2.0 event entries of MPxContext can be called.
class OPENMAYA_EXPORT MUIDrawManager {
public:
    MUIDrawManager() = default;
    virtual ~MUIDrawManager() = default;
    MUIDrawManager(const MUIDrawManager&) = delete;
    MUIDrawManager& operator=(const MUIDrawManager&) = delete;
};

} // namespace MHWRender
