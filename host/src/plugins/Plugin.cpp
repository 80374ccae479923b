#include "plugins/Plugin.h"

#include <maya/MGlobal.h>

#include "graph/PluginNodes.h"
#include "plugins/CommandHandlers.h"
#include "plugins/ToolCommandKeeper.h"
#include "scene/Node.h"
#include "scene/NodeTypes.h"
#include "scene/Scene.h"
#include "tools/ContextRegistry.h"

#include <algorithm>
#include <filesystem>

namespace rvhost {

Plugin::Plugin(std::string name, std::string path)
    : name_(std::move(name)), path_(std::move(path)) {}

Plugin::~Plugin() = default;

std::string Plugin::loadPath() const {
    return std::filesystem::path(path_).parent_path().string();
}

bool Plugin::nameFree(const std::string& name) const {
    if (!name.empty() && !script::CommandTable::instance().contains(name)) return true;
    MGlobal::displayError(MString("Plug-in " + name_ + " cannot register command \"" + name +
                                  "\": the name is taken"));
    return false;
}

MStatus Plugin::addScriptCommand(const std::string& name, script::CommandHandler handler,
                                 std::vector<std::string>& list) {
    if (!nameFree(name)) return MS::kFailure;
    script::CommandTable::instance().add(name, std::move(handler));
    list.push_back(name);
    return MS::kSuccess;
}

MStatus Plugin::removeScriptCommand(const std::string& name, std::vector<std::string>& list) {
    auto it = std::find(list.begin(), list.end(), name);
    if (it == list.end()) return MS::kFailure;
    list.erase(it);
    script::CommandTable::instance().remove(name);
    return MS::kSuccess;
}

MStatus Plugin::addCommand(const std::string& name, MCreatorFunction creator,
                           MCreateSyntaxFunction syntaxCreator) {
    if (!creator) return MS::kInvalidParameter;
    return addScriptCommand(name, commandHandler(creator, syntaxCreator), commands_);
}

MStatus Plugin::removeCommand(const std::string& name) {
    return removeScriptCommand(name, commands_);
}

// The tool command is also a script command of its own, as in the real application.
MStatus Plugin::addContextCommand(const std::string& name, MCreatorFunction creator,
                                  const std::string& toolName, MCreatorFunction toolCreator,
                                  MCreateSyntaxFunction toolSyntax) {
    if (!creator || (!toolName.empty() && !toolCreator)) return MS::kInvalidParameter;
    if (!toolName.empty() && (toolName == name || !nameFree(toolName))) return MS::kFailure;
    MStatus status =
        addScriptCommand(name, contextCommandHandler(creator, toolCreator), contextCommands_);
    if (status && !toolName.empty()) {
        status = addCommand(toolName, toolCreator, toolSyntax);
        if (!status) removeScriptCommand(name, contextCommands_);
    }
    return status;
}

// Contexts the command made go with it, and so do their unfinished tool commands.
MStatus Plugin::removeContextCommand(const std::string& name, const std::string& toolName) {
    const MStatus status = removeScriptCommand(name, contextCommands_);
    if (!status) return status;
    dropContexts(name);
    if (!toolName.empty()) removeCommand(toolName);
    return status;
}

void Plugin::dropContexts(const std::string& contextCommand) {
    ContextRegistry::instance().removeMadeBy(contextCommand);
    ToolCommandKeeper::instance().removeMadeFor(contextCommand);
}

void Plugin::removeContexts() const {
    for (const std::string& name : contextCommands_)
        dropContexts(name);
}

MStatus Plugin::addNode(const std::string& name, MTypeId id, MCreatorFunction creator,
                        MInitializeFunction initialize, MPxNode::Type kind,
                        const std::string& classification) {
    std::string error;
    const MStatus status =
        registerPluginNode(name, id, creator, initialize, kind, classification, &error);
    if (!status) {
        MGlobal::displayError(
            MString("Plug-in " + name_ + " cannot register node type \"" + name + "\": " + error));
        return status;
    }
    nodeTypes_.push_back(name);
    return status;
}

MStatus Plugin::removeNode(MTypeId id) {
    const NodeType* type = NodeTypes::instance().findById(id);
    if (!type) return MS::kFailure;
    auto it = std::find(nodeTypes_.begin(), nodeTypes_.end(), type->name);
    if (it == nodeTypes_.end()) return MS::kFailure;
    const MStatus status = deregisterPluginNode(*it);
    nodeTypes_.erase(it);
    return status;
}

std::vector<std::shared_ptr<Node>> Plugin::nodesInUse() const {
    std::vector<std::shared_ptr<Node>> out;
    for (const std::shared_ptr<Node>& node : Scene::instance().nodes())
        if (std::find(nodeTypes_.begin(), nodeTypes_.end(), node->typeName()) != nodeTypes_.end())
            out.push_back(node);
    return out;
}

void Plugin::removeAll() {
    while (!contextCommands_.empty())
        removeContextCommand(contextCommands_.back(), "");
    while (!commands_.empty())
        removeCommand(commands_.back());
    for (const std::string& name : nodeTypes_)
        deregisterPluginNode(name);
    nodeTypes_.clear();
}

} // namespace rvhost
