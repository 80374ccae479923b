#include <maya/MRampAttribute.h>

#include "graph/RampData.h"
#include "scene/Graph.h"
#include "scene/Report.h"

using rvhost::RampCurve;
using rvhost::RampData;
using rvhost::report;
using rvhost::reported;

namespace {
rvhost::Node* nodeIn(const MPlug& plug) {
    return plug.isNull() ? nullptr : dynamic_cast<rvhost::Node*>(plug.node().object().get());
}

const rvhost::Attribute* rampIn(const MPlug& plug) {
    auto* a = dynamic_cast<rvhost::Attribute*>(plug.attribute().object().get());
    return a && a->kind() == rvhost::Attribute::Kind::Ramp ? a : nullptr;
}

// The ramp's entries, or false for a handle bound to no ramp.
bool readRamp(const MPlug& plug, RampData& ramp) {
    rvhost::Node* node = nodeIn(plug);
    const rvhost::Attribute* attribute = rampIn(plug);
    if (!node || !attribute || !node->hasAttribute(attribute)) return false;
    rvhost::PlugValue value = rvhost::Graph::instance().evaluate(*node, {attribute, -1});
    if (auto* object = std::get_if<MObject>(&value))
        if (auto data = std::dynamic_pointer_cast<RampData>(object->object())) ramp = *data;
    return true;
}

MStatus writeRamp(const MPlug& plug, const RampData& ramp) {
    return rvhost::Graph::instance().set(*nodeIn(plug), {rampIn(plug), -1},
                                         MObject(std::make_shared<RampData>(ramp)));
}

// Reads the ramp, lets `edit` change it (returning a status) and writes it back on success.
template <class Edit> MStatus editRamp(const MPlug& plug, Edit edit) {
    RampData ramp;
    if (!readRamp(plug, ramp)) return MS::kFailure;
    MStatus status = edit(ramp);
    return status ? writeRamp(plug, ramp) : status;
}
} // namespace

MRampAttribute::MRampAttribute(const MPlug& plug, MStatus* ReturnStatus) : plug_(plug) {
    report(ReturnStatus, rampIn(plug) ? MS::kSuccess : MS::kInvalidParameter);
}

MRampAttribute::MRampAttribute(const MObject& node, const MObject& attribute, MStatus* ReturnStatus)
    : MRampAttribute(MPlug(node, attribute), ReturnStatus) {}

MObject MRampAttribute::createCurveRamp(const MString& attrLongName, const MString& attrShortName,
                                        MStatus* ReturnStatus) {
    if (attrLongName.length() == 0) return reported(ReturnStatus, false, MObject());
    auto attribute = rvhost::makeAttribute(attrLongName.str(), attrShortName.str(),
                                           rvhost::Attribute::Kind::Ramp);
    return reported(ReturnStatus, true, attribute->handle());
}

bool MRampAttribute::isCurveRamp(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, rampIn(plug_), rampIn(plug_) != nullptr);
}

bool MRampAttribute::isColorRamp(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, rampIn(plug_), false);
}

unsigned int MRampAttribute::getNumEntries(MStatus* ReturnStatus) {
    RampData ramp;
    bool ok = readRamp(plug_, ramp);
    return reported(ReturnStatus, ok, static_cast<unsigned int>(ramp.entries.size()));
}

void MRampAttribute::getEntries(MIntArray& indexes, MFloatArray& positions, MFloatArray& values,
                                MIntArray& interps, MStatus* ReturnStatus) {
    RampData ramp;
    if (!readRamp(plug_, ramp)) {
        report(ReturnStatus, MS::kFailure);
        return;
    }
    indexes.clear(), positions.clear(), values.clear(), interps.clear();
    for (const RampData::Entry& e : ramp.entries) {
        indexes.append(static_cast<int>(e.index));
        positions.append(e.position);
        values.append(e.value);
        interps.append(e.interpolation);
    }
    report(ReturnStatus, MS::kSuccess);
}

