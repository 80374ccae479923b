#pragma once
#include <maya/MTypes.h>

class MGLFunctionTable;

// The legacy viewport's hardware renderer; plug-ins take its OpenGL function table.
class OPENMAYA_EXPORT MHardwareRenderer {
public:
    static MHardwareRenderer* theRenderer();
    MGLFunctionTable* glFunctionTable() const;

private:
    MHardwareRenderer() = default;
};
