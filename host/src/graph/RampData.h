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
};

// A ramp's curve made ready for lookups: its entries in curve order, their positions and
// values widened once to the doubles that the interpolation works in.
class RampCurve {
public:
    explicit RampCurve(const std::vector<RampData::Entry>& sorted);
    // The curve at a position: before the first entry (or at a NaN position) its value,
    // after the last entry its value, between two the left entry's interpolation. An empty
    // curve gives 0. (Inline: brushes look it up once per vertex.)
    float value(float position) const;

private:
    struct Knot {
        double position;
        double value;
        int interpolation;
    };
    std::vector<Knot> knots_;
};

// Catmull-Rom through the values of the entries around the segment (ends repeated).
inline double rampSpline(double before, double v0, double v1, double after, double t) {
    return 0.5 * (2 * v0 + (v1 - before) * t + (2 * before - 5 * v0 + 4 * v1 - after) * t * t +
                  (3 * v0 - before - 3 * v1 + after) * t * t * t);
}

inline float RampCurve::value(float position) const {
    if (knots_.empty()) return 0.0f;
    const double at = position;
    const Knot* k = knots_.data();
    const Knot* last = k + knots_.size() - 1;
    // The values came from floats, so the narrowing back is exact. A NaN position gives
    // the first value.
    if (!(at > k->position)) return static_cast<float>(k->value);
    if (at >= last->position) return static_cast<float>(last->value);
    while (k[1].position <= at)
        ++k;
    const Knot& a = k[0];
    const Knot& b = k[1];
    double t = (at - a.position) / (b.position - a.position);
    // Linear, the common case, is tested first and needs nothing more.
    if (a.interpolation != 1) {
        switch (a.interpolation) {
        case 0:
            return static_cast<float>(a.value);
        case 2:
            t = t * t * (3 - 2 * t);
            break;
        case 3: {
            const double before = k > knots_.data() ? k[-1].value : a.value;
            const double after = k + 1 < last ? k[2].value : b.value;
            return static_cast<float>(rampSpline(before, a.value, b.value, after, t));
        }
        default:
            break;
        }
    }
    return static_cast<float>(a.value + (b.value - a.value) * t);
}

} // namespace rvhost
