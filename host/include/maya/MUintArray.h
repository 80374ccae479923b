#pragma once
#include <maya/MHostArray.h>

class OPENMAYA_EXPORT MUintArray : public MHostArray<unsigned int> {
public:
    using MHostArray<unsigned int>::MHostArray;
    MUintArray() = default;
    MStatus get(unsigned int dest[]) const { return copyTo(dest); }
};
