#include "graph/PluginNodes.h"

#include <maya/MDataBlock.h>
#include <maya/MPlug.h>
#include <maya/MPxDeformerNode.h>

#include "graph/NodeStatics.h"
#include "scene/DagNode.h"
#include "scene/Graph.h"
#include "scene/NodeTypes.h"

#include <vector>

namespace rvhost {

namespace {

// A node whose behaviour is a plug-in's MPxNode; Base is Node or DagNode.
template <class Base> class PluginNode : public Base {
public:
    PluginNode(std::string typeName, MFn::Type type) : Base(std::move(typeName), type) {}

    MStatus compute(const PlugId& plug) override {
        MPxNode* user = this->userNode();
        if (!user) return MS::kUnknownParameter;
        MPlug target(this->handle(), const_cast<Attribute*>(plug.attribute)->handle(), plug.index);
        MDataBlock block(*this);
        return user->compute(target, block);
    }
};

MFn::Type apiTypeOf(MPxNode::Type kind) {
    switch (kind) {
    case MPxNode::kDeformerNode:
        return MFn::kPluginDeformerNode;
    case MPxNode::kManipulatorNode:
        return MFn::kPluginManipulatorNode;
    case MPxNode::kLocatorNode:
        return MFn::kDagNode;
    default:
        return MFn::kPluginDependNode;
    }
}

bool isDag(MPxNode::Type kind) {
    return kind == MPxNode::kManipulatorNode || kind == MPxNode::kLocatorNode;
}

} // namespace

MStatus registerPluginNode(const std::string& name, MTypeId id, NodeCreator creator,
                           NodeInitializer initialize, MPxNode::Type kind,
                           const std::string& classification, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return MStatus(MS::kFailure);
    };
    NodeTypes& types = NodeTypes::instance();
    if (name.empty() || !creator || !initialize) return fail("Incomplete node registration.");
    if (types.find(name) || types.findById(id))
        return fail("A node type named '" + name + "' or with its id is registered already.");

    std::vector<std::shared_ptr<Attribute>> statics;
    if (kind == MPxNode::kDeformerNode) statics = deformerBaseAttributes();
    std::vector<std::shared_ptr<Attribute>> own;
    beginStaticAttributes(own);
    MStatus initialized = initialize();
    endStaticAttributes();
    if (!initialized) return fail("The initializer of node type '" + name + "' failed.");
    statics.insert(statics.end(), own.begin(), own.end());

    NodeType type;
    type.name = name;
    type.id = id;
    type.dag = isDag(kind);
    type.pluginKind = kind;
    type.classification = classification;
    MFn::Type apiType = apiTypeOf(kind);
    type.make = [=]() -> std::shared_ptr<Node> {
        std::shared_ptr<Node> node;
        if (isDag(kind))
            node = std::make_shared<PluginNode<DagNode>>(name, apiType);
        else
            node = std::make_shared<PluginNode<Node>>(name, apiType);
        node->setTypeId(id);
        for (const auto& attribute : statics)
            node->addAttribute(attribute, false);
        std::shared_ptr<MPxNode> user(static_cast<MPxNode*>(creator()));
        if (!user) return nullptr;
        user->attachTo(node.get());
        node->setUserNode(std::move(user));
        return node;
    };
    type.created = [](Node& node) { node.userNode()->postConstructor(); };
    if (MStatus added = types.add(std::move(type)); !added) return fail("Cannot add the type.");
    return MS::kSuccess;
}

MStatus deregisterPluginNode(const std::string& name) {
    const NodeType* type = NodeTypes::instance().find(name);
    if (!type || type->pluginKind < 0) return MS::kNotFound;
    return NodeTypes::instance().remove(name);
}

} // namespace rvhost
