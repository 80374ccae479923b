#include "services/KVDozaVeroveCmd.h"

#include "sculpt/KVDozaVerove.h"
#include "sculpt/KVPSCtxData.h"
#include "services/KVRamps.h"
#include "services/KVSculptRegistry.h"

#include <maya/MArgParser.h>
#include <maya/MDagPath.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

namespace {
const char* const kAddSelected = "-as";
const char* const kAdd = "-a";

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
    syntax.addFlag(kAddSelected, "-addSelected");
    syntax.addFlag(kAdd, "-add", MSyntax::kString);
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
    if (parser.isFlagSet(kAddSelected)) context_->setup(true);
    if (parser.isFlagSet(kAdd)) addNamed(parser, *context_);
    return MS::kSuccess;
}
