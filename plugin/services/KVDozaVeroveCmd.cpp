#include "services/KVDozaVeroveCmd.h"

#include "commands/RVCheckVersion.h"
#include "sculpt/KVDozaVerove.h"
#include "sculpt/KVPSCtxData.h"
#include "services/KVRamps.h"
#include "services/KVSculptRegistry.h"
#include "services/KVStencil.h"

#include <maya/M3dView.h>
#include <maya/MArgParser.h>
#include <maya/MDagPath.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

namespace {
const char* const kMaskFlag = "-m";
const char* const kClear = "-cl";
const char* const kInvert = "-inv";
const char* const kSculptGeometry = "-sg";
const char* const kCheckUpdate = "-cu";
const char* const kStencil = "-st";
const char* const kUpdate = "-upd";
const char* const kSetup = "-set";
const char* const kAddSelected = "-as";
const char* const kAdd = "-a";
const char* const kRenameCache = "-rnc";
const char* const kRemoveCache = "-rmc";
const char* const kRefreshCache = "-rfc";
const char* const kRemoveAllCache = "-rma";
const char* const kLinkSurface = "-ls";
const char* const kUnlinkSurface = "-uls";

const char* const kSculptGeometryHint =
    "Retrieve sculpt geo in global string array $gRVSculptMeshes[]{ ... }";

// "-add NAME": a name that resolves to a mesh (or a transform above one) is registered.
MStatus addNamed(const MArgParser& parser, KVDozaVerove& context) {
    MStatus status;
    const MString name = parser.flagArgumentString(kAdd, 0, &status);
    if (!status) return status;
    MSelectionList list;
    MDagPath path;
    status = list.add(name);
    if (status) status = list.getDagPath(0, path);
    if (status) status = KVSculptRegistry::instance().addMesh(path);
    if (status) context.setup(false);
    return status;
}

// The two names of a flag that takes a pair (parent and child, old and new).
MStatus namePair(const MArgParser& parser, const char* flag, MString& first, MString& second) {
    MStatus status;
    first = parser.flagArgumentString(flag, 0, &status);
    if (!status) return status;
    second = parser.flagArgumentString(flag, 1, &status);
    return status;
}

void forgetMeshes() {
    KVPSCtxData& data = KVPSCtxData::instance();
    data.meshesReady = false;
    data.displayDirty = false;
    data.meshModified = false;
}
} // namespace

const char* const KVDozaVeroveCmd::commandName = "RavelinContext";

void* KVDozaVeroveCmd::creator() {
    return new KVDozaVeroveCmd();
}

MPxContext* KVDozaVeroveCmd::makeObj() {
    context_ = new KVDozaVerove();
    return context_;
}

MStatus KVDozaVeroveCmd::appendSyntax() {
    MSyntax syntax = this->syntax();
    syntax.addFlag(kMaskFlag, "-mask");
    syntax.addFlag(kClear, "-clear");
    syntax.addFlag(kInvert, "-invert");
    syntax.addFlag(kSculptGeometry, "-sculptGeometry");
    syntax.addFlag(kCheckUpdate, "-checkUpdate");
    syntax.addFlag(kStencil, "-stencil");
    syntax.addFlag(kUpdate, "-update");
    syntax.addFlag(kSetup, "-setup");
    syntax.addFlag(kAddSelected, "-addSelected");
    syntax.addFlag(kAdd, "-add", MSyntax::kString);
    syntax.addFlag(kRenameCache, "-renameCache", MSyntax::kString, MSyntax::kString);
    syntax.addFlag(kRemoveCache, "-removeCache", MSyntax::kString);
    syntax.addFlag(kRefreshCache, "-refreshCache");
    syntax.addFlag(kRemoveAllCache, "-removeAllCache");
    syntax.addFlag(kLinkSurface, "-linkSurface", MSyntax::kString, MSyntax::kString);
    syntax.addFlag(kUnlinkSurface, "-unlinkSurface", MSyntax::kString, MSyntax::kString);
    syntax.setMinObjects(0);
    syntax.setMaxObjects(1);
    return MS::kSuccess;
}

