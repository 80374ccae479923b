#pragma once
#include "scene/Data.h"

#include <vector>

namespace rvhost {

// The entries of a curve ramp, the value a ramp attribute holds. Entry indexes are given
// by the ramp (one past the largest in use) and never reused while the entry lives.
class RampData : public Data {
public:
    struct Entry {
        unsigned int index;
        float position;
        float value;
        int interpolation; // 0 none (step), 1 linear, 2 smooth, 3 spline
    };

    MFn::Type apiType() const override { return MFn::kData; }
    std::shared_ptr<Data> clone() const override { return std::make_shared<RampData>(*this); }

    // Entries in index order.
    std::vector<Entry> entries;

    unsigned int nextIndex() const;
    Entry* find(unsigned int index);
    // The curve at a position: entries taken in position order (ties by index); before the
    // first entry its value, after the last entry its value, between two the left entry's
    // interpolation. An empty ramp gives 0.
    float valueAt(float position) const { return curveValue(curve(), position); }

    // The entries in the order the curve takes them, and the curve through such entries:
    // a reader that evaluates a ramp often sorts once.
    std::vector<Entry> curve() const;
    static float curveValue(const std::vector<Entry>& curve, float position);
};

} // namespace rvhost
