#pragma once
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypeId.h>
#include <maya/MTypes.h>

class MPlug;
class MDataBlock;
namespace rvhost {
class Node;
}

// Base of the plug-in's node classes. The host owns the object (made by the registered
// creator) and deletes it with its node.
class OPENMAYA_EXPORT MPxNode {
public:
    enum Type {
        kDependNode,
        kLocatorNode,
        kDeformerNode,
        kManipContainer,
        kSurfaceShape,
        kFieldNode,
        kEmitterNode,
        kSpringNode,
        kIkSolverNode,
        kHardwareShader,
        kHwShaderNode,
        kTransformNode,
        kObjectSet,
        kFluidEmitterNode,
        kImagePlaneNode,
        kParticleAttributeMapperNode,
        kCameraSetNode,
        kConstraintNode,
        kManipulatorNode,
        kMotionPathNode,
        kClientDeviceNode,
        kThreadedDeviceNode,
        kAssembly,
        kSkinCluster,
        kGeometryFilter,
        kBlendShape,
        kLast
    };

    MPxNode() = default;
    virtual ~MPxNode();

    virtual void postConstructor();
    // Computes the plug's value into the data block. The default knows no plug.
    virtual MStatus compute(const MPlug& plug, MDataBlock& dataBlock);
    virtual Type type() const { return kDependNode; }

    MObject thisMObject() const;
    MString name() const;
    MTypeId typeId() const;
    MString typeName() const;

    // For a node type's initializer: adds a static attribute to the type being registered.
    static MStatus addAttribute(const MObject& attr);
    // For a node type's initializer: a change of whenChanges makes isAffected dirty.
    static MStatus attributeAffects(const MObject& whenChanges, const MObject& isAffected);

    // Host side: the node this object belongs to.
    void attachTo(rvhost::Node* node) { node_ = node; }
    rvhost::Node* hostNode() const { return node_; }

private:
    rvhost::Node* node_ = nullptr;
};
