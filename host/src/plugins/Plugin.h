#pragma once
#include <maya/MPxNode.h>
#include <maya/MStatus.h>
#include <maya/MTypeId.h>
#include <maya/MTypes.h>

#include "core/Object.h"
#include "script/CommandTable.h"

#include <memory>
#include <string>
#include <vector>

namespace rvhost {

class Node;

// One loaded plug-in: what it says of itself and everything it registered, so that
// unloading it, or a failed initializePlugin, can take all of that back. An MObject of
// type kPlugin names it.
class Plugin : public Object {
public:
    struct UiProcedures {
        std::string create, remove, createBatch, removeBatch;
    };

    Plugin(std::string name, std::string path);
    ~Plugin() override;
    MFn::Type apiType() const override { return MFn::kPlugin; }

    const std::string& name() const { return name_; }
    const std::string& path() const { return path_; }
    // The folder the library was loaded from.
    std::string loadPath() const;

    // Vendor and versions are taken while the plug-in initialises; the MFnPlugin that
    // uninitializePlugin builds does not overwrite them.
    bool initializing() const { return initializing_; }
    void setInitializing(bool on) { initializing_ = on; }
    std::string vendor = "Unknown";
    std::string version = "Unknown";
    std::string apiVersion = "Any";

    MStatus addCommand(const std::string& name, MCreatorFunction creator,
                       MCreateSyntaxFunction syntaxCreator);
    MStatus removeCommand(const std::string& name);
    MStatus addContextCommand(const std::string& name, MCreatorFunction creator,
                              const std::string& toolName, MCreatorFunction toolCreator,
                              MCreateSyntaxFunction toolSyntax);
    MStatus removeContextCommand(const std::string& name, const std::string& toolName);

    MStatus addNode(const std::string& name, MTypeId id, MCreatorFunction creator,
                    MInitializeFunction initialize, MPxNode::Type kind,
                    const std::string& classification);
    MStatus removeNode(MTypeId id);
    // Nodes of this plug-in's types that are in the scene.
    std::vector<std::shared_ptr<Node>> nodesInUse() const;

    void setUi(UiProcedures procedures) { ui_ = std::move(procedures); }
    const UiProcedures& ui() const { return ui_; }

    // Everything still registered, taken back.
    void removeAll();

    const std::vector<std::string>& commands() const { return commands_; }
    const std::vector<std::string>& contextCommands() const { return contextCommands_; }
    const std::vector<std::string>& nodeTypes() const { return nodeTypes_; }
    // Removes every context the plug-in's context commands made.
    void removeContexts() const;

private:
    static void dropContexts(const std::string& contextCommand);
    // Shows why when the name cannot be registered.
    bool nameFree(const std::string& name) const;
    MStatus addScriptCommand(const std::string& name, script::CommandHandler handler,
                             std::vector<std::string>& list);
    static MStatus removeScriptCommand(const std::string& name, std::vector<std::string>& list);

    std::string name_;
    std::string path_;
    bool initializing_ = false;
    std::vector<std::string> commands_; // tool commands included
    std::vector<std::string> contextCommands_;
    std::vector<std::string> nodeTypes_;
    UiProcedures ui_;
};

} // namespace rvhost
