#pragma once
#include <maya/MFnData.h>

// Function set on mesh data objects: geometry that belongs to no node.
class OPENMAYA_EXPORT MFnMeshData : public MFnData {
public:
    MFnMeshData() = default;
    MFnMeshData(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override { return MFn::kMeshData; }

    // An empty mesh data object; MFnMesh::create or copy fills it.
    MObject create(MStatus* ReturnStatus = nullptr);
};
