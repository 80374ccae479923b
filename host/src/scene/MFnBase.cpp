#include <maya/MDGContext.h>
#include <maya/MFnBase.h>

#include "scene/Report.h"

MDGContext MDGContext::fsNormal;

bool MFnBase::hasObj(MFn::Type type) const {
    return object_.hasFn(type);
}

bool MFnBase::hasObj(const MObject& object) const {
    return object.hasFn(type());
}

MObject MFnBase::object(MStatus* ReturnStatus) const {
    return rvhost::reported(ReturnStatus, !object_.isNull(), object_);
}

MStatus MFnBase::setObject(const MObject& object) {
    if (!hasObj(object)) {
        object_ = MObject();
        return MS::kInvalidParameter;
    }
    object_ = object;
    return MS::kSuccess;
}
