#include "sculpt/KVDozaVerove.h"

#include "display/RavelinManipNode.h"
#include "sculpt/KVDozaVeroveToolCmd.h"
#include "sculpt/KVGrabBrush.h"
#include "sculpt/KVPSCtxData.h"
#include "sculpt/KVSculptServices.h"
#include "sculpt/KVStroke.h"
#include "services/KVRamps.h"
#include "services/KVSculptRegistry.h"
#include "services/KVStencil.h"

#include <maya/M3dView.h>
#include <maya/MCursor.h>
#include <maya/MGlobal.h>
#include <maya/MObject.h>

namespace {
const int kEraserPointer = 3;

MString toolImage() {
    return MGlobal::optionVarStringValue("TVRVInfo_ProgramInstallPath") +
           "scripts/icons/ravelin_ctx_button.png";
}

KVCursorSample sampleOf(const MEvent& event) {
    KVCursorSample sample;
    event.getPosition(sample.x, sample.y);
    sample.control = event.isModifierControl();
    sample.shift = event.isModifierShift();
    return sample;
}

// Shift alone smooths; the pen's eraser end has a mode of its own; else the stored mode.
void chooseWorkingMode(KVPSCtxData& data, const KVCursorSample& sample) {
    const RavelinManipNode* manipulator = RavelinManipNode::current();
    data.shiftHeld = sample.shift;
    if (sample.shift && !sample.control)
        data.mode = kSmooth;
    else if (manipulator && manipulator->pointerType == kEraserPointer)
        data.mode = data.tabletAssignEraserTool;
    else
        data.mode = data.baseMode;
}

MStatus refreshView(bool all, bool force) {
    return M3dView::active3dView().refresh(all, force);
}

bool strokeUnderWay(const KVPSCtxData& data) {
    return data.meshesReady && data.strokeActive;
}
} // namespace

KVDozaVerove::KVDozaVerove() {
    setCursor(MCursor::pencilCursor);
    setImage(toolImage(), kImage1);
}

void KVDozaVerove::toolOnSetup(MEvent& event) {
    KVPSCtxData& data = KVPSCtxData::instance();
    data.setupEvent = event;
    data.vertexColor = MColor(0.0f, 1.0f, 1.0f, 1.0f);
    MGlobal::executeCommand("changeSelectMode -object;");
    data.displayDirty = false;
    data.meshModified = false;
    setHelpString("Click and drag on a shape to sculpt.");
    setImage(toolImage(), kImage1);
    setTitleString("Ravelin");
    setup(false);
}

void KVDozaVerove::toolOffCleanup() {
    KVPSCtxData& data = KVPSCtxData::instance();
    // Put away in the middle of a stroke, the tool ends it as a release would, so that the
    // stroke is written back and stays one step of the undo queue.
    if (data.setUp && strokeUnderWay(data)) {
        finishStroke();
        MGlobal::displayWarning("Ravelin: the tool was put away during a stroke; the stroke "
                                "was ended there.");
    }
    if (!KVSculptRegistry::instance().empty()) {
        if (RavelinManipNode* manipulator = RavelinManipNode::current())
            manipulator->nodeObject = MObject();
        RavelinManipNode::setCurrent(nullptr);
        deleteManipulators();
    }
    data.displayDirty = false;
    data.setUp = false;
    MPxContext::toolOffCleanup();
}

MStatus KVDozaVerove::doPress(MEvent& event) {
    return pressHandler(event);
}
MStatus KVDozaVerove::doRelease(MEvent& event) {
    return releaseHandler(event);
}
MStatus KVDozaVerove::doDrag(MEvent& event) {
    return dragHandler(event);
}
MStatus KVDozaVerove::doHold(MEvent& event) {
    return dragHandler(event);
}
MStatus KVDozaVerove::doPress(MEvent& event, MHWRender::MUIDrawManager&,
                              const MHWRender::MFrameContext&) {
    return pressHandler(event);
}
MStatus KVDozaVerove::doRelease(MEvent& event, MHWRender::MUIDrawManager&,
                                const MHWRender::MFrameContext&) {
    return releaseHandler(event);
}
MStatus KVDozaVerove::doDrag(MEvent& event, MHWRender::MUIDrawManager&,
                             const MHWRender::MFrameContext&) {
    return dragHandler(event);
}
MStatus KVDozaVerove::doHold(MEvent& event, MHWRender::MUIDrawManager&,
                             const MHWRender::MFrameContext&) {
    return dragHandler(event);
}

