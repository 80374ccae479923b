#include <maya/MFnTypedAttribute.h>

#include "scene/Attribute.h"
#include "scene/Report.h"

namespace {
using Kind = rvhost::Attribute::Kind;

bool kindOf(MFnData::Type type, Kind& kind) {
    switch (type) {
    case MFnData::kString:
        kind = Kind::String;
        return true;
    case MFnData::kIntArray:
        kind = Kind::IntArray;
        return true;
    case MFnData::kMesh:
        kind = Kind::Mesh;
        return true;
    case MFnData::kAny:
        kind = Kind::Generic;
        return true;
    default:
        return false;
    }
}
} // namespace

MFnTypedAttribute::MFnTypedAttribute(const MObject& object, MStatus* ReturnStatus) {
    rvhost::report(ReturnStatus, setObject(object));
}

MObject MFnTypedAttribute::create(const MString& fullName, const MString& briefName,
                                  MFnData::Type type, const MObject& defaultData,
                                  MStatus* ReturnStatus) {
    Kind kind;
    if (fullName.length() == 0 || !kindOf(type, kind))
        return rvhost::reported(ReturnStatus, false, MObject());
    auto attribute = rvhost::makeAttribute(fullName.str(), briefName.str(), kind);
    attribute->defaultData = defaultData;
    return adopt(attribute, ReturnStatus);
}

MFnData::Type MFnTypedAttribute::attrType(MStatus* ReturnStatus) const {
    if (!status(ReturnStatus)) return MFnData::kInvalid;
    switch (attribute()->kind()) {
    case Kind::String:
        return MFnData::kString;
    case Kind::IntArray:
        return MFnData::kIntArray;
    case Kind::Mesh:
        return MFnData::kMesh;
    case Kind::Generic:
        return MFnData::kAny;
    default:
        return MFnData::kInvalid;
    }
}

MStatus MFnTypedAttribute::getDefault(MObject& defaultData) {
    if (!attribute()) return MS::kFailure;
    defaultData = attribute()->defaultData;
    return MS::kSuccess;
}

MStatus MFnTypedAttribute::setDefault(const MObject& defaultData) {
    if (!attribute()) return MS::kFailure;
    attribute()->defaultData = defaultData;
    return MS::kSuccess;
}
