#pragma once
#include <maya/MFn.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

#include <memory>
#include <vector>

namespace rvhost {
class DagNode;
}

// A path from the world down to a DAG node. Without instancing every node has one path.
class OPENMAYA_EXPORT MDagPath {
public:
    MDagPath() = default;

    static MStatus getAPathTo(const MObject& node, MDagPath& path);

    MObject node(MStatus* ReturnStatus = nullptr) const;
    // The last transform on the path (the node itself when it is one).
    MObject transform(MStatus* ReturnStatus = nullptr) const;
    unsigned int length(MStatus* ReturnStatus = nullptr) const;
    unsigned int childCount(MStatus* ReturnStatus = nullptr) const;
    MObject child(unsigned int index, MStatus* ReturnStatus = nullptr) const;
    MStatus push(const MObject& child);
    MStatus pop(unsigned int count = 1);

    // A transform path goes down to its shape: the only shape below, or the only one that
    // is not an intermediate object. A path already at a shape is left as it is.
    MStatus extendToShape();
    MStatus extendToShapeDirectlyBelow(unsigned int index);
    MStatus numberOfShapesDirectlyBelow(unsigned int& count) const;

    MMatrix inclusiveMatrix(MStatus* ReturnStatus = nullptr) const;
    MMatrix exclusiveMatrix(MStatus* ReturnStatus = nullptr) const;
    MMatrix inclusiveMatrixInverse(MStatus* ReturnStatus = nullptr) const;
    MMatrix exclusiveMatrixInverse(MStatus* ReturnStatus = nullptr) const;

    MString fullPathName(MStatus* ReturnStatus = nullptr) const;
    MString partialPathName(MStatus* ReturnStatus = nullptr) const;
    MFn::Type apiType(MStatus* ReturnStatus = nullptr) const;
    bool hasFn(MFn::Type type, MStatus* ReturnStatus = nullptr) const;
    // A path is valid while it names nodes that are in the model and linked as it says.
    bool isValid(MStatus* ReturnStatus = nullptr) const;
    bool isInstanced(MStatus* ReturnStatus = nullptr) const;
    unsigned int instanceNumber(MStatus* ReturnStatus = nullptr) const;

    bool operator==(const MDagPath& other) const;
    bool operator!=(const MDagPath& other) const { return !(*this == other); }

    // Host side: the nodes from the top (below the world) to the end of the path.
    const std::vector<std::shared_ptr<rvhost::DagNode>>& nodes() const { return nodes_; }
    static MDagPath of(const std::shared_ptr<rvhost::DagNode>& node);

private:
    rvhost::DagNode* tip() const;

    std::vector<std::shared_ptr<rvhost::DagNode>> nodes_;
};
