#pragma once
#include <maya/M3dView.h>
#include <maya/MObject.h>
#include <maya/MPoint.h>
#include <maya/MPxNode.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

class MDagPath;

namespace MHWRender {
class MUIDrawManager;
class MFrameContext;
} // namespace MHWRender

// Base of a plug-in manipulator: a node that a tool context adds to itself, that draws over
// the view and that can follow the mouse. Manipulators live outside the scene: they are not
// listed, saved or drawn as geometry, and they go when their context deletes them.
class OPENMAYA_EXPORT MPxManipulatorNode : public MPxNode {
public:
    MPxManipulatorNode();
    ~MPxManipulatorNode() override;

    MPxNode::Type type() const override;

    // A new manipulator of the registered manipulator node type `manipName`; its node in
    // `manipObject`. Null (and manipObject untouched) for an unknown or non-manipulator type.
    static MPxManipulatorNode* newManipulator(const MString& manipName, MObject& manipObject,
                                              MStatus* ReturnStatus = nullptr);

    virtual MStatus connectToDependNode(const MObject& dependNode);

    // The legacy viewport's draw, between M3dView::beginGL and endGL.
    virtual void draw(M3dView& view, const MDagPath& path, M3dView::DisplayStyle style,
                      M3dView::DisplayStatus status);
    virtual void preDrawUI(const M3dView& view);
    virtual void drawUI(MHWRender::MUIDrawManager& drawManager,
                        const MHWRender::MFrameContext& frameContext) const;

    virtual MStatus doPress(M3dView& view);
    virtual MStatus doDrag(M3dView& view);
    virtual MStatus doRelease(M3dView& view);
    // Called on mouse moves with no button down once registered for them; set `refresh`
    // to have the view redrawn.
    virtual MStatus doMove(M3dView& view, bool& refresh);

    MStatus registerForMouseMove();
    MStatus deregisterForMouseMove();

    // Where the mouse is in the active view's port, and the world ray through that point.
    MStatus mousePosition(short& x_pos, short& y_pos) const;
    MStatus mouseRay(MPoint& linePoint, MVector& lineDirection) const;
    MStatus mouseRayWorld(MPoint& linePoint, MVector& lineDirection) const;

    // Host side only: the node given to connectToDependNode.
    const MObject& connectedNode() const { return dependNode_; }

private:
    MObject dependNode_;
};
