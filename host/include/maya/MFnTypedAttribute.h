#pragma once
#include <maya/MFnAttribute.h>
#include <maya/MFnData.h>

// Attributes whose value is a data object: string, mesh, integer array...
class OPENMAYA_EXPORT MFnTypedAttribute : public MFnAttribute {
public:
    MFnTypedAttribute() = default;
    MFnTypedAttribute(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override { return MFn::kTypedAttribute; }

    // Supported types: kString, kIntArray, kMesh and kAny; others fail.
    MObject create(const MString& fullName, const MString& briefName, MFnData::Type type,
                   const MObject& defaultData = MObject::kNullObj, MStatus* ReturnStatus = nullptr);
    MFnData::Type attrType(MStatus* ReturnStatus = nullptr) const;
    MStatus getDefault(MObject& defaultData);
    MStatus setDefault(const MObject& defaultData);
};
