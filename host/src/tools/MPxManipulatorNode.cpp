#include <maya/MPxManipulatorNode.h>

#include "tools/ManipulatorNodes.h"
#include "tools/Mouse.h"

MPxManipulatorNode::MPxManipulatorNode() = default;

MPxManipulatorNode::~MPxManipulatorNode() {
    rvhost::ManipulatorNodes::stopListening(this);
}

MPxNode::Type MPxManipulatorNode::type() const {
    return kManipulatorNode;
}

MPxManipulatorNode* MPxManipulatorNode::newManipulator(const MString& manipName,
                                                       MObject& manipObject,
                                                       MStatus* ReturnStatus) {
    MStatus status;
    MPxManipulatorNode* manipulator =
        rvhost::ManipulatorNodes::create(manipName.asChar(), manipObject, status);
    if (ReturnStatus) *ReturnStatus = status;
    return manipulator;
}

MStatus MPxManipulatorNode::connectToDependNode(const MObject& dependNode) {
    if (dependNode.isNull()) return MS::kInvalidParameter;
    dependNode_ = dependNode;
    return MS::kSuccess;
}

void MPxManipulatorNode::draw(M3dView&, const MDagPath&, M3dView::DisplayStyle,
                              M3dView::DisplayStatus) {}

void MPxManipulatorNode::preDrawUI(const M3dView&) {}

void MPxManipulatorNode::drawUI(MHWRender::MUIDrawManager&, const MHWRender::MFrameContext&) const {
}

MStatus MPxManipulatorNode::doPress(M3dView&) {
    return MS::kUnknownParameter;
}
MStatus MPxManipulatorNode::doDrag(M3dView&) {
    return MS::kUnknownParameter;
}
MStatus MPxManipulatorNode::doRelease(M3dView&) {
    return MS::kUnknownParameter;
}
MStatus MPxManipulatorNode::doMove(M3dView&, bool&) {
    return MS::kUnknownParameter;
}

MStatus MPxManipulatorNode::registerForMouseMove() {
    rvhost::ManipulatorNodes::listen(this);
    return MS::kSuccess;
}

MStatus MPxManipulatorNode::deregisterForMouseMove() {
    rvhost::ManipulatorNodes::stopListening(this);
    return MS::kSuccess;
}

MStatus MPxManipulatorNode::mousePosition(short& x_pos, short& y_pos) const {
    const rvhost::Mouse& mouse = rvhost::Mouse::instance();
    x_pos = mouse.x();
    y_pos = mouse.y();
    return MS::kSuccess;
}

// Manipulators sit under no transform here, so their local space is world space.
MStatus MPxManipulatorNode::mouseRay(MPoint& linePoint, MVector& lineDirection) const {
    return mouseRayWorld(linePoint, lineDirection);
}

MStatus MPxManipulatorNode::mouseRayWorld(MPoint& linePoint, MVector& lineDirection) const {
    short x = 0;
    short y = 0;
    mousePosition(x, y);
    return M3dView::active3dView().viewToWorld(x, y, linePoint, lineDirection);
}
