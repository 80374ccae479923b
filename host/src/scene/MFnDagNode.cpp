#include <maya/MFnDagNode.h>

#include "scene/Report.h"
#include "scene/Scene.h"

using rvhost::DagNode;
using rvhost::report;
using rvhost::reported;

MFnDagNode::MFnDagNode(const MObject& object, MStatus* ReturnStatus) {
    report(ReturnStatus, setObject(object));
}

MFnDagNode::MFnDagNode(const MDagPath& path, MStatus* ReturnStatus) {
    report(ReturnStatus, setObject(path));
}

MStatus MFnDagNode::setObject(const MObject& object) {
    return MFnDependencyNode::setObject(object);
}

MStatus MFnDagNode::setObject(const MDagPath& path) {
    return setObject(path.node());
}

DagNode* MFnDagNode::dag(MStatus* ReturnStatus) const {
    auto* node = dynamic_cast<DagNode*>(object_.object().get());
    report(ReturnStatus, node ? MS::kSuccess : MS::kFailure);
    return node;
}

MObject MFnDagNode::create(const MString& type, const MObject& parent, MStatus* ReturnStatus) {
    return create(type, MString(), parent, ReturnStatus);
}

MObject MFnDagNode::create(const MString& type, const MString& name, const MObject& parent,
                           MStatus* ReturnStatus) {
    auto parentNode = std::dynamic_pointer_cast<DagNode>(parent.object());
    if (!parent.isNull() && !parentNode) return reported(ReturnStatus, false, MObject());
    rvhost::Scene& scene = rvhost::Scene::instance();
    MStatus status;
    auto node = scene.create(type.str(), name.str(), parentNode.get(), &status);
    report(ReturnStatus, status);
    if (!node || !node->asDag()) return MObject();
    // A shape made without a parent sits under a new transform; the host returns that.
    auto made = node->asDag()->parent();
    object_ = (!parentNode && made && !made->isWorld()) ? made->handle() : node->handle();
    return object_;
}

MString MFnDagNode::fullPathName(MStatus* ReturnStatus) const {
    DagNode* node = dag(ReturnStatus);
    return node ? MString(node->fullPathName()) : MString();
}

MString MFnDagNode::partialPathName(MStatus* ReturnStatus) const {
    DagNode* node = dag(ReturnStatus);
    return node ? MString(node->name()) : MString();
}

bool MFnDagNode::inModel(MStatus* ReturnStatus) const {
    DagNode* node = dag(ReturnStatus);
    return node && node->inModel();
}

unsigned int MFnDagNode::parentCount(MStatus* ReturnStatus) const {
    DagNode* node = dag(ReturnStatus);
    return node && node->parent() ? 1u : 0u;
}

MObject MFnDagNode::parent(unsigned int index, MStatus* ReturnStatus) const {
    DagNode* node = dag(ReturnStatus);
    auto parent = node ? node->parent() : nullptr;
    bool ok = parent && index == 0;
    return reported(ReturnStatus, ok, ok ? parent->handle() : MObject());
}

unsigned int MFnDagNode::childCount(MStatus* ReturnStatus) const {
    DagNode* node = dag(ReturnStatus);
    return node ? static_cast<unsigned int>(node->children().size()) : 0u;
}

MObject MFnDagNode::child(unsigned int index, MStatus* ReturnStatus) const {
    DagNode* node = dag(ReturnStatus);
    bool ok = node && index < node->children().size();
    return reported(ReturnStatus, ok, ok ? node->children()[index]->handle() : MObject());
}

MStatus MFnDagNode::addChild(MObject& child, unsigned int, bool) {
    DagNode* node = dag(nullptr);
    auto childNode = std::dynamic_pointer_cast<DagNode>(child.object());
    if (!node || !childNode) return MS::kInvalidParameter;
    return rvhost::Scene::instance().reparent(*childNode, node);
}

MStatus MFnDagNode::getPath(MDagPath& path) const {
    DagNode* node = dag(nullptr);
    if (!node) return MS::kFailure;
    path = MDagPath::of(std::static_pointer_cast<DagNode>(node->shared_from_this()));
    return MS::kSuccess;
}

MDagPath MFnDagNode::dagPath(MStatus* ReturnStatus) const {
    MDagPath path;
    report(ReturnStatus, getPath(path));
    return path;
}

bool MFnDagNode::isIntermediateObject(MStatus* ReturnStatus) const {
    DagNode* node = dag(ReturnStatus);
    return node && node->intermediate();
}

MStatus MFnDagNode::setIntermediateObject(bool isIntermediate) {
    DagNode* node = dag(nullptr);
    if (!node) return MS::kFailure;
    node->setIntermediate(isIntermediate);
    return MS::kSuccess;
}

MMatrix MFnDagNode::transformationMatrix(MStatus* ReturnStatus) const {
    DagNode* node = dag(ReturnStatus);
    return node ? node->localMatrix() : MMatrix();
}
