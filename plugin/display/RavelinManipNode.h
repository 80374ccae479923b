#pragma once
// The brush cursor manipulator: it carries the tool's three curve ramps, keeps the pen
// state, and while no button is down follows the mouse, picking the registered mesh under
// the cursor and having the brush footprint computed there.
#include <maya/M3dView.h>
#include <maya/MObject.h>
#include <maya/MPoint.h>
#include <maya/MPxManipulatorNode.h>
#include <maya/MRampAttribute.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypeId.h>
#include <maya/MVector.h>

#include "services/RVQtEvent.h"

class KVSculptRegistry;
class RVMeshData;

class RavelinManipNode : public MPxManipulatorNode {
public:
    static const MTypeId id;
    static const char* const typeName;
    static const MString classification;
    static MObject valueEnvelopeAttr;
    static MObject radiusEnvelopeAttr;
    static MObject fallOffRampAttr;

    static void* creator();
    static MStatus initialize();

    // The manipulator the context created last; null while the tool is not set up.
    static RavelinManipNode* current() { return current_; }
    static void setCurrent(RavelinManipNode* manipulator) { current_ = manipulator; }

    // The current manipulator pointer never outlives its node.
    ~RavelinManipNode() override;

    void postConstructor() override;
    MStatus connectToDependNode(const MObject& dependNode) override;
    MStatus doMove(M3dView& view, bool& refresh) override;
    // The legacy viewport's brush feedback, through the host's OpenGL function table.
    void draw(M3dView& view, const MDagPath& path, M3dView::DisplayStyle style,
              M3dView::DisplayStatus status) override;

    // (Re)binds the three ramp handles to this node's attributes.
    MStatus bindRampHandles();
    // The nearest registered mesh under the mouse, made current, with its hit point, face
    // and the view direction (object space); null (and failure) when nothing is hit.
    RVMeshData* pickMesh(KVSculptRegistry& registry, MStatus& status, MPoint& hitPoint,
                         int& hitFace, MVector& viewObject) const;

    MRampAttribute valueEnvelope;
    MRampAttribute radiusEnvelope;
    MRampAttribute fallOff;
    // The node's own object, set by the context right after creation.
    MObject nodeObject;

    // Pen state, written by tablet events; the eraser end is pointer type 3.
    double pressure = 1.0;
    int xTilt = 0;
    int yTilt = 0;
    bool tabletActive = false;
    int pointerType = 0;
    // Writes the pen state from the main window's tablet events while this node lives.
    RVQtEvent penFilter;

private:
    static inline RavelinManipNode* current_ = nullptr;
};
