#pragma once
#include <maya/MTypes.h>

// Settings of an intersection accelerator, as MFnMesh::autoUniformGridParams makes them.
// This host keeps one hierarchy with each mesh and uses it for every cast, so the settings
// only travel through the calls.
class OPENMAYA_EXPORT MMeshIsectAccelParams {
public:
    MMeshIsectAccelParams() = default;

private:
    friend class MFnMesh;
    int gridDivisions_[3] = {0, 0, 0}; // 0: chosen automatically
};
