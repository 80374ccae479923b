#include "scene/NodeTypes.h"

#include "scene/Transform.h"

namespace rvhost {

namespace {
// The script node that scriptNode makes: texts run before and after, and when.
std::shared_ptr<Node> makeScriptNode() {
    auto node = std::make_shared<Node>("script", MFn::kScript);
    node->addAttribute(makeAttribute("before", "b", Attribute::Kind::String), false);
    node->addAttribute(makeAttribute("after", "a", Attribute::Kind::String), false);
    node->addAttribute(makeAttribute("scriptType", "st", Attribute::Kind::Int), false);
    return node;
}
} // namespace

NodeTypes::NodeTypes() {
    NodeType transform;
    transform.name = transform.defaultName = "transform";
    transform.make = [] { return std::make_shared<Transform>(); };
    transform.dag = transform.transform = true;
    add(std::move(transform));

    NodeType script;
    script.name = "script";
    script.defaultName = "script";
    script.make = makeScriptNode;
    add(std::move(script));
}

NodeTypes& NodeTypes::instance() {
    static NodeTypes types;
    return types;
}

MStatus NodeTypes::add(NodeType type) {
    if (type.name.empty() || !type.make || find(type.name)) return MS::kFailure;
    if (type.id.id() != 0 && findById(type.id)) return MS::kFailure;
    if (type.defaultName.empty()) type.defaultName = type.name;
    std::string name = type.name;
    types_.emplace(std::move(name), std::move(type));
    return MS::kSuccess;
}

MStatus NodeTypes::remove(const std::string& name) {
    return types_.erase(name) ? MS::kSuccess : MS::kNotFound;
}

const NodeType* NodeTypes::find(const std::string& name) const {
    auto it = types_.find(name);
    return it == types_.end() ? nullptr : &it->second;
}

const NodeType* NodeTypes::findById(MTypeId id) const {
    for (const auto& [name, type] : types_)
        if (type.id == id) return &type;
    return nullptr;
}

} // namespace rvhost
