#pragma once
#include <maya/MFloatVector.h>
#include <maya/MHostArray.h>

class OPENMAYA_EXPORT MFloatVectorArray : public MHostArray<MFloatVector> {
public:
    using MHostArray<MFloatVector>::MHostArray;
    using MHostArray<MFloatVector>::append;
    using MHostArray<MFloatVector>::set;
    MFloatVectorArray() = default;
    MFloatVectorArray(const float src[][3], unsigned int count) { assignRows(src, count); }
    MFloatVectorArray(const double src[][3], unsigned int count) { assignRows(src, count); }
    MStatus set(unsigned int index, float x, float y, float z = 0.0f) {
        return set(MFloatVector(x, y, z), index);
    }
    MStatus get(float dest[][3]) const { return copyRowsTo(dest); }
    MStatus get(double dest[][3]) const { return copyRowsTo(dest); }
};
