#include <maya/MFnData.h>
#include <maya/MIntArray.h>
#include <maya/MPlug.h>

#include "scene/Data.h"
#include "scene/Graph.h"
#include "scene/Node.h"
#include "scene/Report.h"

#include <algorithm>
#include <cmath>
#include <sstream>

using rvhost::Attribute;
using rvhost::PlugValue;
using rvhost::report;
using rvhost::reported;
using Kind = rvhost::Attribute::Kind;

namespace {
Attribute* attributeIn(const MObject& attribute) {
    return dynamic_cast<Attribute*>(attribute.object().get());
}

std::string numberText(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

// Numbers as the attribute's kind keeps them: integers truncated, booleans 0 or 1,
// floats narrowed, all within the attribute's limits.
double conform(const Attribute& attribute, double value) {
    if (attribute.min) value = std::max(value, *attribute.min);
    if (attribute.max) value = std::min(value, *attribute.max);
    switch (attribute.kind()) {
    case Kind::Bool:
        return value != 0.0 ? 1.0 : 0.0;
    case Kind::Short:
        return static_cast<short>(value);
    case Kind::Int:
        return static_cast<int>(value);
    case Kind::Float:
        return static_cast<float>(value);
    default:
        return value;
    }
}

bool dataFits(const Attribute& attribute, MFn::Type type) {
    switch (attribute.kind()) {
    case Kind::String:
        return type == MFn::kStringData;
    case Kind::IntArray:
        return type == MFn::kIntArrayData;
    case Kind::Mesh:
        return type == MFn::kMeshData;
    case Kind::Generic:
        return rvhost::typeIncludes(type, MFn::kData);
    default:
        return false;
    }
}

rvhost::PlugId plugId(const MPlug& plug) {
    return {attributeIn(plug.attribute()), plug.index()};
}

rvhost::Node* ownerOf(const MPlug& plug) {
    return plug.isNull() ? nullptr : dynamic_cast<rvhost::Node*>(plug.node().object().get());
}

PlugValue valueOf(const MPlug& plug, MStatus* ReturnStatus) {
    if (plug.isNull()) return reported(ReturnStatus, false, PlugValue());
    report(ReturnStatus, MS::kSuccess);
    return rvhost::Graph::instance().evaluate(*ownerOf(plug), plugId(plug));
}

double numberOf(const MPlug& plug, MStatus* ReturnStatus) {
    PlugValue v = valueOf(plug, ReturnStatus);
    if (const double* d = std::get_if<double>(&v)) return *d;
    if (!plug.isNull()) report(ReturnStatus, MS::kInvalidParameter);
    return 0.0;
}

MStatus assign(const MPlug& plug, PlugValue value) {
    if (plug.isNull() || ownerOf(plug)->isLocked(plugId(plug))) return MS::kFailure;
    return rvhost::Graph::instance().set(*ownerOf(plug), plugId(plug), std::move(value));
}

MStatus setNumber(const MPlug& plug, double value) {
    const Attribute* a = attributeIn(plug.attribute());
    if (!a || !a->isNumeric() || std::isnan(value)) return MS::kInvalidParameter;
    return assign(plug, conform(*a, value));
}

template <class T> MStatus fetch(T& out, T value, MStatus status) {
    if (status) out = value;
    return status;
}
} // namespace

MPlug::MPlug(const MObject& node, const MObject& attribute) : MPlug(node, attribute, -1) {}

MPlug::MPlug(const MObject& node, const MObject& attribute, int index)
    : node_(node), attribute_(attribute), index_(index) {}

bool MPlug::isNull(MStatus* ReturnStatus) const {
    report(ReturnStatus, MS::kSuccess);
    return node_.isNull() || !attributeIn(attribute_);
}

MObject MPlug::node(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, !isNull(), node_);
}

MObject MPlug::attribute(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, !isNull(), attribute_);
}

MString MPlug::name(MStatus* ReturnStatus) const {
    return partialName(true, false, false, false, false, false, ReturnStatus);
}

MString MPlug::partialName(bool includeNodeName, bool, bool, bool, bool useFullAttributePath,
                           bool useLongNames, MStatus* ReturnStatus) const {
    if (isNull()) return reported(ReturnStatus, false, MString());
    const Attribute* a = attributeIn(attribute_);
    auto label = [&](const Attribute* at) { return useLongNames ? at->name() : at->shortName(); };
    auto indexed = [&](const Attribute* at) {
        return label(at) + (at->array && index_ >= 0 ? "[" + std::to_string(index_) + "]" : "");
    };
    std::string text = indexed(a);
    if (const Attribute* p = a->parent(); p && (p->array || useFullAttributePath))
        text = indexed(p) + "." + text;
    if (includeNodeName) text = ownerOf(*this)->name() + "." + text;
    return reported(ReturnStatus, true, MString(text));
}

