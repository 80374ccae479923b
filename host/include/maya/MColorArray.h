#pragma once
#include <maya/MColor.h>
#include <maya/MHostArray.h>

class OPENMAYA_EXPORT MColorArray : public MHostArray<MColor> {
public:
    using MHostArray<MColor>::MHostArray;
    using MHostArray<MColor>::append;
    using MHostArray<MColor>::set;
    MColorArray() = default;
    MColorArray(const float src[][4], unsigned int count) { assignRows(src, count); }
    MColorArray(const double src[][4], unsigned int count) { assignRows(src, count); }
    MStatus set(unsigned int index, float r, float g, float b, float a = 1.0f) {
        return set(MColor(r, g, b, a), index);
    }
    MStatus get(float dest[][4]) const { return copyRowsTo(dest); }
    MStatus get(double dest[][4]) const { return copyRowsTo(dest); }
};
