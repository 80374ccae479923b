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
    // The entries in the order the curve takes them: by position, ties by index.
    std::vector<Entry> curve() const;
    // The curve through entries in that order at a position: before the first entry its
    // value, after the last entry its value, between two the left entry's interpolation.
    // An empty curve gives 0. (Inline: brushes evaluate it once per vertex.)
    static float curveValue(const std::vector<Entry>& curve, float position);
};

// Catmull-Rom through the values of the entries around the segment (ends repeated).
inline double rampSpline(double before, double v0, double v1, double after, double t) {
    return 0.5 * (2 * v0 + (v1 - before) * t + (2 * before - 5 * v0 + 4 * v1 - after) * t * t +
                  (3 * v0 - before - 3 * v1 + after) * t * t * t);
}

inline float RampData::curveValue(const std::vector<Entry>& sorted, float position) {
    if (sorted.empty()) return 0.0f;
    if (position <= sorted.front().position) return sorted.front().value;
    if (position >= sorted.back().position) return sorted.back().value;
    size_t k = 0;
    while (sorted[k + 1].position <= position)
        ++k;
    const Entry& a = sorted[k];
    const Entry& b = sorted[k + 1];
    double t = (double(position) - a.position) / (double(b.position) - a.position);
    switch (a.interpolation) {
    case 0:
        return a.value;
    case 2:
        t = t * t * (3 - 2 * t);
        break;
    case 3: {
        double before = k > 0 ? sorted[k - 1].value : a.value;
        double after = k + 2 < sorted.size() ? sorted[k + 2].value : b.value;
        return static_cast<float>(rampSpline(before, a.value, b.value, after, t));
    }
    default:
        break;
    }
    return static_cast<float>(a.value + (double(b.value) - a.value) * t);
}

} // namespace rvhost
