#pragma once
#include <maya/MHostArray.h>

class OPENMAYA_EXPORT MFloatArray : public MHostArray<float> {
public:
    using MHostArray<float>::MHostArray;
    MFloatArray() = default;
    MFloatArray(const double src[], unsigned int count) { assignFrom(src, count); }
    MStatus get(float dest[]) const { return copyTo(dest); }
};
