#pragma once
#include <maya/MDagPath.h>
#include <maya/MDataHandle.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

namespace rvhost {
class MeshGeometry;
}

// Walks the points of a geometry (a mesh node or mesh data) in object space. An iterator
// made read-only refuses to move points.
class OPENMAYA_EXPORT MItGeometry {
public:
    MItGeometry(MDataHandle& dataHandle, unsigned int groupId, bool readOnly = true,
                MStatus* ReturnStatus = nullptr);
    MItGeometry(MDataHandle& dataHandle, bool readOnly = true, MStatus* ReturnStatus = nullptr);
    MItGeometry(const MObject& dagObject, MStatus* ReturnStatus = nullptr);
    MItGeometry(const MDagPath& dagPath, MStatus* ReturnStatus = nullptr);

    bool isDone(MStatus* ReturnStatus = nullptr) const;
    MStatus next();
    MStatus reset();
    int index(MStatus* ReturnStatus = nullptr) const;
    int count(MStatus* ReturnStatus = nullptr) const;
    int exactCount(MStatus* ReturnStatus = nullptr) const { return count(ReturnStatus); }
    MPoint position(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = nullptr) const;
    MStatus setPosition(const MPoint& point, MSpace::Space space = MSpace::kObject);
    MStatus allPositions(MPointArray& points, MSpace::Space space = MSpace::kObject) const;
    MStatus setAllPositions(const MPointArray& points, MSpace::Space space = MSpace::kObject);

private:
    void attach(const MObject& geometry, bool readOnly, MStatus* ReturnStatus);
    bool objectSpace(MSpace::Space space) const;

    MObject geometry_; // keeps the data or node alive
    rvhost::MeshGeometry* mesh_ = nullptr;
    bool readOnly_ = true;
    int index_ = 0;
};
