#pragma once
#include <maya/MMatrix.h>

#include "scene/Node.h"

#include <memory>
#include <string>
#include <vector>

namespace rvhost {

// A node with a place in the hierarchy (DAG). The scene's world root is the top; every
// other DAG node has exactly one parent (no instancing). Transforms carry a matrix;
// shapes and the rest sit under a transform and carry none.
class DagNode : public Node {
public:
    DagNode(std::string typeName, MFn::Type type);

    DagNode* asDag() override { return this; }
    const DagNode* asDag() const override { return this; }

    // Null for the world root and for a node that was never placed.
    std::shared_ptr<DagNode> parent() const { return parent_.lock(); }
    const std::vector<std::shared_ptr<DagNode>>& children() const { return children_; }
    bool isWorld() const { return world_; }

    // This node's matrix relative to its parent: the identity except for transforms.
    virtual MMatrix localMatrix() const { return MMatrix(); }
    // The product of the local matrices from this node up to the world.
    MMatrix worldMatrix() const;

    // "|pPlane1|pPlaneShape1"; "" for the world.
    std::string fullPathName() const;

    bool intermediate() const { return intermediate_; }
    void setIntermediate(bool value) { intermediate_ = value; }

private:
    friend class Scene;
    std::weak_ptr<DagNode> parent_;
    std::vector<std::shared_ptr<DagNode>> children_;
    bool world_ = false;
    bool intermediate_ = false;
};

} // namespace rvhost
