#pragma once
#include <maya/MFnComponent.h>
#include <maya/MIntArray.h>

// Components named by one index each: mesh vertices (kMeshVertComponent), edges and faces.
class OPENMAYA_EXPORT MFnSingleIndexedComponent : public MFnComponent {
public:
    MFnSingleIndexedComponent() = default;
    MFnSingleIndexedComponent(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override { return MFn::kSingleIndexedComponent; }

    MObject create(MFn::Type componentType, MStatus* ReturnStatus = nullptr);
    MStatus addElement(int element);
    MStatus addElements(MIntArray& elements);
    int element(int index, MStatus* ReturnStatus = nullptr) const;
    MStatus getElements(MIntArray& elements) const;
};
