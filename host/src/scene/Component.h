#pragma once
#include <maya/MObject.h>

#include "core/Object.h"

#include <unordered_set>
#include <vector>

namespace rvhost {

// A set of elements of one shape: vertices, edges or faces, by index. "Complete" stands
// for every element (the host's "[*]").
class Component : public Object {
public:
    explicit Component(MFn::Type type) : type_(type) {}
    MFn::Type apiType() const override { return type_; }

    // Adds an index once; the order of first addition is kept.
    void add(int element);
    void merge(const Component& other);
    const std::vector<int>& elements() const { return elements_; }
    bool complete = false;

private:
    MFn::Type type_;
    std::vector<int> elements_;
    // The same elements, for a duplicate check that does not grow with the component.
    std::unordered_set<int> members_;
};

// The component behind a handle, or null.
inline Component* componentOf(const MObject& object) {
    return dynamic_cast<Component*>(object.object().get());
}

} // namespace rvhost
