#pragma once
#include <maya/MTypes.h>

// The context an evaluation runs in. This host evaluates only at the current time, so
// every context is the normal one.
class OPENMAYA_EXPORT MDGContext {
public:
    MDGContext() = default;
    bool isNormal() const { return true; }

    static MDGContext fsNormal;
};
