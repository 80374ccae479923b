#pragma once
#include <maya/MHostArray.h>

class OPENMAYA_EXPORT MDoubleArray : public MHostArray<double> {
public:
    using MHostArray<double>::MHostArray;
    MDoubleArray() = default;
    MDoubleArray(const float src[], unsigned int count) { assignFrom(src, count); }
    MStatus get(double dest[]) const { return copyTo(dest); }
};
