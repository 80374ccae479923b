#pragma once
#include <maya/MHostArray.h>
#include <maya/MVector.h>

class OPENMAYA_EXPORT MVectorArray : public MHostArray<MVector> {
public:
    using MHostArray<MVector>::MHostArray;
    using MHostArray<MVector>::append;
    using MHostArray<MVector>::set;
    MVectorArray() = default;
    MVectorArray(const double src[][3], unsigned int count) { assignRows(src, count); }
    MVectorArray(const float src[][3], unsigned int count) { assignRows(src, count); }
    MStatus set(unsigned int index, double x, double y, double z = 0.0) {
        return set(MVector(x, y, z), index);
    }
    MStatus get(double dest[][3]) const { return copyRowsTo(dest); }
    MStatus get(float dest[][3]) const { return copyRowsTo(dest); }
};
