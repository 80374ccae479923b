#include <maya/MFnNumericAttribute.h>

#include "scene/Attribute.h"
#include "scene/Report.h"

using Kind = rvhost::Attribute::Kind;
using rvhost::report;
using rvhost::reported;

namespace {
struct NumericKind {
    MFnNumericData::Type type;
    Kind kind;
    bool triple;
};
constexpr NumericKind kKinds[] = {
    {MFnNumericData::kBoolean, Kind::Bool, false},  {MFnNumericData::kShort, Kind::Short, false},
    {MFnNumericData::kInt, Kind::Int, false},       {MFnNumericData::kFloat, Kind::Float, false},
    {MFnNumericData::kDouble, Kind::Double, false}, {MFnNumericData::k3Float, Kind::Float, true},
    {MFnNumericData::k3Double, Kind::Double, true},
};
} // namespace

MFnNumericAttribute::MFnNumericAttribute(const MObject& object, MStatus* ReturnStatus) {
    report(ReturnStatus, setObject(object));
}

MObject MFnNumericAttribute::create(const MString& fullName, const MString& briefName,
                                    MFnNumericData::Type unitType, double defaultValue,
                                    MStatus* ReturnStatus) {
    for (const NumericKind& k : kKinds) {
        if (k.type != unitType || fullName.length() == 0) continue;
        auto attribute =
            k.triple ? rvhost::makeTriple(fullName.str(), briefName.str(), k.kind, defaultValue)
                     : rvhost::makeAttribute(fullName.str(), briefName.str(), k.kind);
        attribute->defaultNumber = defaultValue;
        return adopt(attribute, ReturnStatus);
    }
    return reported(ReturnStatus, false, MObject());
}

MFnNumericData::Type MFnNumericAttribute::unitType(MStatus* ReturnStatus) const {
    if (!status(ReturnStatus)) return MFnNumericData::kInvalid;
    const rvhost::Attribute* a = attribute();
    bool triple = a->kind() == Kind::Compound;
    Kind kind = triple && !a->children().empty() ? a->children()[0]->kind() : a->kind();
    for (const NumericKind& k : kKinds)
        if (k.kind == kind && k.triple == triple) return k.type;
    return MFnNumericData::kInvalid;
}

namespace {
// Limits and defaults of a triple apply to each of its numbers.
template <class Set> MStatus setEach(rvhost::Attribute* attribute, Set set) {
    if (!attribute) return MS::kFailure;
    set(*attribute);
    for (const auto& child : attribute->children())
        set(*child);
    return MS::kSuccess;
}
} // namespace

MStatus MFnNumericAttribute::setMin(double min) {
    return setEach(attribute(), [&](rvhost::Attribute& a) { a.min = min; });
}

MStatus MFnNumericAttribute::setMax(double max) {
    return setEach(attribute(), [&](rvhost::Attribute& a) { a.max = max; });
}

MStatus MFnNumericAttribute::setDefault(double value) {
    return setEach(attribute(), [&](rvhost::Attribute& a) { a.defaultNumber = value; });
}

bool MFnNumericAttribute::hasMin(MStatus* ReturnStatus) const {
    return status(ReturnStatus) && attribute()->min.has_value();
}

bool MFnNumericAttribute::hasMax(MStatus* ReturnStatus) const {
    return status(ReturnStatus) && attribute()->max.has_value();
}

MStatus MFnNumericAttribute::getMin(double& min) const {
    if (!attribute() || !attribute()->min) return MS::kFailure;
    min = *attribute()->min;
    return MS::kSuccess;
}

MStatus MFnNumericAttribute::getMax(double& max) const {
    if (!attribute() || !attribute()->max) return MS::kFailure;
    max = *attribute()->max;
    return MS::kSuccess;
}

MStatus MFnNumericAttribute::getDefault(double& value) const {
    if (!attribute()) return MS::kFailure;
    value = attribute()->defaultNumber;
    return MS::kSuccess;
}
