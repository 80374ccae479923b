#pragma once
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTypeId.h>

#include "core/Object.h"
#include "scene/Attribute.h"

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <variant>
#include <vector>

class MPxNode;

namespace rvhost {

class DagNode;

// One plug of a node: an attribute and, when the attribute is an array or the child of
// an array compound, the logical index of the element (-1 for none).
struct PlugId {
    const Attribute* attribute = nullptr;
    int index = -1;
    bool operator==(const PlugId& o) const { return attribute == o.attribute && index == o.index; }
    bool operator!=(const PlugId& o) const { return !(*this == o); }
    bool operator<(const PlugId& o) const {
        return attribute != o.attribute ? attribute < o.attribute : index < o.index;
    }
};

// What a plug holds: nothing yet, a number (every numeric kind is kept as a double), a
// text (string attributes) or a data object (the Data subclasses; ramps, meshes...).
using PlugValue = std::variant<std::monostate, double, std::string, MObject>;

// A dependency node. Everything in the scene is one: the scene owns it while it is in the
// model; handles (MObject) keep it alive after a delete so that undo can put it back.
//
// Subclasses: DagNode (anything with a place in the hierarchy), then Transform and the
// shapes of other rooms. A shape room derives from DagNode, passes its MFn type (kMesh...)
// and type name, adds its static attributes in its constructor (addAttribute with
// dynamic=false) and registers a maker with NodeTypes so that createNode can build it.
class Node : public Object, public std::enable_shared_from_this<Node> {
public:
    Node(std::string typeName, MFn::Type type);
    ~Node() override;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    MFn::Type apiType() const override { return type_; }
    MObject handle() { return MObject(shared_from_this()); }
    virtual DagNode* asDag() { return nullptr; }
    virtual const DagNode* asDag() const { return nullptr; }
    // How many vertices, edges or faces (by component type) the node's shape has; -1 for
    // a node that has no such components.
    virtual int componentCount(MFn::Type) const { return -1; }

    const std::string& name() const { return name_; }
    const std::string& typeName() const { return typeName_; }
    MTypeId typeId() const { return typeId_; }
    void setTypeId(MTypeId id) { typeId_ = id; }
    // False while deleted (still held by a handle, restorable by undo).
    bool inModel() const { return inModel_; }

    // The plug-in's object behind a plug-in node, or null.
    MPxNode* userNode() const { return userNode_.get(); }
    void setUserNode(std::shared_ptr<MPxNode> node) { userNode_ = std::move(node); }

    // Attributes, static first then dynamic, each with its children after it.
    const std::vector<std::shared_ptr<Attribute>>& attributes() const { return attributes_; }
    // By long or short name; children are found too ("translateX", "tx").
    std::shared_ptr<Attribute> findAttribute(const std::string& name) const;
    bool hasAttribute(const Attribute* attribute) const;
    // Adds the attribute and its children. Fails (and adds nothing) when a name is taken.
    MStatus addAttribute(const std::shared_ptr<Attribute>& attribute, bool dynamic = true);
    // Only dynamic top-level attributes can be removed; their values go with them.
    MStatus removeAttribute(const Attribute& attribute);
    bool isDynamic(const Attribute& attribute) const;

    // The stored value of a plug, or its default when never set. No evaluation.
    PlugValue storedValue(const PlugId& plug) const;
    // Stores a value (typed data is cloned); adds the array element if need be.
    void store(const PlugId& plug, PlugValue value);
    // Counts the changes that can alter what a plug reads: stored values, removed
    // attributes, and (noted by the graph) connections, dirty flags and forgotten nodes.
    // A reader may keep what it read while the count stands still.
    static std::uint64_t valueGeneration() { return generation_; }
    static void noteValueChange() { ++generation_; }
    // Logical indices of the existing elements of an array attribute, ascending.
    std::vector<int> elements(const Attribute& array) const;
    void addElement(const Attribute& array, int index);

    bool isLocked(const PlugId& plug) const { return locked_.count(plug) > 0; }
    void setLocked(const PlugId& plug, bool locked);

    // Brings a dirty output plug up to date (plug-in nodes call their MPxNode). The
    // default has nothing to compute.
    virtual MStatus compute(const PlugId&) { return MS::kUnknownParameter; }
    // Told when an attribute of this node becomes dirty, e.g. a shape's inMesh whose
    // source changed, so that it pulls the new value before it is next used.
    virtual void dirtied(const Attribute&) {}

protected:
    // Shapes that keep a value in a form of their own (a mesh's geometry) serve those
    // plugs here; return false to use the ordinary store.
    virtual bool readHook(const PlugId&, PlugValue&) const { return false; }
    virtual bool writeHook(const PlugId&, const PlugValue&) { return false; }

private:
    friend class Scene;
    static inline std::uint64_t generation_ = 0;
    void collect(const std::shared_ptr<Attribute>& attribute, bool dynamic);

    MFn::Type type_;
    std::string typeName_;
    std::string name_;
    unsigned long sequence_ = 0; // creation order in the scene
    MTypeId typeId_;
    bool inModel_ = false;
    std::shared_ptr<MPxNode> userNode_;
    std::vector<std::shared_ptr<Attribute>> attributes_;
    std::set<const Attribute*> dynamic_;
    std::map<PlugId, PlugValue> values_;
    std::map<const Attribute*, std::set<int>> elements_;
    std::set<PlugId> locked_;
};

// The node behind a handle, or null when it names something else.
std::shared_ptr<Node> nodeOf(const MObject& object);
// A plug's default: the attribute's default number or data, as a PlugValue.
PlugValue defaultValue(const Attribute& attribute);

} // namespace rvhost
