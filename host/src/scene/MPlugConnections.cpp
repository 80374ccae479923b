// MPlug's view of the dependency graph: which plugs feed or are fed by this one.
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>

#include "scene/Graph.h"
#include "scene/Report.h"

using rvhost::Graph;
using rvhost::PlugRef;
using rvhost::reported;

namespace {
PlugRef refOf(const MPlug& plug) {
    return {dynamic_cast<rvhost::Node*>(plug.node().object().get()),
            {dynamic_cast<rvhost::Attribute*>(plug.attribute().object().get()), plug.index()}};
}

MPlug plugOf(const PlugRef& ref) {
    return MPlug(ref.node->handle(), const_cast<rvhost::Attribute*>(ref.plug.attribute)->handle(),
                 ref.plug.index);
}

bool hasSource(const MPlug& plug) {
    PlugRef source;
    return !plug.isNull() && Graph::instance().source(refOf(plug), source);
}

bool hasDestinations(const MPlug& plug) {
    return !plug.isNull() && !Graph::instance().destinations(refOf(plug)).empty();
}

// Logical indices of the elements of an array plug that are connected either way.
std::vector<int> connectedElements(const MPlug& array) {
    std::vector<int> result;
    for (int index : rvhost::nodeOf(array.node())->elements(*refOf(array).plug.attribute)) {
        MPlug element(array.node(), array.attribute(), index);
        if (element.isConnected()) result.push_back(index);
    }
    return result;
}
} // namespace

bool MPlug::isConnected(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, !isNull(), isDestination() || isSource());
}

bool MPlug::isDestination(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, !isNull(), hasSource(*this));
}

bool MPlug::isSource(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, !isNull(), hasDestinations(*this));
}

bool MPlug::connectedTo(MPlugArray& array, bool asDst, bool asSrc, MStatus* ReturnStatus) const {
    array.clear();
    if (isNull()) return reported(ReturnStatus, false, false);
    PlugRef source;
    if (asDst && Graph::instance().source(refOf(*this), source)) array.append(plugOf(source));
    if (asSrc)
        for (const PlugRef& destination : Graph::instance().destinations(refOf(*this)))
            array.append(plugOf(destination));
    return reported(ReturnStatus, true, array.length() > 0);
}

MPlug MPlug::connectionByPhysicalIndex(unsigned int physicalIndex, MStatus* ReturnStatus) const {
    if (!isArray()) return reported(ReturnStatus, false, MPlug());
    std::vector<int> connected = connectedElements(*this);
    if (physicalIndex >= connected.size()) return reported(ReturnStatus, false, MPlug());
    return reported(ReturnStatus, true, MPlug(node_, attribute_, connected[physicalIndex]));
}

unsigned int MPlug::numConnectedElements(MStatus* ReturnStatus) const {
    if (!isArray()) return reported(ReturnStatus, false, 0u);
    return reported(ReturnStatus, true, static_cast<unsigned int>(connectedElements(*this).size()));
}
