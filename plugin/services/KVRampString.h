#pragma once
// Writing a ramp's persistent text form ("value,position,interpolation,..." triplets) into
// a host curve ramp, and reducing a ramp to its single default entry.
#include <maya/MRampAttribute.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

// Clears the ramp first (even for invalid text), then sets the kept entry from the first
// triplet and adds the others. Failure for fewer than three fields or a broken last triplet.
MStatus rampFromString(MRampAttribute& ramp, const MString& text);
// Leaves one entry at position 0 with value 1; not-implemented when at most one is there.
MStatus clearRamp(MRampAttribute& ramp);
