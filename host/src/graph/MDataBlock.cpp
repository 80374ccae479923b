#include <maya/MDataBlock.h>

#include "graph/DataHandles.h"
#include "scene/Graph.h"
#include "scene/Report.h"

using rvhost::reported;

MDataHandle MDataBlock::handle(const MObject& attribute, int index, bool output,
                               MStatus* ReturnStatus) {
    auto a = rvhost::attributeOf(attribute);
    if (!a || !node_->hasAttribute(a.get())) return reported(ReturnStatus, false, MDataHandle());
    return reported(ReturnStatus, true, rvhost::makeHandle(*node_, a.get(), index, output));
}

MDataHandle MDataBlock::inputValue(const MObject& attribute, MStatus* ReturnStatus) {
    return handle(attribute, -1, false, ReturnStatus);
}

MDataHandle MDataBlock::inputValue(const MPlug& plug, MStatus* ReturnStatus) {
    if (plug.node() != node_->handle()) return reported(ReturnStatus, false, MDataHandle());
    return handle(plug.attribute(), plug.index(), false, ReturnStatus);
}

MDataHandle MDataBlock::outputValue(const MObject& attribute, MStatus* ReturnStatus) {
    return handle(attribute, -1, true, ReturnStatus);
}

MDataHandle MDataBlock::outputValue(const MPlug& plug, MStatus* ReturnStatus) {
    if (plug.node() != node_->handle()) return reported(ReturnStatus, false, MDataHandle());
    return handle(plug.attribute(), plug.index(), true, ReturnStatus);
}

MArrayDataHandle MDataBlock::arrayHandle(const MObject& attribute, bool output,
                                         MStatus* ReturnStatus) {
    auto a = rvhost::attributeOf(attribute);
    if (!a || !a->array || !node_->hasAttribute(a.get()))
        return reported(ReturnStatus, false, MArrayDataHandle());
    return reported(ReturnStatus, true, MArrayDataHandle(node_, a.get(), output));
}

MArrayDataHandle MDataBlock::inputArrayValue(const MObject& attribute, MStatus* ReturnStatus) {
    return arrayHandle(attribute, false, ReturnStatus);
}

MArrayDataHandle MDataBlock::outputArrayValue(const MObject& attribute, MStatus* ReturnStatus) {
    return arrayHandle(attribute, true, ReturnStatus);
}

MStatus MDataBlock::setClean(const MObject& attribute) {
    auto a = rvhost::attributeOf(attribute);
    if (!a) return MS::kInvalidParameter;
    rvhost::Graph::instance().setClean(*node_, a.get());
    return MS::kSuccess;
}

MStatus MDataBlock::setClean(const MPlug& plug) {
    return setClean(plug.attribute());
}

bool MDataBlock::isClean(const MObject& attribute, MStatus* ReturnStatus) {
    auto a = rvhost::attributeOf(attribute);
    return reported(ReturnStatus, a != nullptr,
                    a && !rvhost::Graph::instance().isDirty(*node_, a.get()));
}
