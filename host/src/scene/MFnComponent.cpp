#include <maya/MFnComponent.h>
#include <maya/MFnSingleIndexedComponent.h>

#include "scene/Component.h"
#include "scene/Report.h"

using rvhost::componentOf;

MFnComponent::MFnComponent(const MObject& object, MStatus* ReturnStatus) {
    rvhost::report(ReturnStatus, setObject(object));
}

int MFnComponent::elementCount(MStatus* ReturnStatus) const {
    auto* c = componentOf(object_);
    return rvhost::reported(ReturnStatus, c, c ? static_cast<int>(c->elements().size()) : 0);
}

MFn::Type MFnComponent::componentType(MStatus* ReturnStatus) const {
    auto* c = componentOf(object_);
    return rvhost::reported(ReturnStatus, c, c ? c->apiType() : MFn::kInvalid);
}

bool MFnComponent::isComplete(MStatus* ReturnStatus) const {
    auto* c = componentOf(object_);
    return rvhost::reported(ReturnStatus, c, c && c->complete);
}

MStatus MFnComponent::setComplete(bool complete) {
    auto* c = componentOf(object_);
    if (!c) return MS::kFailure;
    c->complete = complete;
    return MS::kSuccess;
}

MFnSingleIndexedComponent::MFnSingleIndexedComponent(const MObject& object, MStatus* ReturnStatus) {
    rvhost::report(ReturnStatus, setObject(object));
}

MObject MFnSingleIndexedComponent::create(MFn::Type componentType, MStatus* ReturnStatus) {
    if (!rvhost::typeIncludes(componentType, MFn::kSingleIndexedComponent))
        return rvhost::reported(ReturnStatus, false, MObject());
    object_ = MObject(std::make_shared<rvhost::Component>(componentType));
    return rvhost::reported(ReturnStatus, true, object_);
}

MStatus MFnSingleIndexedComponent::addElement(int element) {
    auto* c = componentOf(object_);
    if (!c || element < 0) return MS::kFailure;
    c->add(element);
    return MS::kSuccess;
}

MStatus MFnSingleIndexedComponent::addElements(MIntArray& elements) {
    for (unsigned int i = 0; i < elements.length(); ++i)
        if (MStatus s = addElement(elements[i]); !s) return s;
    return MS::kSuccess;
}

int MFnSingleIndexedComponent::element(int index, MStatus* ReturnStatus) const {
    auto* c = componentOf(object_);
    bool ok = c && index >= 0 && index < static_cast<int>(c->elements().size());
    return rvhost::reported(ReturnStatus, ok, ok ? c->elements()[index] : -1);
}

MStatus MFnSingleIndexedComponent::getElements(MIntArray& elements) const {
    auto* c = componentOf(object_);
    if (!c) return MS::kFailure;
    elements.clear();
    for (int e : c->elements())
        elements.append(e);
    return MS::kSuccess;
}
