#include "scene/Graph.h"

#include <algorithm>

namespace rvhost {

namespace {
// The plug of `attribute` that belongs to the same element as `plug`.
PlugId sibling(const PlugId& plug, const Attribute* attribute) {
    return {attribute, attribute->arrayOwner() ? plug.index : -1};
}

std::vector<const Attribute*> familyOf(const Attribute* attribute) {
    std::vector<const Attribute*> family{attribute};
    for (const auto& child : attribute->children())
        family.push_back(child.get());
    return family;
}
} // namespace

// Never destroyed: nodes that outlive the scene at exit still tell it they are going.
Graph& Graph::instance() {
    static Graph* graph = new Graph;
    return *graph;
}

void Graph::addAffects(const Attribute* when, const Attribute* affected) {
    auto& list = affects_[when];
    if (std::find(list.begin(), list.end(), affected) == list.end()) list.push_back(affected);
    computed_.insert(affected);
}

MStatus Graph::connect(const PlugRef& source, const PlugRef& destination, bool force) {
    flushLater();
    const Attribute* from = source.plug.attribute;
    const Attribute* to = destination.plug.attribute;
    if (!source.node || !destination.node || !from || !to || !source.node->hasAttribute(from) ||
        !destination.node->hasAttribute(to)) {
        lastError = "Cannot connect plugs that do not exist.";
        return MS::kInvalidParameter;
    }
    if (!from->connectable || !to->connectable || !from->readable || !to->writable) {
        lastError = "The attribute cannot be connected that way.";
        return MS::kInvalidParameter;
    }
    if (source == destination) {
        lastError = "A plug cannot be connected to itself.";
        return MS::kInvalidParameter;
    }
    if (auto it = incoming_.find(destination); it != incoming_.end()) {
        if (it->second == source) return MS::kSuccess;
        if (!force) {
            lastError = "The destination is already connected.";
            return MS::kFailure;
        }
        const PlugRef previous = it->second; // disconnect erases the entry it refers to
        disconnect(previous, destination);
    }
    Node::noteValueChange();
    incoming_[destination] = source;
    outgoing_.emplace(source, destination);
    for (const PlugRef& end : {source, destination})
        if (const Attribute* owner = end.plug.attribute->arrayOwner())
            end.node->addElement(*owner, end.plug.index);
    markDirty(*destination.node, to);
    settle();
    return MS::kSuccess;
}

MStatus Graph::disconnect(const PlugRef& source, const PlugRef& destination) {
    flushLater();
    auto it = incoming_.find(destination);
    if (it == incoming_.end() || !(it->second == source)) {
        lastError = "The plugs are not connected.";
        return MS::kNotFound;
    }
    Node::noteValueChange();
    incoming_.erase(it);
    auto range = outgoing_.equal_range(source);
    for (auto out = range.first; out != range.second; ++out)
        if (out->second == destination) {
            outgoing_.erase(out);
            break;
        }
    // The destination keeps the last value it received, as in the host.
    PlugValue last = evaluate(*source.node, source.plug);
    destination.node->store(destination.plug, last);
    markDirty(*destination.node, destination.plug.attribute);
    return MS::kSuccess;
}

bool Graph::source(const PlugRef& destination, PlugRef& result) const {
    if (auto it = incoming_.find(destination); it != incoming_.end()) {
        result = it->second;
        return true;
    }
    // A child of a connected compound takes the matching child of the source compound.
    const Attribute* attribute = destination.plug.attribute;
    const Attribute* parent = attribute->parent();
    if (!parent) return false;
    PlugRef whole{destination.node, sibling(destination.plug, parent)};
    auto it = incoming_.find(whole);
    if (it == incoming_.end()) return false;
    const auto& mine = parent->children();
    const auto& theirs = it->second.plug.attribute->children();
    for (size_t i = 0; i < mine.size() && i < theirs.size(); ++i)
        if (mine[i].get() == attribute) {
            result = {it->second.node, sibling(it->second.plug, theirs[i].get())};
            return true;
        }
    return false;
}

std::vector<PlugRef> Graph::destinations(const PlugRef& source) const {
    std::vector<PlugRef> result;
    auto range = outgoing_.equal_range(source);
    for (auto it = range.first; it != range.second; ++it)
        result.push_back(it->second);
    return result;
}

std::vector<Connection> Graph::connectionsOf(const Node& node) const {
    std::vector<Connection> result;
    for (const auto& [destination, source] : incoming_)
        if (destination.node == &node || source.node == &node)
            result.emplace_back(source, destination);
    return result;
}

std::vector<Connection> Graph::disconnectAll(const Node& node) {
    std::vector<Connection> removed = connectionsOf(node);
    for (const auto& [source, destination] : removed)
        disconnect(source, destination);
    return removed;
}

void Graph::reconnect(const std::vector<Connection>& connections) {
    for (const auto& [source, destination] : connections)
        connect(source, destination, true);
}

void Graph::firstSight(Node& node) {
    if (!seen_.insert(&node).second) return;
    for (const auto& attribute : node.attributes())
        if (hasCompute(attribute.get())) dirty_.insert({&node, attribute.get()});
}

PlugValue Graph::evaluate(Node& node, const PlugId& plug) {
    flushLater();
    firstSight(node);
    PlugRef from;
    if (source({&node, plug}, from)) {
        setClean(node, plug.attribute);
        return evaluate(*from.node, from.plug);
    }
    if (isDirty(node, plug.attribute)) {
        MStatus status = node.compute(plug);
        if (status == MS::kUnknownParameter || status) setClean(node, plug.attribute);
    }
    return node.storedValue(plug);
}

MStatus Graph::set(Node& node, const PlugId& plug, PlugValue value) {
    flushLater();
    PlugRef from;
    if (source({&node, plug}, from)) {
        lastError = "The plug is connected and cannot be set.";
        return MS::kFailure;
    }
    node.store(plug, std::move(value));
    changed(node, plug.attribute);
    return MS::kSuccess;
}

void Graph::changed(Node& node, const Attribute* attribute) {
    flushLater();
    Node::noteValueChange();
    firstSight(node);
    propagate(node, attribute);
    if (const Attribute* parent = attribute->parent()) propagate(node, parent);
    settle();
}

void Graph::actOnLater(const Node* except) {
    if (except && std::all_of(later_.begin(), later_.end(),
                              [except](const auto& note) { return note.first == except; }))
        return;
    auto notes = std::move(later_);
    later_.clear();
    laterOnlyAbout_ = nullptr;
    for (const auto& [node, attribute] : notes)
        changed(*node, attribute);
}

void Graph::settle() {
    if (settling_) return;
    settling_ = true;
    std::set<PlugRef> done; // each sink once, so that a cycle cannot spin forever
    for (bool pulled = true; pulled;) {
        pulled = false;
        for (const auto& [destination, source] : incoming_) {
            Node& node = *destination.node;
            if (!typeIncludes(node.apiType(), MFn::kShape) || !node.inModel() ||
                !isDirty(node, destination.plug.attribute) || done.count(destination))
                continue;
            PlugRef sink = destination; // evaluate and store may change the connections
            done.insert(sink);
            node.store(sink.plug, evaluate(node, sink.plug));
            // The shape's own value changed: everything it feeds is dirty now.
            for (const auto& [from, to] : outgoing_)
                if (from.node == &node) markDirty(*to.node, to.plug.attribute);
            pulled = true;
            break;
        }
    }
    settling_ = false;
}

void Graph::propagate(Node& node, const Attribute* attribute) {
    for (const Attribute* member : familyOf(attribute)) {
        if (auto it = affects_.find(member); it != affects_.end())
            for (const Attribute* affected : it->second)
                markDirty(node, affected);
        for (const auto& [source, destination] : outgoing_)
            if (source.node == &node && source.plug.attribute == member)
                markDirty(*destination.node, destination.plug.attribute);
    }
}

void Graph::markDirty(Node& node, const Attribute* attribute) {
    Node::noteValueChange();
    firstSight(node);
    if (!dirty_.insert({&node, attribute}).second) return;
    node.dirtied(*attribute);
    propagate(node, attribute);
}

bool Graph::isDirty(const Node& node, const Attribute* attribute) const {
    return dirty_.count({&node, attribute}) > 0;
}

void Graph::setClean(const Node& node, const Attribute* attribute) {
    dirty_.erase({&node, attribute});
}

void Graph::forget(const Node* node) {
    Node::noteValueChange();
    seen_.erase(node);
    later_.erase(std::remove_if(later_.begin(), later_.end(),
                                [node](const auto& note) { return note.first == node; }),
                 later_.end());
    if (laterOnlyAbout_ == node) laterOnlyAbout_ = nullptr;
    for (auto it = dirty_.begin(); it != dirty_.end();)
        it = it->first == node ? dirty_.erase(it) : std::next(it);
}

} // namespace rvhost
