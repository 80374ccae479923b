#include <maya/MFnDependencyNode.h>

#include "scene/NodeTypes.h"
#include "scene/Report.h"
#include "scene/Scene.h"

using rvhost::report;
using rvhost::reported;

MFnDependencyNode::MFnDependencyNode(const MObject& object, MStatus* ReturnStatus) {
    report(ReturnStatus, setObject(object));
}

std::shared_ptr<rvhost::Node> MFnDependencyNode::node(MStatus* ReturnStatus) const {
    auto node = rvhost::nodeOf(object_);
    report(ReturnStatus, node ? MS::kSuccess : MS::kFailure);
    return node;
}

MObject MFnDependencyNode::create(const MTypeId& typeId, MStatus* ReturnStatus) {
    return create(typeId, MString(), ReturnStatus);
}

MObject MFnDependencyNode::create(const MTypeId& typeId, const MString& name,
                                  MStatus* ReturnStatus) {
    const rvhost::NodeType* type = rvhost::NodeTypes::instance().findById(typeId);
    if (!type) return reported(ReturnStatus, false, MObject());
    return create(MString(type->name), name, ReturnStatus);
}

MObject MFnDependencyNode::create(const MString& type, MStatus* ReturnStatus) {
    return create(type, MString(), ReturnStatus);
}

MObject MFnDependencyNode::create(const MString& type, const MString& name, MStatus* ReturnStatus) {
    MStatus status;
    auto node = rvhost::Scene::instance().create(type.str(), name.str(), nullptr, &status);
    report(ReturnStatus, status);
    object_ = node ? node->handle() : MObject();
    return object_;
}

MString MFnDependencyNode::name(MStatus* ReturnStatus) const {
    auto n = node(ReturnStatus);
    return n ? MString(n->name()) : MString();
}

MString MFnDependencyNode::setName(const MString& name, bool, MStatus* ReturnStatus) {
    auto n = node(ReturnStatus);
    if (!n) return MString();
    MStatus status = rvhost::Scene::instance().rename(*n, name.str());
    report(ReturnStatus, status);
    return MString(n->name());
}

MString MFnDependencyNode::typeName(MStatus* ReturnStatus) const {
    auto n = node(ReturnStatus);
    return n ? MString(n->typeName()) : MString();
}

MTypeId MFnDependencyNode::typeId(MStatus* ReturnStatus) const {
    auto n = node(ReturnStatus);
    return n ? n->typeId() : MTypeId();
}

MPxNode* MFnDependencyNode::userNode(MStatus* ReturnStatus) const {
    auto n = node(ReturnStatus);
    if (n && !n->userNode()) report(ReturnStatus, MS::kFailure);
    return n ? n->userNode() : nullptr;
}

bool MFnDependencyNode::isFromReferencedFile(MStatus* ReturnStatus) const {
    node(ReturnStatus);
    return false;
}

bool MFnDependencyNode::isLocked(MStatus* ReturnStatus) const {
    node(ReturnStatus);
    return false;
}

unsigned int MFnDependencyNode::attributeCount(MStatus* ReturnStatus) const {
    auto n = node(ReturnStatus);
    return n ? static_cast<unsigned int>(n->attributes().size()) : 0;
}

MObject MFnDependencyNode::attribute(unsigned int index, MStatus* ReturnStatus) const {
    auto n = node(ReturnStatus);
    if (!n || index >= n->attributes().size()) return reported(ReturnStatus, false, MObject());
    return n->attributes()[index]->handle();
}

MObject MFnDependencyNode::attribute(const MString& attrName, MStatus* ReturnStatus) const {
    auto n = node(ReturnStatus);
    auto attribute = n ? n->findAttribute(attrName.str()) : nullptr;
    return reported(ReturnStatus, attribute != nullptr,
                    attribute ? attribute->handle() : MObject());
}

bool MFnDependencyNode::hasAttribute(const MString& name, MStatus* ReturnStatus) const {
    auto n = node(ReturnStatus);
    return n && n->findAttribute(name.str()) != nullptr;
}

MStatus MFnDependencyNode::addAttribute(const MObject& attr, MAttrClass) {
    auto n = node(nullptr);
    auto attribute = rvhost::attributeOf(attr);
    if (!n || !attribute) return MS::kInvalidParameter;
    return n->addAttribute(attribute, true);
}

MStatus MFnDependencyNode::removeAttribute(const MObject& attr, MAttrClass) {
    auto n = node(nullptr);
    auto attribute = rvhost::attributeOf(attr);
    if (!n || !attribute) return MS::kInvalidParameter;
    return n->removeAttribute(*attribute);
}

MFnDependencyNode::MAttrClass MFnDependencyNode::attributeClass(const MObject& attr,
                                                                MStatus* ReturnStatus) const {
    auto n = node(ReturnStatus);
    auto attribute = rvhost::attributeOf(attr);
    if (!n || !attribute || !n->hasAttribute(attribute.get()))
        return reported(ReturnStatus, false, kInvalidAttr);
    return n->isDynamic(*attribute) ? kLocalDynamicAttr : kNormalAttr;
}

MPlug MFnDependencyNode::findPlug(const MString& attrName, bool, MStatus* ReturnStatus) const {
    auto n = node(ReturnStatus);
    auto attribute = n ? n->findAttribute(attrName.str()) : nullptr;
    if (!attribute) return reported(ReturnStatus, false, MPlug());
    return MPlug(object_, attribute->handle());
}

MPlug MFnDependencyNode::findPlug(const MString& attrName, MStatus* ReturnStatus) const {
    return findPlug(attrName, false, ReturnStatus);
}

MPlug MFnDependencyNode::findPlug(const MObject& attr, bool, MStatus* ReturnStatus) const {
    auto n = node(ReturnStatus);
    auto attribute = rvhost::attributeOf(attr);
    if (!n || !attribute || !n->hasAttribute(attribute.get()))
        return reported(ReturnStatus, false, MPlug());
    return MPlug(object_, attr);
}

MPlug MFnDependencyNode::findPlug(const MObject& attr, MStatus* ReturnStatus) const {
    return findPlug(attr, false, ReturnStatus);
}
