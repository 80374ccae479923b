#include <maya/MDataBlock.h>
#include <maya/MPlug.h>
#include <maya/MPxNode.h>

#include "graph/NodeStatics.h"
#include "scene/Graph.h"
#include "scene/Node.h"

namespace rvhost {
namespace {
std::vector<std::shared_ptr<Attribute>>* inProgress = nullptr;
}

void beginStaticAttributes(std::vector<std::shared_ptr<Attribute>>& into) {
    inProgress = &into;
}
void endStaticAttributes() {
    inProgress = nullptr;
}
std::vector<std::shared_ptr<Attribute>>* staticAttributesInProgress() {
    return inProgress;
}

} // namespace rvhost

MPxNode::~MPxNode() = default;

void MPxNode::postConstructor() {}

MStatus MPxNode::compute(const MPlug&, MDataBlock&) {
    return MS::kUnknownParameter;
}

MObject MPxNode::thisMObject() const {
    return node_ ? node_->handle() : MObject();
}

MString MPxNode::name() const {
    return node_ ? MString(node_->name()) : MString();
}

MTypeId MPxNode::typeId() const {
    return node_ ? node_->typeId() : MTypeId();
}

MString MPxNode::typeName() const {
    return node_ ? MString(node_->typeName()) : MString();
}

MStatus MPxNode::addAttribute(const MObject& attr) {
    auto* statics = rvhost::staticAttributesInProgress();
    auto attribute = rvhost::attributeOf(attr);
    if (!statics || !attribute || attribute->parent()) return MS::kFailure;
    for (const auto& existing : *statics)
        if (existing->matches(attribute->name()) || existing->matches(attribute->shortName()))
            return MS::kFailure;
    statics->push_back(attribute);
    return MS::kSuccess;
}

MStatus MPxNode::attributeAffects(const MObject& whenChanges, const MObject& isAffected) {
    auto when = rvhost::attributeOf(whenChanges);
    auto affected = rvhost::attributeOf(isAffected);
    if (!when || !affected) return MS::kInvalidParameter;
    rvhost::Graph::instance().addAffects(when.get(), affected.get());
    return MS::kSuccess;
}