void MRampAttribute::addEntries(MFloatArray& positions, MFloatArray& values, MIntArray& interps,
                                MStatus* ReturnStatus) {
    report(ReturnStatus, editRamp(plug_, [&](RampData& ramp) -> MStatus {
               unsigned int count = positions.length();
               if (values.length() != count || interps.length() != count)
                   return MS::kInvalidParameter;
               for (unsigned int i = 0; i < count; ++i)
                   ramp.entries.push_back({ramp.nextIndex(), positions[i], values[i], interps[i]});
               return MS::kSuccess;
           }));
}

void MRampAttribute::deleteEntries(MIntArray& indexes, MStatus* ReturnStatus) {
    report(ReturnStatus, editRamp(plug_, [&](RampData& ramp) -> MStatus {
               for (unsigned int i = 0; i < indexes.length(); ++i)
                   if (indexes[i] < 0 || !ramp.find(static_cast<unsigned int>(indexes[i])))
                       return MS::kInvalidParameter;
               auto& entries = ramp.entries;
               for (unsigned int i = 0; i < indexes.length(); ++i)
                   entries.erase(entries.begin() +
                                 (ramp.find(static_cast<unsigned int>(indexes[i])) - &entries[0]));
               return MS::kSuccess;
           }));
}

namespace {
// Sets one field of the entry with the given index.
template <class Set> MStatus editEntry(const MPlug& plug, unsigned int index, Set set) {
    return editRamp(plug, [&](RampData& ramp) -> MStatus {
        RampData::Entry* entry = ramp.find(index);
        if (!entry) return MS::kInvalidParameter;
        set(*entry);
        return MS::kSuccess;
    });
}
} // namespace

void MRampAttribute::setValueAtIndex(float value, unsigned int index, MStatus* ReturnStatus) {
    report(ReturnStatus, editEntry(plug_, index, [&](auto& e) { e.value = value; }));
}

void MRampAttribute::setPositionAtIndex(float position, unsigned int index, MStatus* ReturnStatus) {
    report(ReturnStatus, editEntry(plug_, index, [&](auto& e) { e.position = position; }));
}

void MRampAttribute::setInterpolationAtIndex(MRampAttribute::MInterpolation interp,
                                             unsigned int index, MStatus* ReturnStatus) {
    report(ReturnStatus, editEntry(plug_, index, [&](auto& e) { e.interpolation = interp; }));
}

namespace {
void evaluate(const std::shared_ptr<const void>& curve, float position, float& value,
              MStatus* ReturnStatus) {
    value = static_cast<const RampCurve*>(curve.get())->value(position);
    report(ReturnStatus, MS::kSuccess);
}

// The lookup of a handle whose curve is missing or out of date: the curve is read afresh
// first (a handle bound to no ramp fails). Kept out of line so that a lookup with a current
// curve stays a short leaf.
[[gnu::noinline]] void evaluateAfresh(const MPlug& plug, std::shared_ptr<const void>& curve,
                                      std::uint64_t& generation, float position, float& value,
                                      MStatus* ReturnStatus) {
    RampData ramp;
    curve.reset();
    if (!readRamp(plug, ramp)) {
        report(ReturnStatus, MS::kFailure);
        return;
    }
    // Counted after the read, so that a compute the read set off counts as seen.
    curve = std::make_shared<const RampCurve>(ramp.curve());
    generation = rvhost::Node::valueGeneration();
    evaluate(curve, position, value, ReturnStatus);
}
} // namespace

void MRampAttribute::getValueAtPosition(float position, float& value, MStatus* ReturnStatus,
                                        MDGContext&) {
    if (!curve_ || curveGeneration_ != rvhost::Node::valueGeneration())
        return evaluateAfresh(plug_, curve_, curveGeneration_, position, value, ReturnStatus);
    evaluate(curve_, position, value, ReturnStatus);
}
