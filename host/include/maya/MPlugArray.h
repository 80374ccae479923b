#pragma once
#include <maya/MHostArray.h>
#include <maya/MPlug.h>

class OPENMAYA_EXPORT MPlugArray : public MHostArray<MPlug> {
public:
    using MHostArray<MPlug>::MHostArray;
    MPlugArray() = default;
};
