#include "graph/RampData.h"

#include <algorithm>

namespace rvhost {

unsigned int RampData::nextIndex() const {
    unsigned int next = 0;
    for (const Entry& e : entries)
        next = std::max(next, e.index + 1);
    return next;
}

RampData::Entry* RampData::find(unsigned int index) {
    auto it = std::find_if(entries.begin(), entries.end(),
                           [&](const Entry& e) { return e.index == index; });
    return it == entries.end() ? nullptr : &*it;
}

namespace {
// Catmull-Rom through the values of the entries around the segment (ends repeated).
double spline(double before, double v0, double v1, double after, double t) {
    return 0.5 * (2 * v0 + (v1 - before) * t + (2 * before - 5 * v0 + 4 * v1 - after) * t * t +
                  (3 * v0 - before - 3 * v1 + after) * t * t * t);
}
} // namespace

std::vector<RampData::Entry> RampData::curve() const {
    std::vector<Entry> sorted = entries;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Entry& a, const Entry& b) { return a.position < b.position; });
    return sorted;
}

float RampData::curveValue(const std::vector<Entry>& sorted, float position) {
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
        return static_cast<float>(spline(before, a.value, b.value, after, t));
    }
    default:
        break;
    }
    return static_cast<float>(a.value + (double(b.value) - a.value) * t);
}

} // namespace rvhost
