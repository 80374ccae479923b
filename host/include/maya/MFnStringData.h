#pragma once
#include <maya/MFnData.h>
#include <maya/MString.h>

// A string data object, the value type of string attributes.
class OPENMAYA_EXPORT MFnStringData : public MFnData {
public:
    MFnStringData() = default;
    MFnStringData(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override { return MFn::kStringData; }

    MObject create(const MString& text, MStatus* ReturnStatus = nullptr);
    MObject create(MStatus* ReturnStatus = nullptr);
    MString string(MStatus* ReturnStatus = nullptr) const;
    MStatus set(const MString& text);
};
