#pragma once
#include <maya/MFnBase.h>

// Function set on component objects (sets of vertices, edges or faces of one shape).
class OPENMAYA_EXPORT MFnComponent : public MFnBase {
public:
    MFnComponent() = default;
    MFnComponent(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override { return MFn::kComponent; }

    int elementCount(MStatus* ReturnStatus = nullptr) const;
    MFn::Type componentType(MStatus* ReturnStatus = nullptr) const;
    bool isEmpty(MStatus* ReturnStatus = nullptr) const { return elementCount(ReturnStatus) == 0; }
    bool isComplete(MStatus* ReturnStatus = nullptr) const;
    MStatus setComplete(bool complete);
};
