#pragma once
#include <maya/MStatus.h>

namespace rvhost {

// Writes an outcome to an API caller's optional status pointer and passes it on.
inline MStatus report(MStatus* out, MStatus status) {
    if (out) *out = status;
    return status;
}

// Same, for calls that return a value: `return reported(out, ok, value)`.
template <class T> T reported(MStatus* out, bool ok, T value) {
    report(out, ok ? MS::kSuccess : MS::kFailure);
    return value;
}

} // namespace rvhost
