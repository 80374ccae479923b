#include <maya/MArrayDataHandle.h>
#include <maya/MDataHandle.h>

#include "graph/DataHandles.h"
#include "scene/Data.h"
#include "scene/Graph.h"
#include "scene/Report.h"

#include <algorithm>

namespace rvhost {

MDataHandle makeHandle(Node& node, const Attribute* attribute, int index, bool output) {
    MDataHandle handle(&node, attribute, index, output);
    PlugId plug{attribute, index};
    PlugValue value = output ? node.storedValue(plug) : Graph::instance().evaluate(node, plug);
    double number = 0.0;
    MString text;
    MObject data;
    if (const double* d = std::get_if<double>(&value)) number = *d;
    if (const std::string* s = std::get_if<std::string>(&value)) {
        text = MString(*s);
        data = MObject(std::make_shared<StringData>(*s));
    }
    if (const MObject* o = std::get_if<MObject>(&value)) data = *o;
    handle.load(number, text, data);
    return handle;
}

} // namespace rvhost

MDataHandle::MDataHandle(rvhost::Node* node, const rvhost::Attribute* attribute, int index,
                         bool output)
    : node_(node), attribute_(attribute), index_(index), output_(output) {}

void MDataHandle::load(double number, const MString& text, const MObject& data) {
    number_ = number;
    text_ = text;
    data_ = data;
}

void MDataHandle::store() {
    if (!node_ || !output_) return;
    rvhost::PlugValue value;
    if (attribute_->isNumeric())
        value = number_;
    else if (attribute_->kind() == rvhost::Attribute::Kind::String)
        value = text_.str();
    else
        value = data_;
    node_->store({attribute_, index_}, std::move(value));
}

void MDataHandle::set(bool value) {
    set(value ? 1.0 : 0.0);
}
void MDataHandle::set(short value) {
    set(static_cast<double>(value));
}
void MDataHandle::set(int value) {
    set(static_cast<double>(value));
}
void MDataHandle::set(float value) {
    set(static_cast<double>(value));
}

void MDataHandle::set(double value) {
    number_ = value;
    store();
}

void MDataHandle::set(const MString& value) {
    text_ = value;
    store();
}

MStatus MDataHandle::set(const MObject& value) {
    if (!node_ || !output_) return MS::kFailure;
    data_ = value;
    store();
    return MS::kSuccess;
}

void MDataHandle::setClean() {
    if (node_) rvhost::Graph::instance().setClean(*node_, attribute_);
}

MDataHandle MDataHandle::child(const MObject& attribute) {
    auto wanted = rvhost::attributeOf(attribute);
    if (!node_ || !wanted || wanted->parent() != attribute_) return MDataHandle();
    return rvhost::makeHandle(*node_, wanted.get(), index_, output_);
}

MArrayDataHandle::MArrayDataHandle(rvhost::Node* node, const rvhost::Attribute* attribute,
                                   bool output)
    : node_(node), attribute_(attribute), output_(output), elements_(node->elements(*attribute)) {}

unsigned int MArrayDataHandle::elementCount(MStatus* ReturnStatus) const {
    return rvhost::reported(ReturnStatus, node_, static_cast<unsigned int>(elements_.size()));
}

unsigned int MArrayDataHandle::elementIndex(MStatus* ReturnStatus) const {
    bool ok = position_ < elements_.size();
    return rvhost::reported(ReturnStatus, ok,
                            ok ? static_cast<unsigned int>(elements_[position_]) : 0u);
}

MStatus MArrayDataHandle::jumpToElement(unsigned int logicalIndex) {
    auto it = std::find(elements_.begin(), elements_.end(), static_cast<int>(logicalIndex));
    if (it == elements_.end()) return MS::kInvalidParameter;
    position_ = static_cast<unsigned int>(it - elements_.begin());
    return MS::kSuccess;
}

MStatus MArrayDataHandle::jumpToArrayElement(unsigned int physicalIndex) {
    if (physicalIndex >= elements_.size()) return MS::kInvalidParameter;
    position_ = physicalIndex;
    return MS::kSuccess;
}

MStatus MArrayDataHandle::next() {
    if (position_ >= elements_.size()) return MS::kFailure;
    ++position_;
    return position_ < elements_.size() ? MS::kSuccess : MS::kFailure;
}

MDataHandle MArrayDataHandle::inputValue(MStatus* ReturnStatus) {
    if (position_ >= elements_.size()) return rvhost::reported(ReturnStatus, false, MDataHandle());
    return rvhost::reported(ReturnStatus, true,
                            rvhost::makeHandle(*node_, attribute_, elements_[position_], false));
}

MDataHandle MArrayDataHandle::outputValue(MStatus* ReturnStatus) {
    if (position_ >= elements_.size()) return rvhost::reported(ReturnStatus, false, MDataHandle());
    return rvhost::reported(ReturnStatus, true,
                            rvhost::makeHandle(*node_, attribute_, elements_[position_], true));
}

void MArrayDataHandle::setClean() {
    if (node_) rvhost::Graph::instance().setClean(*node_, attribute_);
}
