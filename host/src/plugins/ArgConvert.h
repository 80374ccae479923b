#pragma once
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>

#include "script/Value.h"

#include <string>
#include <vector>

namespace rvhost {

// Strict readings of one scalar argument: a text reads as a number only when all of it is
// one, a float reads as an int only when it is whole. Each returns false and leaves `out`
// alone when the value does not read.
bool readBool(const script::Value& value, bool& out);
bool readInt(const script::Value& value, int& out);
bool readUnsigned(const script::Value& value, unsigned int& out);
bool readDouble(const script::Value& value, double& out);
std::string readString(const script::Value& value);
bool readText(const script::Value& value, MString& out);

// Reads a value that may be missing (null) into result, which changes only on success.
template <class T, class Read> MStatus readInto(const script::Value* value, T& result, Read read) {
    T v{};
    if (!value || !read(*value, v)) return MS::kFailure;
    result = v;
    return MS::kSuccess;
}

// The value as the given syntax type (bools become ints 0 or 1).
bool readAs(MSyntax::MArgType type, const script::Value& value, script::Value& out);
// How messages name the type: "a boolean", "an integer"...
const char* describe(MSyntax::MArgType type);

// A script argument as MArgList scalars: arrays expand into their elements and a vector
// into its three components.
void appendScalars(const script::Value& value, std::vector<script::Value>& out);

} // namespace rvhost
