#include "services/KVRampString.h"

#include <maya/MFloatArray.h>
#include <maya/MIntArray.h>
#include <maya/MStringArray.h>

namespace {
// One ramp entry as read from three text fields.
struct RampEntry {
    float value = 0.0f;
    float position = 0.0f;
    int interpolation = 0;
};

RampEntry entryAt(const MStringArray& fields, unsigned int first) {
    return RampEntry{fields[first].asFloat(), fields[first + 1].asFloat(),
                     fields[first + 2].asInt()};
}

MRampAttribute::MInterpolation interpolation(int code) {
    return static_cast<MRampAttribute::MInterpolation>(code);
}

// The kept entry takes the first triplet, or is made from it when the ramp has none.
MStatus setKeptEntry(MRampAttribute& ramp, const MIntArray& indexes, const RampEntry& entry) {
    if (indexes.length() == 0) {
        MFloatArray positions, values;
        MIntArray interps;
        positions.append(entry.position);
        values.append(entry.value);
        interps.append(entry.interpolation);
        MStatus status;
        ramp.addEntries(positions, values, interps, &status);
        return status;
    }
    const unsigned int index = static_cast<unsigned int>(indexes[0]);
    ramp.setPositionAtIndex(entry.position, index);
    ramp.setInterpolationAtIndex(interpolation(entry.interpolation), index);
    ramp.setValueAtIndex(entry.value, index);
    return MS::kSuccess;
}
} // namespace

MStatus rampFromString(MRampAttribute& ramp, const MString& text) {
    MStringArray fields;
    text.split(',', fields);
    clearRamp(ramp);
    if (fields.length() < 3) return MS::kFailure;
    MIntArray indexes, interps;
    MFloatArray positions, values;
    MStatus status;
    ramp.getEntries(indexes, positions, values, interps, &status);
    if (!status) return status;
    setKeptEntry(ramp, indexes, entryAt(fields, 0));
    if (fields.length() < 4) return status;
    MFloatArray addPositions, addValues;
    MIntArray addInterps;
    for (unsigned int first = 3; first < fields.length(); first += 3) {
        if (first + 2 >= fields.length()) return MS::kFailure;
        const RampEntry entry = entryAt(fields, first);
        addValues.append(entry.value);
        addPositions.append(entry.position);
        addInterps.append(entry.interpolation);
    }
    ramp.addEntries(addPositions, addValues, addInterps, &status);
    return status;
}

MStatus clearRamp(MRampAttribute& ramp) {
    if (ramp.getNumEntries() <= 1) return MS::kNotImplemented;
    MIntArray indexes, interps;
    MFloatArray positions, values;
    ramp.getEntries(indexes, positions, values, interps);
    MIntArray keep, remove;
    for (unsigned int i = 0; i < indexes.length(); ++i)
        (positions[i] < 0.01f ? keep : remove).append(indexes[i]);
    if (keep.length() == 0) {
        keep.append(indexes[0]);
        remove.remove(0);
    }
    if (remove.length() > 0) ramp.deleteEntries(remove);
    if (keep.length() > 1) {
        MIntArray extra;
        for (unsigned int i = 1; i < keep.length(); ++i)
            extra.append(keep[i]);
        ramp.deleteEntries(extra);
    }
    const unsigned int survivor = static_cast<unsigned int>(keep[0]);
    ramp.setPositionAtIndex(0.0f, survivor);
    ramp.setValueAtIndex(1.0f, survivor);
    MStatus status;
    ramp.getEntries(indexes, positions, values, interps, &status);
    if (indexes.length() > 1) {
        clearRamp(ramp);
        return MS::kSuccess;
    }
    return status;
}
