#include <maya/MPxContext.h>

#include "tools/ContextState.h"
#include "tools/ManipulatorNodes.h"

MPxContext::MPxContext() : state_(std::make_unique<rvhost::ContextState>()) {}

// Not through the virtual deleteManipulators: the plug-in's part is already gone.
MPxContext::~MPxContext() {
    for (const MObject& manipulator : state_->manipulators)
        rvhost::ManipulatorNodes::destroy(manipulator);
}

void MPxContext::toolOnSetup(MEvent&) {}

void MPxContext::toolOffCleanup() {}

MStatus MPxContext::doPress(MEvent&) {
    return MS::kSuccess;
}
MStatus MPxContext::doRelease(MEvent&) {
    return MS::kSuccess;
}
MStatus MPxContext::doDrag(MEvent&) {
    return MS::kSuccess;
}
MStatus MPxContext::doHold(MEvent&) {
    return MS::kSuccess;
}
MStatus MPxContext::doEnterRegion(MEvent&) {
    return MS::kSuccess;
}

MStatus MPxContext::doPress(MEvent&, MHWRender::MUIDrawManager&, const MHWRender::MFrameContext&) {
    return MS::kNotImplemented;
}

MStatus MPxContext::doRelease(MEvent&, MHWRender::MUIDrawManager&,
                              const MHWRender::MFrameContext&) {
    return MS::kNotImplemented;
}

MStatus MPxContext::doDrag(MEvent&, MHWRender::MUIDrawManager&, const MHWRender::MFrameContext&) {
    return MS::kNotImplemented;
}

MStatus MPxContext::doHold(MEvent&, MHWRender::MUIDrawManager&, const MHWRender::MFrameContext&) {
    return MS::kNotImplemented;
}

MStatus MPxContext::drawFeedback(MHWRender::MUIDrawManager&, const MHWRender::MFrameContext&) {
    return MS::kNotImplemented;
}

MStatus MPxContext::helpStateHasChanged(MEvent&) {
    return MS::kSuccess;
}
void MPxContext::deleteAction() {}
void MPxContext::completeAction() {}
void MPxContext::abortAction() {}

bool MPxContext::processNumericalInput(const MDoubleArray&, const MIntArray&, bool) {
    return false;
}

bool MPxContext::feedbackNumericalInput() const {
    return false;
}

MSyntax::MArgType MPxContext::argTypeNumericalInput(unsigned int) const {
    return MSyntax::kNoArg;
}

void MPxContext::getClassName(MString& name) const {
    name = stringClassName();
}

MString MPxContext::stringClassName() const {
    return "MPxContext";
}

MStatus MPxContext::addManipulator(const MObject& manipulator) {
    if (!rvhost::ManipulatorNodes::isManipulator(manipulator)) return MS::kInvalidParameter;
    state_->manipulators.push_back(manipulator);
    return MS::kSuccess;
}

MStatus MPxContext::deleteManipulators() {
    // Taken out first: a manipulator's destructor may look at the context again.
    std::vector<MObject> doomed;
    doomed.swap(state_->manipulators);
    for (const MObject& manipulator : doomed)
        rvhost::ManipulatorNodes::destroy(manipulator);
    return MS::kSuccess;
}

MStatus MPxContext::setHelpString(const MString& str) {
    state_->helpString = str;
    return MS::kSuccess;
}

MStatus MPxContext::setTitleString(const MString& str) {
    state_->titleString = str;
    return MS::kSuccess;
}

MStatus MPxContext::setImage(const MString& image, ImageIndex index) {
    if (index < kImage1 || index > kImage3) return MS::kInvalidParameter;
    state_->images[index] = image;
    return MS::kSuccess;
}

MString MPxContext::image(ImageIndex index, MStatus* ReturnStatus) const {
    const bool valid = index >= kImage1 && index <= kImage3;
    if (ReturnStatus) *ReturnStatus = valid ? MS::kSuccess : MS::kInvalidParameter;
    return valid ? state_->images[index] : MString();
}

MStatus MPxContext::setCursor(const MCursor& cursor) {
    state_->cursor = cursor;
    return MS::kSuccess;
}

MCursor MPxContext::cursor(MStatus* ReturnStatus) const {
    if (ReturnStatus) *ReturnStatus = MS::kSuccess;
    return state_->cursor;
}

MPxToolCommand* MPxContext::newToolCommand() {
    return state_->makeToolCommand ? state_->makeToolCommand() : nullptr;
}