void KVDozaVerove::getClassName(MString& name) const {
    name = "RavelinTool";
}

MStatus KVDozaVerove::setup(bool addSelected) {
    KVSculptRegistry& registry = KVSculptRegistry::instance();
    KVPSCtxData& data = KVPSCtxData::instance();
    if (addSelected) registry.addSelected();
    if (registry.empty() || !registry.anyInModel()) {
        registry.publishToScripts();
        data.setUp = false;
        data.meshesReady = false;
        return MS::kFailure;
    }
    registry.refreshAll();
    data.meshesReady = true;
    createManipulator();
    data.loadSculptSettings();
    loadRampsFromOptionVars();
    KVStencil::instance().prepareForSetup();
    data.setUp = true;
    return MS::kSuccess;
}

MStatus KVDozaVerove::createManipulator() {
    MObject node;
    MStatus status;
    auto* manipulator = static_cast<RavelinManipNode*>(
        MPxManipulatorNode::newManipulator(RavelinManipNode::typeName, node, &status));
    RavelinManipNode::setCurrent(manipulator);
    if (!manipulator) return MS::kFailure;
    manipulator->nodeObject = node;
    manipulator->bindRampHandles();
    deleteManipulators();
    return addManipulator(node);
}

MStatus KVDozaVerove::pressHandler(MEvent& event) {
    KVPSCtxData& data = KVPSCtxData::instance();
    if (!data.setUp) return MS::kFailure;
    const KVCursorSample sample = sampleOf(event);
    KVStroke stroke = KVStroke::standard();
    if (!stroke.recordUnderCursor(sample.x, sample.y)) return MS::kFailure;
    data.strokeActive = true;
    data.loadSculptSettings();
    loadRampsFromOptionVars();
    chooseWorkingMode(data, sample);
    toolCommand_ = static_cast<KVDozaVeroveToolCmd*>(newToolCommand());
    stroke.beginStroke(sample);
    return refreshView(false, true);
}

MStatus KVDozaVerove::dragHandler(MEvent& event) {
    KVPSCtxData& data = KVPSCtxData::instance();
    if (!data.setUp) return MS::kFailure;
    if (!strokeUnderWay(data)) return MS::kSuccess;
    const KVCursorSample sample = sampleOf(event);
    if (!KVSculptRegistry::instance().currentRecord()) return MS::kFailure;
    chooseWorkingMode(data, sample);
    data.controlHeld = sample.control;
    if (data.mode != kGrab) {
        updateStrokeMultipliers(data, RavelinManipNode::current());
        KVStroke::standard().applyDab(sample);
    } else {
        KVGrabBrush(data, KVSculptServices::current()).applyGrab(sample);
    }
    return refreshView(false, true);
}

MStatus KVDozaVerove::releaseHandler(MEvent&) {
    KVPSCtxData& data = KVPSCtxData::instance();
    if (!data.setUp) return MS::kFailure;
    if (!strokeUnderWay(data)) return MS::kNotFound;
    finishStroke();
    return refreshView(true, false);
}

void KVDozaVerove::finishStroke() {
    KVPSCtxData& data = KVPSCtxData::instance();
    data.strokeActive = false;
    endStroke();
    if (!toolCommand_) toolCommand_ = static_cast<KVDozaVeroveToolCmd*>(newToolCommand());
    if (toolCommand_) {
        data.inToolCommandDo = true;
        toolCommand_->redoIt();
        data.inToolCommandDo = false;
        toolCommand_->finalize();
        toolCommand_ = nullptr;
    }
}

MStatus KVDozaVerove::endStroke() {
    KVPSCtxData& data = KVPSCtxData::instance();
    if (RavelinManipNode* manipulator = RavelinManipNode::current())
        manipulator->tabletActive = false;
    data.controlHeld = false;
    data.shiftHeld = false;
    data.restoreWorkingSettings();
    data.showRotateDial = false;
    data.showScaleDial = false;
    data.strokeFinished = true;
    data.strokeTimer.endTimer();
    data.strokeActive = false;
    data.displayDirty = true;
    KVSculptRegistry& registry = KVSculptRegistry::instance();
    MStatus status = MS::kNotFound;
    for (RVMeshData& record : registry.records())
        status = record.writeBackPoints();
    return status;
}
