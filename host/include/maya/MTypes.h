#pragma once
// Basic types and constants shared by the whole API.

#define MAYA_API_VERSION 201602

#define OPENMAYA_EXPORT __attribute__((visibility("default")))

class MStatus;
class MString;
class MObject;
class MSyntax;

// What plug-ins register: object creators, node initializers and syntax creators.
typedef void* (*MCreatorFunction)();
typedef MStatus (*MInitializeFunction)();
typedef MSyntax (*MCreateSyntaxFunction)();

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

// Small fixed arrays used by the geometry classes.
typedef float float2[2];
typedef float float3[3];
typedef double double2[2];
typedef double double3[3];
typedef int int2[2];
typedef int int3[3];
