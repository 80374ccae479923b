#pragma once
#include <maya/MDagPath.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>
#include <maya/MPoint.h>
#include <maya/MStatus.h>
#include <maya/MVector.h>

#include <memory>

namespace rvhost {
class MeshCursor;
}

// Iterator over the vertices of a mesh (or of a vertex component). Connected vertices,
// edges and faces come in ascending edge and face order.
class OPENMAYA_EXPORT MItMeshVertex {
public:
    MItMeshVertex(const MObject& polyObject, MStatus* ReturnStatus = nullptr);
    MItMeshVertex(const MDagPath& polyObject, const MObject& component = MObject::kNullObj,
                  MStatus* ReturnStatus = nullptr);

    bool isDone(MStatus* ReturnStatus = nullptr);
    MStatus next();
    MStatus reset();
    int count(MStatus* ReturnStatus = nullptr);
    int index(MStatus* ReturnStatus = nullptr);
    MStatus setIndex(int index, int& prevIndex);

    MPoint position(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = nullptr);
    MStatus setPosition(const MPoint& point, MSpace::Space space = MSpace::kObject);
    MStatus getNormal(MVector& vector, MSpace::Space space = MSpace::kObject);
    MStatus getConnectedVertices(MIntArray& vertexList);
    MStatus getConnectedFaces(MIntArray& faceList);
    MStatus getConnectedEdges(MIntArray& edgeList);
    MStatus numConnectedEdges(int& edgeCount) const;
    MStatus numConnectedFaces(int& faceCount) const;
    bool onBoundary(MStatus* ReturnStatus = nullptr);
    MStatus updateSurface();

private:
    std::shared_ptr<rvhost::MeshCursor> cursor_;
};
