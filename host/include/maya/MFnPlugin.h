#pragma once
#include <maya/MFn.h>
#include <maya/MObject.h>
#include <maya/MPxNode.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypeId.h>
#include <maya/MTypes.h>

#include <memory>

#ifndef PLUGIN_EXPORT
#define PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

namespace rvhost {
class Plugin;
}

// Registers a plug-in's commands, contexts, nodes and interface procedures with the host,
// on the plug-in object the host passes to initializePlugin and uninitializePlugin.
// Whatever a plug-in leaves registered is removed when it is unloaded.
class OPENMAYA_EXPORT MFnPlugin {
public:
    MFnPlugin();
    MFnPlugin(const MObject& object, const char* vendor = "Unknown",
              const char* version = "Unknown", const char* requiredApiVersion = "Any",
              MStatus* ReturnStatus = nullptr);
    virtual ~MFnPlugin();

    virtual MFn::Type type() const { return MFn::kPlugin; }

    MString vendor(MStatus* ReturnStatus = nullptr) const;
    MString version(MStatus* ReturnStatus = nullptr) const;
    MString apiVersion(MStatus* ReturnStatus = nullptr) const;
    MString name(MStatus* ReturnStatus = nullptr) const;
    MString loadPath(MStatus* ReturnStatus = nullptr) const;
    MStatus setVersion(const MString& newVersion);

    MStatus registerCommand(const MString& commandName, MCreatorFunction creatorFunction,
                            MCreateSyntaxFunction createSyntaxFunction = nullptr);
    MStatus deregisterCommand(const MString& commandName);

    MStatus registerContextCommand(const MString& commandName, MCreatorFunction creatorFunction);
    MStatus registerContextCommand(const MString& commandName, MCreatorFunction creatorFunction,
                                   const MString& toolCmdName, MCreatorFunction toolCmdCreator,
                                   MCreateSyntaxFunction toolCmdSyntax = nullptr);
    MStatus deregisterContextCommand(const MString& commandName);
    MStatus deregisterContextCommand(const MString& commandName, const MString& toolCmdName);

    // Dependency, deformer and manipulator nodes (and the other kinds the scene knows).
    MStatus registerNode(const MString& typeName, const MTypeId& typeId,
                         MCreatorFunction creatorFunction, MInitializeFunction initFunction,
                         MPxNode::Type type = MPxNode::kDependNode,
                         const MString* classification = nullptr);
    MStatus deregisterNode(const MTypeId& typeId);

    // This host runs in batch mode: the batch procedures are run, the creation one after
    // initializePlugin succeeds and the deletion one before uninitializePlugin.
    MStatus registerUI(const MString& creationProc, const MString& deletionProc,
                       const MString& creationBatchProc = "",
                       const MString& deletionBatchProc = "");

    static MObject findPlugin(const MString& pluginName);
    static bool isNodeRegistered(const MString& typeName);

private:
    std::shared_ptr<rvhost::Plugin> plugin_;
};

// The API level a plug-in is built against, exported for the host to check before it calls
// initializePlugin. Inline, so that every file of a plug-in may include this header, and
// kept though nothing in the plug-in reads it; a plug-in that defines MApiVersion itself
// defines MNoVersionString first.
#if !defined(MNoVersionString) && !defined(MNoPluginEntry)
#define MFNPLUGIN_TEXT_(x) #x
#define MFNPLUGIN_TEXT(x) MFNPLUGIN_TEXT_(x)
extern "C" {
PLUGIN_EXPORT __attribute__((used)) inline char MApiVersion[] = MFNPLUGIN_TEXT(MAYA_API_VERSION);
}
#endif
