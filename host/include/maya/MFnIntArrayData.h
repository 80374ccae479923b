#pragma once
#include <maya/MFnData.h>
#include <maya/MIntArray.h>

// An integer array data object (the value of kIntArray typed attributes).
class OPENMAYA_EXPORT MFnIntArrayData : public MFnData {
public:
    MFnIntArrayData() = default;
    MFnIntArrayData(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override { return MFn::kIntArrayData; }

    MObject create(const MIntArray& values, MStatus* ReturnStatus = nullptr);
    MObject create(MStatus* ReturnStatus = nullptr);
    MIntArray array(MStatus* ReturnStatus = nullptr) const;
    MStatus set(const MIntArray& values);
    MStatus copyTo(MIntArray& values) const;
    unsigned int length(MStatus* ReturnStatus = nullptr) const;
    int operator[](unsigned int index) const;
};
