#pragma once
#include <maya/MDagPath.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MVector.h>
#include <maya/MVectorArray.h>

#include <memory>

namespace rvhost {
class MeshCursor;
}

// Iterator over the polygons of a mesh (or of a face component). Triangles are the fan
// from the polygon's first vertex.
class OPENMAYA_EXPORT MItMeshPolygon {
public:
    MItMeshPolygon(const MObject& polyObject, MStatus* ReturnStatus = nullptr);
    MItMeshPolygon(const MDagPath& polyObject, const MObject& component = MObject::kNullObj,
                   MStatus* ReturnStatus = nullptr);

    bool isDone(MStatus* ReturnStatus = nullptr);
    MStatus next();
    MStatus reset();
    unsigned int count(MStatus* ReturnStatus = nullptr);
    unsigned int index(MStatus* ReturnStatus = nullptr);
    MStatus setIndex(int index, int& prevIndex);

    unsigned int polygonVertexCount(MStatus* ReturnStatus = nullptr);
    int vertexIndex(int index, MStatus* ReturnStatus = nullptr);
    MStatus getVertices(MIntArray& vertices);
    MPoint point(int index, MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = nullptr);
    MStatus getPoints(MPointArray& pointArray, MSpace::Space space = MSpace::kObject);
    MPoint center(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = nullptr);
    // Newell's normal of the polygon.
    MStatus getNormal(MVector& normal, MSpace::Space space = MSpace::kObject);
    // The vertex normals of its corners, in order.
    MStatus getNormals(MVectorArray& vectorArray, MSpace::Space space = MSpace::kObject);
    MStatus getArea(double& area, MSpace::Space space = MSpace::kObject);
    MStatus numTriangles(int& triCount);
    MStatus getTriangle(int localTriIndex, MPointArray& points, MIntArray& vertexList,
                        MSpace::Space space = MSpace::kObject);
    MStatus getEdges(MIntArray& edges);
    MStatus getConnectedFaces(MIntArray& faces);
    MStatus getUV(int vertex, float2& uvPoint, const MString* uvSet = nullptr);
    bool onBoundary(MStatus* ReturnStatus = nullptr);

private:
    std::shared_ptr<rvhost::MeshCursor> cursor_;
};
