#pragma once
#include <maya/MPxNode.h>
#include <maya/MStatus.h>
#include <maya/MTypeId.h>

#include <string>

namespace rvhost {

using NodeCreator = void* (*)();
using NodeInitializer = MStatus (*)();

// Registers a plug-in node type (MFnPlugin::registerNode): runs the initializer, which adds
// the type's static attributes (MPxNode::addAttribute) and their affects; then createNode
// and MFnDependencyNode::create can make nodes of it. Nodes get the base attributes of
// their kind (a deformer's input, outputGeometry, envelope) before the type's own; making
// one calls the creator, attaches the MPxNode and, once the node is named in the scene,
// calls postConstructor. A failing initializer or a taken name or id registers nothing.
MStatus registerPluginNode(const std::string& name, MTypeId id, NodeCreator creator,
                           NodeInitializer initialize, MPxNode::Type kind,
                           const std::string& classification, std::string* error = nullptr);
// Existing nodes of the type stay as they are.
MStatus deregisterPluginNode(const std::string& name);

} // namespace rvhost
