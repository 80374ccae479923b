#pragma once
#include <maya/MStatus.h>

#include "scene/Node.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace rvhost {

// A plug of a particular node.
struct PlugRef {
    Node* node = nullptr;
    PlugId plug;
    bool operator==(const PlugRef& o) const { return node == o.node && plug == o.plug; }
    bool operator<(const PlugRef& o) const {
        return node != o.node ? node < o.node : plug < o.plug;
    }
};

using Connection = std::pair<PlugRef, PlugRef>; // source, destination

// The dependency graph: connections between plugs, which attribute affects which
// (attributeAffects), dirty flags and pull evaluation.
//
// - Setting a plug (set) or changing a value behind the graph's back (changed) dirties what
//   depends on it: the attributes it affects on the same node and, through connections,
//   the destinations downstream, each of which is told through Node::dirtied.
// - Reading a plug (evaluate) of a connected destination gives its source's value; reading
//   a dirty output calls Node::compute for it first.
// - Shapes are the graph's sinks: after every change the dirty connected inputs of shapes
//   are pulled and stored at once (a deformed mesh follows its inputs without being asked),
//   and what the shape feeds downstream is dirtied in turn.
class Graph {
public:
    static Graph& instance();

    void addAffects(const Attribute* when, const Attribute* affected);

    // A destination has one source; `force` replaces an existing one, else that fails.
    MStatus connect(const PlugRef& source, const PlugRef& destination, bool force = false);
    MStatus disconnect(const PlugRef& source, const PlugRef& destination);
    // The source feeding a destination (also through its parent compound), if any.
    bool source(const PlugRef& destination, PlugRef& source) const;
    std::vector<PlugRef> destinations(const PlugRef& source) const;
    // Every connection with an end on the node, as (source, destination).
    std::vector<Connection> connectionsOf(const Node& node) const;
    // Removes (and returns) every connection of the node, for a delete; undo reconnects.
    std::vector<Connection> disconnectAll(const Node& node);
    void reconnect(const std::vector<Connection>& connections);

    PlugValue evaluate(Node& node, const PlugId& plug);
    // Fails on a connected destination.
    MStatus set(Node& node, const PlugId& plug, PlugValue value);
    // The value of node.attribute changed in place (a shape's geometry edited directly).
    void changed(Node& node, const Attribute* attribute);
    // changed(), told later: the note is kept (once per node and attribute) and acted on
    // before the graph next evaluates, sets, connects or hears of a change, or at
    // flushLater. An edit made of many small steps (a point at a time) then costs one pass.
    // Inline: a point-at-a-time edit notes its mesh once a point.
    void changedLater(Node& node, const Attribute* attribute) {
        for (const auto& [noted, what] : later_)
            if (noted == &node && what == attribute) return;
        laterOnlyAbout_ = later_.empty() || laterOnlyAbout_ == &node ? &node : nullptr;
        later_.emplace_back(&node, attribute);
    }
    // Acts on the kept notes, unless every one of them is about `except`.
    void flushLater(const Node* except = nullptr) {
        if (later_.empty() || (except && laterOnlyAbout_ == except)) return;
        actOnLater(except);
    }
    bool hasLater() const { return !later_.empty(); }

    bool isDirty(const Node& node, const Attribute* attribute) const;
    void setClean(const Node& node, const Attribute* attribute);
    void markDirty(Node& node, const Attribute* attribute);

    // Drops what the graph knows of a node that is being destroyed.
    void forget(const Node* node);

    std::string lastError;

private:
    using Key = std::pair<const Node*, const Attribute*>;
    void actOnLater(const Node* except);
    void propagate(Node& node, const Attribute* attribute);
    // Pulls the dirty connected inputs of shapes until nothing is left to pull.
    void settle();
    bool settling_ = false;
    void firstSight(Node& node);
    bool hasCompute(const Attribute* attribute) const { return computed_.count(attribute) > 0; }

    std::map<const Attribute*, std::vector<const Attribute*>> affects_;
    std::set<const Attribute*> computed_; // attributes some other attribute affects
    std::map<PlugRef, PlugRef> incoming_; // destination -> source
    std::multimap<PlugRef, PlugRef> outgoing_;
    std::set<Key> dirty_;
    std::set<const Node*> seen_;
    // Changes told through changedLater, not yet acted on.
    std::vector<std::pair<Node*, const Attribute*>> later_;
    // The node every note is about, when there is one (null may also mean "not known").
    const Node* laterOnlyAbout_ = nullptr;
};

} // namespace rvhost
