#include "scene/DagNode.h"

namespace rvhost {

DagNode::DagNode(std::string typeName, MFn::Type type) : Node(std::move(typeName), type) {}

MMatrix DagNode::worldMatrix() const {
    MMatrix result = localMatrix();
    for (auto p = parent(); p; p = p->parent())
        result *= p->localMatrix();
    return result;
}

std::string DagNode::fullPathName() const {
    if (world_) return {};
    auto p = parent();
    return (p ? p->fullPathName() : std::string()) + "|" + name();
}

} // namespace rvhost
