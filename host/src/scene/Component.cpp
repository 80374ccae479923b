#include "scene/Component.h"

#include <algorithm>

namespace rvhost {

void Component::add(int element) {
    if (std::find(elements_.begin(), elements_.end(), element) == elements_.end())
        elements_.push_back(element);
}

void Component::merge(const Component& other) {
    complete = complete || other.complete;
    for (int element : other.elements_)
        add(element);
}

} // namespace rvhost
