// Includes run one way: shell > services > {display, heightmap, commands, nodes} > sculpt.
// The plug-in's entry points: the host calls initializePlugin when it loads the library and
// uninitializePlugin when it unloads it. MApiVersion comes from <maya/MFnPlugin.h>.
#include "commands/RVCheckVersion.h"
#include "commands/RVPolyCompare.h"
#include "display/KVPSDrawOverride.h"
#include "display/RavelinManipNode.h"
#include "heightmap/KVHeightMapCmd.h"
#include "nodes/RVDataNode.h"
#include "nodes/RVGeoLink.h"
#include "sculpt/KVDozaVeroveToolCmd.h"
#include "sculpt/KVPSCtxData.h"
#include "sculpt/KVSculptRegistry.h"
#include "services/KVDozaVeroveCmd.h"
#include "services/KVStencil.h"
#include "services/KVToolServices.h"
#include "shell/InstallPath.h"

#include <maya/MDrawRegistry.h>
#include <maya/MFnPlugin.h>
#include <maya/MGlobal.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

namespace {

const char* const kVendor = "Tolvenic";
const char* const kPluginVersion = "v1.0050";
const char* const kBuildDate = "08-05-2015";
const char* const kRequiredApi = "Maya2016 x64";

// Both scripts are sourced by one command, so that a missing one fails the whole load.
// The folder goes in as an escaped string literal: a quote or backslash in the registry's
// path must not end the string or run as script text.
MString sourceShelfScripts(const MString& installFolder) {
    return "source " + KVHeightMap::scriptLiteral(installFolder + "scripts/TVCreateShelfUI.mel") +
           "; source " + KVHeightMap::scriptLiteral(installFolder + "scripts/TVDeleteShelfUI.mel") +
           ";";
}

const char* const kShelfScriptsError =
    "Ravelin Sculpting Plugin Loading Error, Missing or Corrupt MEL Files: \n "
    "\"/scripts/tolvenic/ravelin3d/TVCreateShelfUI.mel\" and "
    "\"/scripts/tolvenic/ravelin3d/TVDeleteShelfUI.mel\"";

// Registration failures are reported and passed over; only kFailure counts as one.
MStatus reported(const MStatus& status, const char* message) {
    if (status == MS::kFailure) status.perror(message);
    return status;
}

void writeBuildInfo(const MString& installFolder) {
    MGlobal::setOptionVarValue("TVRVInfo_ProgramInstallPath", installFolder);
    MGlobal::setOptionVarValue("TVRVInfo_MLLVersion", MString(kPluginVersion));
    MGlobal::setOptionVarValue("TVRVInfo_MLLBuildDate", MString(kBuildDate));
}

// Everything after the shelf scripts, in the order the host expects to see it; the last
// status made is the one initializePlugin returns.
MStatus registerAll(MFnPlugin& plugin) {
    reported(plugin.registerUI("TVCreateShelfUI", "TVDeleteShelfUI", "", ""), "registerUIScripts");
    reported(plugin.registerNode(RavelinManipNode::typeName, RavelinManipNode::id,
                                 RavelinManipNode::creator, RavelinManipNode::initialize,
                                 MPxNode::kManipulatorNode, &RavelinManipNode::classification),
             "Error registering RavelinManipNode");
    reported(MHWRender::MDrawRegistry::registerDrawOverrideCreator(RavelinManipNode::classification,
                                                                   KVPSDrawOverride::registrantId,
                                                                   KVPSDrawOverride::creator),
             "Error registering KVPSDrawOverride");
    reported(plugin.registerNode(RVDataNode::typeName, RVDataNode::id, RVDataNode::creator,
                                 RVDataNode::initialize, MPxNode::kDependNode),
             "Error registering node RVDataNode");
    reported(plugin.registerNode(RVGeoLink::typeName, RVGeoLink::id, RVGeoLink::creator,
                                 RVGeoLink::initialize, MPxNode::kDeformerNode),
             "Error registering RVGeoLink");
    reported(plugin.registerCommand("KVHeightMap", KVHeightMap::creator),
             "registerCommand: KVHeightMap");
    reported(plugin.registerCommand("RVPolyCompare", RVPolyCompare::creator, RVPolyCompare::newSyntax),
             "registerCommand: RVPolyCompare");
    const MStatus status = reported(plugin.registerCommand(RVCheckVersion::commandName,
                                                           RVCheckVersion::creator,
                                                           RVCheckVersion::newSyntax),
                                    "registerCommand: RVCheckVersion");
    return status;
}

} // namespace

PLUGIN_EXPORT MStatus initializePlugin(MObject obj) {
    MString installFolder;
    const MStatus found = InstallPath::lookUp(installFolder);
    if (!found) return found;
    writeBuildInfo(installFolder);

    MFnPlugin plugin(obj, kVendor, kPluginVersion, kRequiredApi);
    KVSculptServices::install(&KVToolServices::instance());
    reported(plugin.registerContextCommand(KVDozaVeroveCmd::commandName, KVDozaVeroveCmd::creator,
                                           KVDozaVeroveToolCmd::commandName,
                                           KVDozaVeroveToolCmd::creator),
             "registerContextCommand");
    const MStatus sourced =
        MGlobal::executeCommand(sourceShelfScripts(installFolder), false, false);
    if (sourced == MS::kFailure) {
        sourced.perror(kShelfScriptsError);
        return sourced;
    }
    const MStatus status = registerAll(plugin);
    MGlobal::executeCommand("print \"Ravelin Sculpting Plugin Loaded OK.\\n\"", false, false);
    return status;
}

// Nearly the reverse of initializePlugin; the interface procedures are left to the host.
PLUGIN_EXPORT MStatus uninitializePlugin(MObject obj) {
    MFnPlugin plugin(obj, "Unknown", "Unknown", "Any");
    reported(plugin.deregisterCommand(RVCheckVersion::commandName),
             "deregisterCommand RVCheckVersion");
    reported(plugin.deregisterCommand("RVPolyCompare"), "deregisterCommand RVPolyCompare");
    MStatus status =
        reported(plugin.deregisterCommand("KVHeightMap"), "deregisterCommand KVHeightMap");
    reported(plugin.deregisterNode(RVGeoLink::id), "Error deregistering deformer node: RVGeoLink");
    reported(plugin.deregisterNode(RVDataNode::id),
             "Error deregistering deformer node: RVSculptData");
    reported(MHWRender::MDrawRegistry::deregisterDrawOverrideCreator(
                 RavelinManipNode::classification, KVPSDrawOverride::registrantId),
             "Error deregistering KVPSDrawOverride");
    reported(plugin.deregisterNode(RavelinManipNode::id), "Error deregistering RavelinManipNode");
    status = reported(plugin.deregisterContextCommand(KVDozaVeroveCmd::commandName,
                                                      KVDozaVeroveToolCmd::commandName),
                      "deregisterContextCommand");
    // The library may stay mapped after unloading; the next load starts with no records
    // and the sculpt state's defaults, as a fresh library would.
    KVSculptRegistry::instance().removeAll();
    KVPSCtxData::instance() = KVPSCtxData();
    KVStencil::instance().reset();
    KVSculptServices::install(nullptr);
    return status;
}
