#pragma once
#include <maya/MDagPath.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MMatrix.h>

// Function set on DAG nodes: place in the hierarchy, paths, matrix.
class OPENMAYA_EXPORT MFnDagNode : public MFnDependencyNode {
public:
    static const unsigned int kNextPos = 0xff;

    MFnDagNode() = default;
    MFnDagNode(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFnDagNode(const MDagPath& path, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override { return MFn::kDagNode; }
    MStatus setObject(const MObject& object) override;
    MStatus setObject(const MDagPath& path);

    // Creates a DAG node under `parent` (null: the world; a shape then gets a transform
    // made for it, which is what is returned, as in the host).
    MObject create(const MString& type, const MObject& parent = MObject::kNullObj,
                   MStatus* ReturnStatus = nullptr);
    MObject create(const MString& type, const MString& name,
                   const MObject& parent = MObject::kNullObj, MStatus* ReturnStatus = nullptr);

    MString fullPathName(MStatus* ReturnStatus = nullptr) const;
    MString partialPathName(MStatus* ReturnStatus = nullptr) const;
    bool inModel(MStatus* ReturnStatus = nullptr) const;
    unsigned int parentCount(MStatus* ReturnStatus = nullptr) const;
    MObject parent(unsigned int index, MStatus* ReturnStatus = nullptr) const;
    unsigned int childCount(MStatus* ReturnStatus = nullptr) const;
    MObject child(unsigned int index, MStatus* ReturnStatus = nullptr) const;
    MStatus addChild(MObject& child, unsigned int index = kNextPos,
                     bool keepExistingParents = false);
    MStatus getPath(MDagPath& path) const;
    MDagPath dagPath(MStatus* ReturnStatus = nullptr) const;
    bool isIntermediateObject(MStatus* ReturnStatus = nullptr) const;
    MStatus setIntermediateObject(bool isIntermediate);
    MMatrix transformationMatrix(MStatus* ReturnStatus = nullptr) const;

protected:
    rvhost::DagNode* dag(MStatus* ReturnStatus) const;
};
