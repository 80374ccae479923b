#include "scene/Component.h"

namespace rvhost {

void Component::add(int element) {
    if (members_.insert(element).second) elements_.push_back(element);
}

void Component::merge(const Component& other) {
    complete = complete || other.complete;
    for (int element : other.elements_)
        add(element);
}

} // namespace rvhost
