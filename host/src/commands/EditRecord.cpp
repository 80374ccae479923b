#include "commands/EditRecord.h"

#include "commands/UndoSteps.h"
#include "scene/Graph.h"

#include <algorithm>

namespace rvhost::commands {

EditRecord::Values EditRecord::numericValues(const Node& node) {
    Values values;
    for (const auto& attribute : node.attributes())
        if (attribute->isNumeric() && !attribute->arrayOwner())
            values.emplace_back(PlugId{attribute.get(), -1},
                                node.storedValue({attribute.get(), -1}));
    return values;
}

void EditRecord::restore(Node& node, const Values& values) {
    for (const auto& [plug, value] : values) {
        node.store(plug, value);
        Graph::instance().changed(node, plug.attribute);
    }
}

void EditRecord::touchValues(Node& node) {
    bool known = std::any_of(values_.begin(), values_.end(),
                             [&](const ValueState& s) { return s.node.get() == &node; });
    if (!known) values_.push_back({node.shared_from_this(), numericValues(node), {}});
}

void EditRecord::touchGeometry(MeshShape& shape) {
    bool known = std::any_of(geometries_.begin(), geometries_.end(),
                             [&](const GeometryState& s) { return s.shape.get() == &shape; });
    if (!known)
        geometries_.push_back(
            {std::static_pointer_cast<MeshShape>(shape.shared_from_this()), shape.geometry(), {}});
}

void EditRecord::record(const std::string& name) {
    if (values_.empty() && geometries_.empty()) return;
    for (ValueState& state : values_)
        state.after = numericValues(*state.node);
    for (GeometryState& state : geometries_)
        state.after = state.shape->geometry();
    auto states = std::make_shared<EditRecord>(std::move(*this));
    auto apply = [states](bool after) {
        for (const ValueState& s : states->values_)
            restore(*s.node, after ? s.after : s.before);
        for (const GeometryState& s : states->geometries_) {
            s.shape->geometry() = after ? s.after : s.before;
            s.shape->geometryEdited();
        }
    };
    recordStep(
        name, [apply] { apply(false); }, [apply] { apply(true); });
}

} // namespace rvhost::commands
