#pragma once
#include <maya/MFloatPoint.h>
#include <maya/MHostArray.h>

class OPENMAYA_EXPORT MFloatPointArray : public MHostArray<MFloatPoint> {
public:
    using MHostArray<MFloatPoint>::MHostArray;
    using MHostArray<MFloatPoint>::append;
    using MHostArray<MFloatPoint>::set;
    MFloatPointArray() = default;
    MFloatPointArray(const float src[][4], unsigned int count) { assignRows(src, count); }
    MFloatPointArray(const double src[][4], unsigned int count) { assignRows(src, count); }
    MStatus set(unsigned int index, float x, float y, float z = 0.0f, float w = 1.0f) {
        return set(MFloatPoint(x, y, z, w), index);
    }
    MStatus append(float x, float y, float z = 0.0f, float w = 1.0f) {
        return append(MFloatPoint(x, y, z, w));
    }
    MStatus get(float dest[][4]) const { return copyRowsTo(dest); }
    MStatus get(double dest[][4]) const { return copyRowsTo(dest); }
};
