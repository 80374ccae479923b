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

std::vector<RampData::Entry> RampData::curve() const {
    std::vector<Entry> sorted = entries;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Entry& a, const Entry& b) { return a.position < b.position; });
    return sorted;
}

RampCurve::RampCurve(const std::vector<RampData::Entry>& sorted) {
    knots_.reserve(sorted.size());
    for (const RampData::Entry& e : sorted)
        knots_.push_back({e.position, e.value, e.interpolation});
}

} // namespace rvhost
