#pragma once
// Basic types and constants shared by the whole API.

#define MAYA_API_VERSION 201602

#define OPENMAYA_EXPORT __attribute__((visibility("default")))

class MStatus;
class MString;
class MObject;

namespace MSpace {
enum Space {
    kInvalid = 0,
    kTransform = 1,
    kPreTransform = 2,
    kPostTransform = 3,
    kWorld = 4,
    kLast = 5,
    kObject = kPreTransform
};
}

// Kept for code that spells out the default tolerances of the geometry classes.
constexpr double kDefaultTolerance = 1.0e-10;