// Every edit re-makes the manipulator and reloads settings and ramps, so an edit without
// flags pushes changed option variables into a live tool.
MStatus KVDozaVeroveCmd::doEditFlags() {
    const MArgParser parser = this->parser();
    MStringArray objects;
    parser.getObjects(objects);
    if (!context_) {
        MGlobal::displayError("DozaVerove Context must be initialized first.");
        return MS::kFailure;
    }
    context_->createManipulator();
    KVPSCtxData::instance().loadSculptSettings();
    loadRampsFromOptionVars();
    if (parser.isFlagSet(kStencil)) editStencil(parser);
    if (parser.isFlagSet(kAddSelected)) context_->setup(true);
    if (parser.isFlagSet(kAdd)) addNamed(parser, *context_);
    if (parser.isFlagSet(kMaskFlag)) editMask(parser);
    editCache(parser);
    KVSculptRegistry& registry = KVSculptRegistry::instance();
    MString parent, child;
    if (parser.isFlagSet(kLinkSurface)) {
        const MStatus status = namePair(parser, kLinkSurface, parent, child);
        if (!status) return status;
        registry.linkSurface(parent, child);
    }
    if (parser.isFlagSet(kUnlinkSurface)) {
        const MStatus status = namePair(parser, kUnlinkSurface, parent, child);
        if (!status) return status;
        registry.unlinkSurface(parent, child);
    }
    return MS::kSuccess;
}

void KVDozaVeroveCmd::editStencil(const MArgParser& parser) {
    KVStencil& stencil = KVStencil::instance();
    if (parser.isFlagSet(kUpdate) && stencil.imageFile.length() > 0) stencil.reloadStencilImage();
    if (parser.isFlagSet(kSetup) && stencil.imageFile.length() > 0 &&
        stencil.planeName.length() > 0)
        stencil.setupStencil(stencil.planeName, stencil.imageFile);
}

// Clear sets every weight to 1 (nothing held); invert turns each weight w into 1 - w and
// flags every vertex that is then held at all. Only the current record changes.
void KVDozaVeroveCmd::editMask(const MArgParser& parser) {
    KVSculptRegistry& registry = KVSculptRegistry::instance();
    if (registry.empty()) return;
    RVMeshData& record = registry.record(registry.currentIndex());
    const std::size_t n = record.points.length();
    if (parser.isFlagSet(kClear)) {
        record.maskFlag.assign(n, false);
        record.maskWeight.assign(n, 1.0);
    }
    if (parser.isFlagSet(kInvert)) {
        record.maskFlag.resize(n, false);
        record.maskWeight.resize(n, 1.0);
        for (std::size_t v = 0; v < n; ++v) {
            record.maskWeight[v] = 1.0 - record.maskWeight[v];
            record.maskFlag[v] = record.maskWeight[v] != 1.0;
        }
    }
}

void KVDozaVeroveCmd::editCache(const MArgParser& parser) {
    KVSculptRegistry& registry = KVSculptRegistry::instance();
    MStatus status;
    if (parser.isFlagSet(kRenameCache)) {
        MString oldName, newName;
        if (namePair(parser, kRenameCache, oldName, newName) && !registry.empty())
            registry.renameCache(oldName, newName);
    }
    if (parser.isFlagSet(kRemoveCache)) {
        const MString name = parser.flagArgumentString(kRemoveCache, 0, &status);
        if (status) {
            registry.removeByName(name);
            if (registry.empty()) forgetMeshes();
        }
    }
    if (parser.isFlagSet(kRemoveAllCache)) {
        registry.removeAll();
        forgetMeshes();
    }
    if (parser.isFlagSet(kRefreshCache)) {
        registry.refreshAll();
        M3dView::active3dView().refresh(false, true);
    }
}

MStatus KVDozaVeroveCmd::doQueryFlags() {
    const MArgParser parser = this->parser();
    if (parser.isFlagSet(kLinkSurface)) {
        MString parent, child;
        const MStatus status = namePair(parser, kLinkSurface, parent, child);
        if (!status) return status;
        setResult(KVSculptRegistry::instance().isLinked(parent, child));
    }
    if (parser.isFlagSet(kCheckUpdate)) setResult(RVCheckVersion::newestReleaseNumber());
    if (parser.isFlagSet(kSculptGeometry)) {
        KVSculptRegistry::instance().publishToScripts();
        setResult(MString(kSculptGeometryHint));
    }
    return MS::kSuccess;
}