bool MPlug::isArray(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, !isNull(),
                    !isNull() && attributeIn(attribute_)->array && index_ < 0);
}

bool MPlug::isElement(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, !isNull(),
                    !isNull() && attributeIn(attribute_)->array && index_ >= 0);
}

bool MPlug::isCompound(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, !isNull(),
                    !isNull() && attributeIn(attribute_)->kind() == Kind::Compound);
}

bool MPlug::isChild(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, !isNull(), !isNull() && attributeIn(attribute_)->parent());
}

bool MPlug::isDynamic(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, !isNull(),
                    !isNull() && ownerOf(*this)->isDynamic(*plugId(*this).attribute));
}

bool MPlug::isLocked(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, !isNull(), !isNull() && ownerOf(*this)->isLocked(plugId(*this)));
}

MStatus MPlug::setLocked(bool locked) {
    if (isNull()) return MS::kFailure;
    ownerOf(*this)->setLocked(plugId(*this), locked);
    return MS::kSuccess;
}

unsigned int MPlug::numElements(MStatus* ReturnStatus) const {
    if (!isArray()) return reported(ReturnStatus, false, 0u);
    return reported(
        ReturnStatus, true,
        static_cast<unsigned int>(ownerOf(*this)->elements(*plugId(*this).attribute).size()));
}

unsigned int MPlug::evaluateNumElements(MStatus* ReturnStatus) const {
    return numElements(ReturnStatus);
}

MPlug MPlug::elementByLogicalIndex(unsigned int logicalIndex, MStatus* ReturnStatus) const {
    if (!isArray()) return reported(ReturnStatus, false, MPlug());
    return reported(ReturnStatus, true, MPlug(node_, attribute_, static_cast<int>(logicalIndex)));
}

MPlug MPlug::elementByPhysicalIndex(unsigned int physicalIndex, MStatus* ReturnStatus) const {
    if (!isArray()) return reported(ReturnStatus, false, MPlug());
    std::vector<int> elements = ownerOf(*this)->elements(*plugId(*this).attribute);
    if (physicalIndex >= elements.size()) return reported(ReturnStatus, false, MPlug());
    return reported(ReturnStatus, true, MPlug(node_, attribute_, elements[physicalIndex]));
}

unsigned int MPlug::logicalIndex(MStatus* ReturnStatus) const {
    bool ok = !isNull() && index_ >= 0;
    return reported(ReturnStatus, ok, ok ? static_cast<unsigned int>(index_) : 0u);
}

int MPlug::getExistingArrayAttributeIndices(MIntArray& indices, MStatus* ReturnStatus) {
    indices.clear();
    if (!isArray()) return reported(ReturnStatus, false, 0);
    for (int index : ownerOf(*this)->elements(*plugId(*this).attribute))
        indices.append(index);
    return reported(ReturnStatus, true, static_cast<int>(indices.length()));
}

MPlug MPlug::array(MStatus* ReturnStatus) const {
    if (!isElement()) return reported(ReturnStatus, false, MPlug());
    return reported(ReturnStatus, true, MPlug(node_, attribute_));
}

unsigned int MPlug::numChildren(MStatus* ReturnStatus) const {
    return reported(
        ReturnStatus, !isNull(),
        isNull() ? 0u : static_cast<unsigned int>(attributeIn(attribute_)->children().size()));
}

MPlug MPlug::child(unsigned int index, MStatus* ReturnStatus) const {
    if (index >= numChildren()) return reported(ReturnStatus, false, MPlug());
    return reported(ReturnStatus, true,
                    MPlug(node_, attributeIn(attribute_)->children()[index]->handle(), index_));
}

MPlug MPlug::child(const MObject& attr, MStatus* ReturnStatus) const {
    const Attribute* wanted = attributeIn(attr);
    bool ok = !isNull() && wanted && wanted->parent() == attributeIn(attribute_);
    return reported(ReturnStatus, ok, ok ? MPlug(node_, attr, index_) : MPlug());
}

MPlug MPlug::parent(MStatus* ReturnStatus) const {
    const Attribute* p = isNull() ? nullptr : attributeIn(attribute_)->parent();
    if (!p) return reported(ReturnStatus, false, MPlug());
    return reported(ReturnStatus, true,
                    MPlug(node_, const_cast<Attribute*>(p)->handle(), p->array ? index_ : -1));
}

