#pragma once
#include <maya/MStatus.h>

#include "scene/DagNode.h"
#include "scene/Graph.h"
#include "scene/Node.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace rvhost {

// The one scene: every node in the model, the world root, and the names. Names are unique
// across the whole scene; they hold letters, digits and underscores and do not start with
// a digit. A wanted name that is taken gets a number: its trailing digits are replaced by
// the lowest number that makes it unique ("pPlane1" taken gives "pPlane2", "foo" gives
// "foo1"); a '#' in a wanted name stands for that number.
//
// A failing call changes nothing and leaves its reason in lastError(), for the command
// that called it to show.
class Scene {
public:
    static Scene& instance();

    DagNode& world() { return *world_; }

    // Builds a node of a registered type and puts it in the model under `parent` (DAG
    // types; null means the world, and for a shape a new transform above it). An empty
    // name gives the type's default name. Returns null on failure.
    std::shared_ptr<Node> create(const std::string& typeName, const std::string& name = {},
                                 DagNode* parent = nullptr, MStatus* status = nullptr);
    // Puts a node built by its own room (not yet in the model) into the model.
    MStatus insert(const std::shared_ptr<Node>& node, const std::string& name,
                   DagNode* parent = nullptr);

    // A node name, a full path "|a|b" or a partial path "a|b"; null when none matches or
    // the text is empty.
    std::shared_ptr<Node> find(const std::string& nameOrPath) const;
    // Every node in the model, in creation order (the world root not included).
    std::vector<std::shared_ptr<Node>> nodes() const;

    // Renames; a clash gets a number as above. Returns the failure for an invalid name.
    MStatus rename(Node& node, const std::string& wanted);
    // Moves a DAG node under another (null: the world), keeping its local matrix.
    MStatus reparent(DagNode& node, DagNode* parent);

    // What a delete took out of the model, enough to put it back.
    struct Removal {
        struct Entry {
            std::shared_ptr<Node> node;
            std::weak_ptr<DagNode> parent; // DAG roots of the removal only
            size_t position = 0;           // index among the parent's children
        };
        std::vector<Entry> entries; // in the order they were removed
        std::vector<std::pair<PlugRef, PlugRef>> connections;
        bool empty() const { return entries.empty(); }
    };
    // Deletes a node and, for a DAG node, everything below it, with their connections; the
    // nodes stay alive as long as something holds them. Deleting the world or a deleted node does
    // nothing.
    Removal remove(Node& node);
    // Undoes a remove: the nodes return under their old parents with their old names (a
    // name taken meanwhile gets a number) and their connections.
    void restore(const Removal& removal);
    // Deletes everything (file -new).
    void clear();

    const std::string& lastError() const { return lastError_; }

    static bool isValidName(const std::string& name);
    // The name a node would get for `wanted` (already valid) with no other node named so;
    // `self` is ignored when looking for clashes.
    std::string uniqueName(const std::string& wanted, const Node* self = nullptr) const;

private:
    Scene();
    MStatus fail(MStatus status, std::string why);
    void adopt(const std::shared_ptr<Node>& node, const std::string& name);
    static void link(DagNode& child, DagNode& parent, size_t position);
    static void unlink(DagNode& child);
    void takeOut(const std::shared_ptr<Node>& node, Removal& removal);
    std::shared_ptr<Node> findPath(const std::string& path) const;

    std::shared_ptr<DagNode> world_;
    // In creation order; `sequence` orders restored nodes back into place.
    std::vector<std::shared_ptr<Node>> nodes_;
    std::map<std::string, Node*> names_;
    std::string lastError_;
};

} // namespace rvhost
