#pragma once
#include <maya/MFn.h>

namespace rvhost {

// Base of everything an MObject can name. Each kind of object reports the most derived
// function-set type it supports; MObject::hasFn walks the type hierarchy from there.
class Object {
public:
    virtual ~Object() = default;
    virtual MFn::Type apiType() const = 0;
};

// The type a function-set type derives from (kInvalid above the root).
MFn::Type parentType(MFn::Type type);
// True when an object of type `actual` is compatible with function sets of type `wanted`.
bool typeIncludes(MFn::Type actual, MFn::Type wanted);
const char* typeName(MFn::Type type);

} // namespace rvhost
