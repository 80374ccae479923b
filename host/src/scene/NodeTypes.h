#pragma once
#include <maya/MTypeId.h>

#include "scene/Node.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace rvhost {

// How to build a node of one type. Built-in types (transform, mesh...) and plug-in types
// (through MFnPlugin::registerNode) all live here; createNode and MFnDependencyNode::create
// go through it.
struct NodeType {
    std::string name;
    MTypeId id;
    // Builds the node with its static attributes, not yet in the scene.
    std::function<std::shared_ptr<Node>()> make;
    // Runs once the node is in the scene with its name (a plug-in's postConstructor).
    std::function<void(Node&)> created;
    // Base of default names ("transform" gives transform1, transform2...).
    std::string defaultName;
    // True for DAG types; a DAG type that is not a transform gets a transform made above it
    // when created without a parent.
    bool dag = false;
    bool transform = false;
    // Plug-in types only: the MPxNode::Type value and the classification string.
    int pluginKind = -1;
    std::string classification;
};

class NodeTypes {
public:
    static NodeTypes& instance();

    // Fails when the name or (non-zero) id is taken.
    MStatus add(NodeType type);
    MStatus remove(const std::string& name);
    const NodeType* find(const std::string& name) const;
    const NodeType* findById(MTypeId id) const;

private:
    NodeTypes();
    std::map<std::string, NodeType> types_;
};

} // namespace rvhost
