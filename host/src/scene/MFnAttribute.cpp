#include <maya/MFnAttribute.h>

#include "scene/Attribute.h"
#include "scene/Report.h"

MFnAttribute::MFnAttribute(const MObject& object, MStatus* ReturnStatus) {
    rvhost::report(ReturnStatus, setObject(object));
}

rvhost::Attribute* MFnAttribute::attribute() const {
    return dynamic_cast<rvhost::Attribute*>(object_.object().get());
}

bool MFnAttribute::status(MStatus* ReturnStatus) const {
    return rvhost::reported(ReturnStatus, attribute() != nullptr, attribute() != nullptr);
}

MObject MFnAttribute::adopt(const std::shared_ptr<rvhost::Attribute>& attribute,
                            MStatus* ReturnStatus) {
    object_ = attribute->handle();
    return rvhost::reported(ReturnStatus, true, object_);
}

MString MFnAttribute::name(MStatus* ReturnStatus) const {
    return status(ReturnStatus) ? MString(attribute()->name()) : MString();
}

MString MFnAttribute::shortName(MStatus* ReturnStatus) const {
    return status(ReturnStatus) ? MString(attribute()->shortName()) : MString();
}

MObject MFnAttribute::parent(MStatus* ReturnStatus) const {
    if (!status(ReturnStatus) || !attribute()->parent()) return MObject();
    return const_cast<rvhost::Attribute*>(attribute()->parent())->handle();
}

bool MFnAttribute::flag(bool rvhost::Attribute::*flag, MStatus* ReturnStatus) const {
    return status(ReturnStatus) && attribute()->*flag;
}

MStatus MFnAttribute::setFlag(bool rvhost::Attribute::*flag, bool state) {
    if (!attribute()) return MS::kFailure;
    attribute()->*flag = state;
    return MS::kSuccess;
}

using A = rvhost::Attribute;
bool MFnAttribute::isReadable(MStatus* s) const {
    return flag(&A::readable, s);
}
bool MFnAttribute::isWritable(MStatus* s) const {
    return flag(&A::writable, s);
}
bool MFnAttribute::isConnectable(MStatus* s) const {
    return flag(&A::connectable, s);
}
bool MFnAttribute::isStorable(MStatus* s) const {
    return flag(&A::storable, s);
}
bool MFnAttribute::isCached(MStatus* s) const {
    return flag(&A::cached, s);
}
bool MFnAttribute::isArray(MStatus* s) const {
    return flag(&A::array, s);
}
bool MFnAttribute::isHidden(MStatus* s) const {
    return flag(&A::hidden, s);
}
bool MFnAttribute::isKeyable(MStatus* s) const {
    return flag(&A::keyable, s);
}
bool MFnAttribute::isIndexMatters(MStatus* s) const {
    return flag(&A::indexMatters, s);
}

MStatus MFnAttribute::setReadable(bool v) {
    return setFlag(&A::readable, v);
}
MStatus MFnAttribute::setWritable(bool v) {
    return setFlag(&A::writable, v);
}
MStatus MFnAttribute::setConnectable(bool v) {
    return setFlag(&A::connectable, v);
}
MStatus MFnAttribute::setStorable(bool v) {
    return setFlag(&A::storable, v);
}
MStatus MFnAttribute::setCached(bool v) {
    return setFlag(&A::cached, v);
}
MStatus MFnAttribute::setArray(bool v) {
    return setFlag(&A::array, v);
}
MStatus MFnAttribute::setHidden(bool v) {
    return setFlag(&A::hidden, v);
}
MStatus MFnAttribute::setKeyable(bool v) {
    return setFlag(&A::keyable, v);
}
MStatus MFnAttribute::setIndexMatters(bool v) {
    return setFlag(&A::indexMatters, v);
}
MStatus MFnAttribute::setUsesArrayDataBuilder(bool v) {
    return setFlag(&A::usesArrayDataBuilder, v);
}
