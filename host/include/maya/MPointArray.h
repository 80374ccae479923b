#pragma once
#include <maya/MHostArray.h>
#include <maya/MPoint.h>

class OPENMAYA_EXPORT MPointArray : public MHostArray<MPoint> {
public:
    using MHostArray<MPoint>::MHostArray;
    using MHostArray<MPoint>::append;
    using MHostArray<MPoint>::set;
    MPointArray() = default;
    MPointArray(const double src[][4], unsigned int count) { assignRows(src, count); }
    MPointArray(const float src[][4], unsigned int count) { assignRows(src, count); }
    MStatus set(unsigned int index, double x, double y, double z = 0.0, double w = 1.0) {
        return set(MPoint(x, y, z, w), index);
    }
    MStatus append(double x, double y, double z = 0.0, double w = 1.0) {
        return append(MPoint(x, y, z, w));
    }
    MStatus get(double dest[][4]) const { return copyRowsTo(dest); }
    MStatus get(float dest[][4]) const { return copyRowsTo(dest); }
};
