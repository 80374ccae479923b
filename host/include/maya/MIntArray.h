#pragma once
#include <maya/MHostArray.h>

class OPENMAYA_EXPORT MIntArray : public MHostArray<int> {
public:
    using MHostArray<int>::MHostArray;
    MIntArray() = default;
    MStatus get(int dest[]) const { return copyTo(dest); }
};
