#pragma once
#include <maya/MDagPath.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>
#include <maya/MPoint.h>
#include <maya/MStatus.h>

#include <memory>

namespace rvhost {
class MeshCursor;
}

// Iterator over the edges of a mesh (or of an edge component). Edges are numbered in the
// order they first appear walking the polygons, each from its first to its second vertex.
class OPENMAYA_EXPORT MItMeshEdge {
public:
    MItMeshEdge(const MObject& polyObject, MStatus* ReturnStatus = nullptr);
    MItMeshEdge(const MDagPath& polyObject, const MObject& component = MObject::kNullObj,
                MStatus* ReturnStatus = nullptr);

    bool isDone(MStatus* ReturnStatus = nullptr);
    MStatus next();
    MStatus reset();
    int count(MStatus* ReturnStatus = nullptr);
    int index(MStatus* ReturnStatus = nullptr);
    // The edge's first (0) or second (1) vertex.
    int index(int whichVertex, MStatus* ReturnStatus = nullptr);
    MStatus setIndex(int index, int& prevIndex);

    MPoint point(int whichVertex, MSpace::Space space = MSpace::kObject,
                 MStatus* ReturnStatus = nullptr);
    MPoint center(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = nullptr);
    MStatus getLength(double& length, MSpace::Space space = MSpace::kObject);
    int getConnectedFaces(MIntArray& faceList, MStatus* ReturnStatus = nullptr);
    int getConnectedEdges(MIntArray& edgeList, MStatus* ReturnStatus = nullptr);
    bool onBoundary(MStatus* ReturnStatus = nullptr);

private:
    std::shared_ptr<rvhost::MeshCursor> cursor_;
};
