#include <maya/MDagPath.h>

#include "scene/DagNode.h"
#include "scene/Report.h"
#include "scene/Scene.h"

#include <algorithm>

using rvhost::DagNode;
using rvhost::report;
using rvhost::reported;

namespace {
bool isShape(const DagNode& node) {
    return rvhost::typeIncludes(node.apiType(), MFn::kShape);
}

std::vector<std::shared_ptr<DagNode>> shapesBelow(const DagNode& node) {
    std::vector<std::shared_ptr<DagNode>> shapes;
    for (const auto& child : node.children())
        if (isShape(*child)) shapes.push_back(child);
    return shapes;
}

MMatrix product(const std::vector<std::shared_ptr<DagNode>>& nodes, size_t count) {
    MMatrix result;
    for (size_t i = count; i-- > 0;)
        result *= nodes[i]->localMatrix();
    return result;
}
} // namespace

MDagPath MDagPath::of(const std::shared_ptr<DagNode>& node) {
    MDagPath path;
    for (auto n = node; n && !n->isWorld(); n = n->parent())
        path.nodes_.push_back(n);
    std::reverse(path.nodes_.begin(), path.nodes_.end());
    return path;
}

MStatus MDagPath::getAPathTo(const MObject& node, MDagPath& path) {
    auto dag = std::dynamic_pointer_cast<DagNode>(node.object());
    if (!dag || dag->isWorld()) return MS::kInvalidParameter;
    path = of(dag);
    return MS::kSuccess;
}

DagNode* MDagPath::tip() const {
    return nodes_.empty() ? nullptr : nodes_.back().get();
}

MObject MDagPath::node(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, tip(), tip() ? nodes_.back()->handle() : MObject());
}

MObject MDagPath::transform(MStatus* ReturnStatus) const {
    for (auto it = nodes_.rbegin(); it != nodes_.rend(); ++it)
        if ((*it)->apiType() == MFn::kTransform)
            return reported(ReturnStatus, true, (*it)->handle());
    return reported(ReturnStatus, false, MObject());
}

unsigned int MDagPath::length(MStatus* ReturnStatus) const {
    report(ReturnStatus, MS::kSuccess);
    return static_cast<unsigned int>(nodes_.size());
}

unsigned int MDagPath::childCount(MStatus* ReturnStatus) const {
    const DagNode& at = tip() ? *tip() : rvhost::Scene::instance().world();
    report(ReturnStatus, MS::kSuccess);
    return static_cast<unsigned int>(at.children().size());
}

MObject MDagPath::child(unsigned int index, MStatus* ReturnStatus) const {
    const DagNode& at = tip() ? *tip() : rvhost::Scene::instance().world();
    bool ok = index < at.children().size();
    return reported(ReturnStatus, ok, ok ? at.children()[index]->handle() : MObject());
}

MStatus MDagPath::push(const MObject& child) {
    auto node = std::dynamic_pointer_cast<DagNode>(child.object());
    const DagNode& at = tip() ? *tip() : rvhost::Scene::instance().world();
    const auto& children = at.children();
    if (!node || std::find(children.begin(), children.end(), node) == children.end())
        return MS::kInvalidParameter;
    nodes_.push_back(node);
    return MS::kSuccess;
}

MStatus MDagPath::pop(unsigned int count) {
    if (count > nodes_.size()) return MS::kInvalidParameter;
    nodes_.resize(nodes_.size() - count);
    return MS::kSuccess;
}

MStatus MDagPath::extendToShape() {
    if (!tip()) return MS::kInvalidParameter;
    if (isShape(*tip())) return MS::kSuccess;
    auto shapes = shapesBelow(*tip());
    if (shapes.size() != 1)
        shapes.erase(std::remove_if(shapes.begin(), shapes.end(),
                                    [](const auto& s) { return s->intermediate(); }),
                     shapes.end());
    if (shapes.size() != 1) return MS::kInvalidParameter;
    nodes_.push_back(shapes.front());
    return MS::kSuccess;
}

MStatus MDagPath::extendToShapeDirectlyBelow(unsigned int index) {
    if (!tip()) return MS::kInvalidParameter;
    auto shapes = shapesBelow(*tip());
    if (index >= shapes.size()) return MS::kInvalidParameter;
    nodes_.push_back(shapes[index]);
    return MS::kSuccess;
}

MStatus MDagPath::numberOfShapesDirectlyBelow(unsigned int& count) const {
    count = tip() ? static_cast<unsigned int>(shapesBelow(*tip()).size()) : 0;
    return tip() ? MS::kSuccess : MS::kInvalidParameter;
}

MMatrix MDagPath::inclusiveMatrix(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, tip(), product(nodes_, nodes_.size()));
}

MMatrix MDagPath::exclusiveMatrix(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, tip(), product(nodes_, nodes_.empty() ? 0 : nodes_.size() - 1));
}

MMatrix MDagPath::inclusiveMatrixInverse(MStatus* ReturnStatus) const {
    return inclusiveMatrix(ReturnStatus).inverse();
}

MMatrix MDagPath::exclusiveMatrixInverse(MStatus* ReturnStatus) const {
    return exclusiveMatrix(ReturnStatus).inverse();
}

MString MDagPath::fullPathName(MStatus* ReturnStatus) const {
    std::string name;
    for (const auto& node : nodes_)
        name += "|" + node->name();
    return reported(ReturnStatus, tip(), MString(name));
}

// Names are unique in this host's scene, so the node's own name is the shortest path
// that names it.
MString MDagPath::partialPathName(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, tip(), tip() ? MString(tip()->name()) : MString());
}

MFn::Type MDagPath::apiType(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, tip(), tip() ? tip()->apiType() : MFn::kInvalid);
}

bool MDagPath::hasFn(MFn::Type type, MStatus* ReturnStatus) const {
    return reported(ReturnStatus, tip(), tip() && rvhost::typeIncludes(tip()->apiType(), type));
}

bool MDagPath::isValid(MStatus* ReturnStatus) const {
    report(ReturnStatus, MS::kSuccess);
    if (nodes_.empty()) return false;
    for (size_t i = 0; i < nodes_.size(); ++i) {
        auto parent = nodes_[i]->parent();
        bool linked = i == 0 ? parent && parent->isWorld() : parent == nodes_[i - 1];
        if (!nodes_[i]->inModel() || !linked) return false;
    }
    return true;
}

bool MDagPath::isInstanced(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, tip(), false);
}

unsigned int MDagPath::instanceNumber(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, tip(), 0u);
}

bool MDagPath::operator==(const MDagPath& other) const {
    return nodes_ == other.nodes_;
}
