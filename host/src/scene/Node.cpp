#include "scene/Node.h"

#include "scene/Data.h"
#include "scene/Graph.h"

#include <algorithm>

namespace rvhost {

Node::Node(std::string typeName, MFn::Type type) : type_(type), typeName_(std::move(typeName)) {}

Node::~Node() {
    Graph::instance().forget(this);
}

std::shared_ptr<Attribute> Node::findAttribute(const std::string& name) const {
    for (const auto& attribute : attributes_)
        if (attribute->matches(name)) return attribute;
    return nullptr;
}

bool Node::hasAttribute(const Attribute* attribute) const {
    return std::any_of(attributes_.begin(), attributes_.end(),
                       [&](const auto& a) { return a.get() == attribute; });
}

void Node::collect(const std::shared_ptr<Attribute>& attribute, bool dynamic) {
    attributes_.push_back(attribute);
    if (dynamic) dynamic_.insert(attribute.get());
    for (const auto& child : attribute->children())
        collect(child, dynamic);
}

namespace {
void namesOf(const Attribute& attribute, std::vector<std::string>& names) {
    names.push_back(attribute.name());
    names.push_back(attribute.shortName());
    for (const auto& child : attribute.children())
        namesOf(*child, names);
}
} // namespace

MStatus Node::addAttribute(const std::shared_ptr<Attribute>& attribute, bool dynamic) {
    if (!attribute || attribute->parent()) return MS::kInvalidParameter;
    std::vector<std::string> names;
    namesOf(*attribute, names);
    for (const std::string& name : names)
        if (!name.empty() && findAttribute(name)) return MS::kFailure;
    collect(attribute, dynamic);
    return MS::kSuccess;
}

MStatus Node::removeAttribute(const Attribute& attribute) {
    if (!isDynamic(attribute) || attribute.parent()) return MS::kFailure;
    noteValueChange();
    std::set<const Attribute*> gone{&attribute};
    for (const auto& child : attribute.children())
        gone.insert(child.get());
    attributes_.erase(std::remove_if(attributes_.begin(), attributes_.end(),
                                     [&](const auto& a) { return gone.count(a.get()) > 0; }),
                      attributes_.end());
    for (const Attribute* a : gone) {
        dynamic_.erase(a);
        elements_.erase(a);
    }
    for (auto it = values_.begin(); it != values_.end();)
        it = gone.count(it->first.attribute) ? values_.erase(it) : std::next(it);
    for (auto it = locked_.begin(); it != locked_.end();)
        it = gone.count(it->attribute) ? locked_.erase(it) : std::next(it);
    return MS::kSuccess;
}

bool Node::isDynamic(const Attribute& attribute) const {
    return dynamic_.count(&attribute) > 0;
}

PlugValue defaultValue(const Attribute& attribute) {
    if (attribute.isNumeric()) return attribute.defaultNumber;
    if (attribute.kind() == Attribute::Kind::String) {
        auto text = std::dynamic_pointer_cast<StringData>(attribute.defaultData.object());
        return text ? PlugValue(text->text) : PlugValue(std::string());
    }
    if (attribute.isTypedData() && !attribute.defaultData.isNull()) return attribute.defaultData;
    return {};
}

PlugValue Node::storedValue(const PlugId& plug) const {
    PlugValue value;
    if (readHook(plug, value)) return value;
    auto it = values_.find(plug);
    if (it != values_.end()) return it->second;
    return defaultValue(*plug.attribute);
}

void Node::store(const PlugId& plug, PlugValue value) {
    noteValueChange();
    if (auto* object = std::get_if<MObject>(&value)) {
        if (auto data = std::dynamic_pointer_cast<Data>(object->object()))
            value = MObject(data->clone());
    }
    if (const Attribute* owner = plug.attribute->arrayOwner(); owner && plug.index >= 0)
        addElement(*owner, plug.index);
    if (writeHook(plug, value)) return;
    values_[plug] = std::move(value);
}

std::vector<int> Node::elements(const Attribute& array) const {
    auto it = elements_.find(&array);
    if (it == elements_.end()) return {};
    return {it->second.begin(), it->second.end()};
}

void Node::addElement(const Attribute& array, int index) {
    if (index >= 0) elements_[&array].insert(index);
}

void Node::setLocked(const PlugId& plug, bool locked) {
    if (locked)
        locked_.insert(plug);
    else
        locked_.erase(plug);
}

std::shared_ptr<Node> nodeOf(const MObject& object) {
    return std::dynamic_pointer_cast<Node>(object.object());
}

} // namespace rvhost
