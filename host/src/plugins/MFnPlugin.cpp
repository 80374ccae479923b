#define MNoVersionString
#include <maya/MFnPlugin.h>

#include "plugins/Plugin.h"
#include "plugins/PluginManager.h"
#include "scene/NodeTypes.h"

using rvhost::Plugin;

namespace {

MStatus noPlugin(MStatus* status) {
    if (status) *status = MS::kFailure;
    return MS::kFailure;
}

// A text property of the plug-in, or "" and a failure without one.
MString property(const std::shared_ptr<Plugin>& plugin, MStatus* status,
                 std::string (*read)(const Plugin&)) {
    if (!plugin) {
        noPlugin(status);
        return MString();
    }
    if (status) *status = MS::kSuccess;
    return MString(read(*plugin));
}

} // namespace

MFnPlugin::MFnPlugin() = default;

MFnPlugin::MFnPlugin(const MObject& object, const char* vendor, const char* version,
                     const char* requiredApiVersion, MStatus* ReturnStatus)
    : plugin_(std::dynamic_pointer_cast<Plugin>(object.object())) {
    if (!plugin_) {
        noPlugin(ReturnStatus);
        return;
    }
    if (plugin_->initializing()) {
        plugin_->vendor = vendor ? vendor : "Unknown";
        plugin_->version = version ? version : "Unknown";
        plugin_->apiVersion = requiredApiVersion ? requiredApiVersion : "Any";
    }
    if (ReturnStatus) *ReturnStatus = MS::kSuccess;
}

MFnPlugin::~MFnPlugin() = default;

MString MFnPlugin::vendor(MStatus* ReturnStatus) const {
    return property(plugin_, ReturnStatus, [](const Plugin& p) { return p.vendor; });
}

MString MFnPlugin::version(MStatus* ReturnStatus) const {
    return property(plugin_, ReturnStatus, [](const Plugin& p) { return p.version; });
}

MString MFnPlugin::apiVersion(MStatus* ReturnStatus) const {
    return property(plugin_, ReturnStatus, [](const Plugin& p) { return p.apiVersion; });
}

MString MFnPlugin::name(MStatus* ReturnStatus) const {
    return property(plugin_, ReturnStatus, [](const Plugin& p) { return p.name(); });
}

MString MFnPlugin::loadPath(MStatus* ReturnStatus) const {
    return property(plugin_, ReturnStatus, [](const Plugin& p) { return p.loadPath(); });
}

MStatus MFnPlugin::setVersion(const MString& newVersion) {
    if (!plugin_) return noPlugin(nullptr);
    plugin_->version = newVersion.str();
    return MS::kSuccess;
}

MStatus MFnPlugin::registerCommand(const MString& commandName, MCreatorFunction creatorFunction,
                                   MCreateSyntaxFunction createSyntaxFunction) {
    if (!plugin_) return noPlugin(nullptr);
    return plugin_->addCommand(commandName.str(), creatorFunction, createSyntaxFunction);
}

MStatus MFnPlugin::deregisterCommand(const MString& commandName) {
    if (!plugin_) return noPlugin(nullptr);
    return plugin_->removeCommand(commandName.str());
}

MStatus MFnPlugin::registerContextCommand(const MString& commandName,
                                          MCreatorFunction creatorFunction) {
    return registerContextCommand(commandName, creatorFunction, "", nullptr);
}

MStatus MFnPlugin::registerContextCommand(const MString& commandName,
                                          MCreatorFunction creatorFunction,
                                          const MString& toolCmdName,
                                          MCreatorFunction toolCmdCreator,
                                          MCreateSyntaxFunction toolCmdSyntax) {
    if (!plugin_) return noPlugin(nullptr);
    return plugin_->addContextCommand(commandName.str(), creatorFunction, toolCmdName.str(),
                                      toolCmdCreator, toolCmdSyntax);
}

MStatus MFnPlugin::deregisterContextCommand(const MString& commandName) {
    return deregisterContextCommand(commandName, "");
}

MStatus MFnPlugin::deregisterContextCommand(const MString& commandName,
                                            const MString& toolCmdName) {
    if (!plugin_) return noPlugin(nullptr);
    return plugin_->removeContextCommand(commandName.str(), toolCmdName.str());
}

MStatus MFnPlugin::registerNode(const MString& typeName, const MTypeId& typeId,
                                MCreatorFunction creatorFunction, MInitializeFunction initFunction,
                                MPxNode::Type type, const MString* classification) {
    if (!plugin_) return noPlugin(nullptr);
    return plugin_->addNode(typeName.str(), typeId, creatorFunction, initFunction, type,
                            classification ? classification->str() : std::string());
}

MStatus MFnPlugin::deregisterNode(const MTypeId& typeId) {
    if (!plugin_) return noPlugin(nullptr);
    return plugin_->removeNode(typeId);
}

MStatus MFnPlugin::registerUI(const MString& creationProc, const MString& deletionProc,
                              const MString& creationBatchProc, const MString& deletionBatchProc) {
    if (!plugin_) return noPlugin(nullptr);
    plugin_->setUi(
        {creationProc.str(), deletionProc.str(), creationBatchProc.str(), deletionBatchProc.str()});
    return MS::kSuccess;
}

MObject MFnPlugin::findPlugin(const MString& pluginName) {
    std::shared_ptr<Plugin> plugin = rvhost::PluginManager::instance().find(pluginName.str());
    return plugin ? MObject(plugin) : MObject();
}

bool MFnPlugin::isNodeRegistered(const MString& typeName) {
    return rvhost::NodeTypes::instance().find(typeName.str()) != nullptr;
}