bool MPlug::asBool(MDGContext&, MStatus* ReturnStatus) const {
    return numberOf(*this, ReturnStatus) != 0.0;
}
char MPlug::asChar(MDGContext&, MStatus* ReturnStatus) const {
    return static_cast<char>(numberOf(*this, ReturnStatus));
}
short MPlug::asShort(MDGContext&, MStatus* ReturnStatus) const {
    return static_cast<short>(numberOf(*this, ReturnStatus));
}
int MPlug::asInt(MDGContext&, MStatus* ReturnStatus) const {
    return static_cast<int>(numberOf(*this, ReturnStatus));
}
float MPlug::asFloat(MDGContext&, MStatus* ReturnStatus) const {
    return static_cast<float>(numberOf(*this, ReturnStatus));
}
double MPlug::asDouble(MDGContext&, MStatus* ReturnStatus) const {
    return numberOf(*this, ReturnStatus);
}

MString MPlug::asString(MDGContext&, MStatus* ReturnStatus) const {
    PlugValue v = valueOf(*this, ReturnStatus);
    if (const std::string* s = std::get_if<std::string>(&v)) return MString(*s);
    if (const double* d = std::get_if<double>(&v)) return MString(numberText(*d));
    if (auto* o = std::get_if<MObject>(&v))
        if (auto text = std::dynamic_pointer_cast<rvhost::StringData>(o->object()))
            return MString(text->text);
    return MString();
}

MObject MPlug::asMObject(MDGContext&, MStatus* ReturnStatus) const {
    PlugValue v = valueOf(*this, ReturnStatus);
    if (auto* o = std::get_if<MObject>(&v)) return *o;
    if (const std::string* s = std::get_if<std::string>(&v))
        return MObject(std::make_shared<rvhost::StringData>(*s));
    if (!isNull()) report(ReturnStatus, MS::kInvalidParameter);
    return MObject();
}

MStatus MPlug::getValue(bool& v, MDGContext& c) const {
    MStatus s;
    return fetch(v, asBool(c, &s), s);
}
MStatus MPlug::getValue(int& v, MDGContext& c) const {
    MStatus s;
    return fetch(v, asInt(c, &s), s);
}
MStatus MPlug::getValue(short& v, MDGContext& c) const {
    MStatus s;
    return fetch(v, asShort(c, &s), s);
}
MStatus MPlug::getValue(float& v, MDGContext& c) const {
    MStatus s;
    return fetch(v, asFloat(c, &s), s);
}
MStatus MPlug::getValue(double& v, MDGContext& c) const {
    MStatus s;
    return fetch(v, asDouble(c, &s), s);
}
MStatus MPlug::getValue(MString& v, MDGContext& c) const {
    MStatus s;
    return fetch(v, asString(c, &s), s);
}
MStatus MPlug::getValue(MObject& v, MDGContext& c) const {
    MStatus s;
    return fetch(v, asMObject(c, &s), s);
}

MStatus MPlug::setValue(bool value) {
    return setNumber(*this, value ? 1.0 : 0.0);
}
MStatus MPlug::setValue(char value) {
    return setNumber(*this, value);
}
MStatus MPlug::setValue(short value) {
    return setNumber(*this, value);
}
MStatus MPlug::setValue(int value) {
    return setNumber(*this, value);
}
MStatus MPlug::setValue(float value) {
    return setNumber(*this, value);
}
MStatus MPlug::setValue(double value) {
    return setNumber(*this, value);
}

MStatus MPlug::setValue(const MString& value) {
    const Attribute* a = attributeIn(attribute_);
    if (!a || a->kind() != Kind::String) return MS::kInvalidParameter;
    return assign(*this, value.str());
}

MStatus MPlug::setValue(const MObject& value) {
    const Attribute* a = attributeIn(attribute_);
    if (!a || !a->isTypedData()) return MS::kInvalidParameter;
    if (value.isNull()) return assign(*this, PlugValue());
    if (!dataFits(*a, value.apiType())) return MS::kInvalidParameter;
    if (a->kind() == Kind::String)
        return assign(*this, std::static_pointer_cast<rvhost::StringData>(value.object())->text);
    return assign(*this, value);
}

bool MPlug::operator==(const MPlug& other) const {
    return node_ == other.node_ && attribute_ == other.attribute_ && index_ == other.index_;
}
