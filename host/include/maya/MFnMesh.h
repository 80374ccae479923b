#pragma once
#include <maya/MFloatArray.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFloatVector.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MIntArray.h>
#include <maya/MMeshIsectAccelParams.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MString.h>
#include <maya/MVector.h>

namespace rvhost {
class MeshAccess;
class MeshGeometry;
} // namespace rvhost

// Function set on polygon meshes: mesh shape nodes and mesh data objects. Points are kept
// in single precision; the MPoint calls convert. MSpace::kWorld goes through the shape's
// inclusive matrix; every other space is object space. A data object has no world space.
//
// Polygons are split into triangles as a fan from their first vertex; ray casts report
// the hit triangle's index within its polygon, hitBary1 and hitBary2 weighting the
// triangle's first and second corners. Of equally near hits the lowest face, then the
// lowest triangle, wins.
class OPENMAYA_EXPORT MFnMesh : public MFnDagNode {
public:
    MFnMesh() = default;
    MFnMesh(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFnMesh(const MDagPath& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override { return MFn::kMesh; }
    // Accepts mesh shapes and mesh data.
    MStatus setObject(const MObject& object) override;
    MStatus setObject(const MDagPath& path);

    // Makes a mesh. parentOrOwner: null makes a transform with a mesh shape below (the
    // transform is returned); a transform gets a new shape (returned); mesh data is filled
    // (and returned). The function set is attached to the new mesh.
    MObject create(int numVertices, int numPolygons, const MFloatPointArray& vertexArray,
                   const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                   MObject parentOrOwner = MObject::kNullObj, MStatus* ReturnStatus = nullptr);
    MObject create(int numVertices, int numPolygons, const MPointArray& vertexArray,
                   const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                   MObject parentOrOwner = MObject::kNullObj, MStatus* ReturnStatus = nullptr);
    // With one UV per entry of uArray/vArray, assigned per face-vertex in vertex-list
    // order when there is one per face-vertex, else by vertex index.
    MObject create(int numVertices, int numPolygons, const MFloatPointArray& vertexArray,
                   const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                   const MFloatArray& uArray, const MFloatArray& vArray,
                   MObject parentOrOwner = MObject::kNullObj, MStatus* ReturnStatus = nullptr);
    MObject create(int numVertices, int numPolygons, const MPointArray& vertexArray,
                   const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                   const MFloatArray& uArray, const MFloatArray& vArray,
                   MObject parentOrOwner = MObject::kNullObj, MStatus* ReturnStatus = nullptr);
    // A copy of a mesh shape or mesh data, placed as create places a new mesh.
    MObject copy(const MObject& source, MObject parentOrOwner = MObject::kNullObj,
                 MStatus* ReturnStatus = nullptr);

    int numVertices(MStatus* ReturnStatus = nullptr) const;
    int numEdges(MStatus* ReturnStatus = nullptr) const;
    int numPolygons(MStatus* ReturnStatus = nullptr) const;
    int numFaceVertices(MStatus* ReturnStatus = nullptr) const;
    int numNormals(MStatus* ReturnStatus = nullptr) const;
    int numUVs(MStatus* ReturnStatus = nullptr) const;
    int numUVs(const MString& setName, MStatus* ReturnStatus = nullptr) const;
    int polygonVertexCount(int polygonId, MStatus* ReturnStatus = nullptr) const;

    MStatus getPolygonVertices(int polygonId, MIntArray& vertexList) const;
    MStatus getVertices(MIntArray& vertexCount, MIntArray& vertexList) const;
    MStatus getEdgeVertices(int edgeId, int2& vertexList) const;

    MStatus getPoints(MPointArray& vertexArray, MSpace::Space space = MSpace::kObject) const;
    MStatus getPoints(MFloatPointArray& vertexArray, MSpace::Space space = MSpace::kObject) const;
    MStatus setPoints(MPointArray& vertexArray, MSpace::Space space = MSpace::kObject);
    MStatus setPoints(MFloatPointArray& vertexArray, MSpace::Space space = MSpace::kObject);
    MStatus getPoint(int vertexId, MPoint& pos, MSpace::Space space = MSpace::kObject) const;
    MStatus setPoint(int vertexId, const MPoint& pos, MSpace::Space space = MSpace::kObject);
    // Three floats a vertex, object space; valid until the mesh's topology changes.
    const float* getRawPoints(MStatus* ReturnStatus);

    // One normal a vertex (every edge is smooth): the area-weighted mean of the normals of
    // the polygons around it, unless set with setNormals, which locks them.
    MStatus getNormals(MFloatVectorArray& normals, MSpace::Space space = MSpace::kObject) const;
    MStatus setNormals(const MFloatVectorArray& normals,
                       MSpace::Space space = MSpace::kPreTransform);
    MStatus getNormalIds(MIntArray& normalIdCounts, MIntArray& normals) const;
    MStatus getVertexNormal(int vertexId, bool angleWeighted, MVector& normal,
                            MSpace::Space space = MSpace::kObject) const;
    MStatus getVertexNormals(bool angleWeighted, MFloatVectorArray& normals,
                             MSpace::Space space = MSpace::kObject) const;
    MStatus getFaceVertexNormal(int faceIndex, int vertexIndex, MVector& normal,
                                MSpace::Space space = MSpace::kObject) const;
    MStatus getFaceVertexNormals(int faceIndex, MFloatVectorArray& normals,
                                 MSpace::Space space = MSpace::kObject) const;
    // Newell's normal of the polygon.
    MStatus getPolygonNormal(int polygonId, MVector& normal,
                             MSpace::Space space = MSpace::kObject) const;

    // One UV set, "map1".
    MString currentUVSetName(MStatus* ReturnStatus = nullptr) const;
    MStatus getCurrentUVSetName(MString& setName) const;
    MStatus getUVs(MFloatArray& uArray, MFloatArray& vArray, const MString* uvSet = nullptr) const;
    MStatus getAssignedUVs(MIntArray& uvCounts, MIntArray& uvIds,
                           const MString* uvSet = nullptr) const;
    MStatus getPolygonUV(int polygonId, int vertexIndex, float& u, float& v,
                         const MString* uvSet = nullptr) const;
    // The UV at the surface point nearest to pt, interpolated in its triangle.
    MStatus getUVAtPoint(MPoint& pt, float2& uvPoint, MSpace::Space space = MSpace::kObject,
                         const MString* uvSet = nullptr, int* closestPolygon = nullptr);
    MStatus getClosestPoint(const MPoint& toThisPoint, MPoint& theClosestPoint,
                            MSpace::Space space = MSpace::kObject,
                            int* closestPolygon = nullptr) const;

    // The nearest hit along the ray (hitRayParam counts lengths of rayDirection; negative
    // for hits behind the source when both directions are tested). faceIds limits the
    // faces; triIds, beside it, names one triangle of each listed face.
    bool closestIntersection(const MFloatPoint& raySource, const MFloatVector& rayDirection,
                             const MIntArray* faceIds, const MIntArray* triIds, bool idsSorted,
                             MSpace::Space space, float maxParam, bool testBothDirections,
                             MMeshIsectAccelParams* accelParams, MFloatPoint& hitPoint,
                             float* hitRayParam, int* hitFace, int* hitTriangle, float* hitBary1,
                             float* hitBary2, float tolerance = 1e-6,
                             MStatus* ReturnStatus = nullptr);
    // Whether the ray hits at all; the hit reported is the nearest one, as above, so that
    // the answer does not depend on how the search ran.
    bool anyIntersection(const MFloatPoint& raySource, const MFloatVector& rayDirection,
                         const MIntArray* faceIds, const MIntArray* triIds, bool idsSorted,
                         MSpace::Space space, float maxParam, bool testBothDirections,
                         MMeshIsectAccelParams* accelParams, MFloatPoint& hitPoint,
                         float* hitRayParam, int* hitFace, int* hitTriangle, float* hitBary1,
                         float* hitBary2, float tolerance = 1e-6, MStatus* ReturnStatus = nullptr);
    static MMeshIsectAccelParams autoUniformGridParams();
    static MMeshIsectAccelParams uniformGridParams(int xDivs, int yDivs, int zDivs);
    MStatus freeCachedIntersectionAccelerator();

    // Tells the host the surface changed so that views redraw it.
    MStatus updateSurface();

private:
    // Puts new geometry where create and copy say, and attaches to it.
    MObject adopt(rvhost::MeshGeometry& geometry, const MObject& parentOrOwner,
                  MStatus* ReturnStatus);
    template <typename PointArray>
    MObject createFrom(int numVertices, int numPolygons, const PointArray& vertexArray,
                       const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                       const MFloatArray* uArray, const MFloatArray* vArray,
                       const MObject& parentOrOwner, MStatus* ReturnStatus);
    template <typename PointArray>
    MStatus readPoints(PointArray& vertexArray, MSpace::Space space) const;
    template <typename PointArray>
    MStatus writePoints(const PointArray& vertexArray, MSpace::Space space);
    bool intersect(const MFloatPoint& raySource, const MFloatVector& rayDirection,
                   const MIntArray* faceIds, const MIntArray* triIds, MSpace::Space space,
                   float maxParam, bool testBothDirections, MFloatPoint& hitPoint,
                   float* hitRayParam, int* hitFace, int* hitTriangle, float* hitBary1,
                   float* hitBary2, float tolerance, MStatus* ReturnStatus);
};
