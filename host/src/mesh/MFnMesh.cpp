#include <maya/MFnMesh.h>

#include "mesh/MeshAccess.h"
#include "mesh/MeshData.h"
#include "mesh/MeshQueries.h"
#include "scene/Report.h"

#include <string>
#include <vector>

using rvhost::MeshAccess;
using rvhost::MeshGeometry;
using rvhost::report;
using rvhost::Vec3;

namespace {

const char* const kUVSetName = "map1";

// The mesh behind a function set; ReturnStatus tells whether there is one.
MeshAccess access(const MObject& object, MStatus* ReturnStatus) {
    MeshAccess mesh(object);
    report(ReturnStatus, mesh.valid() ? MS::kSuccess : MS::kFailure);
    return mesh;
}

// Packs count 3-vectors, the v-th given by at(v), as x, y, z floats.
template <class At> std::vector<float> packXyz(int count, At at) {
    std::vector<float> xyz(3 * static_cast<size_t>(count));
    for (int v = 0; v < count; ++v) {
        const auto p = at(v);
        xyz[3 * v] = static_cast<float>(p.x);
        xyz[3 * v + 1] = static_cast<float>(p.y);
        xyz[3 * v + 2] = static_cast<float>(p.z);
    }
    return xyz;
}

// Success when the mesh exists and the space can be served.
MStatus usable(const MeshAccess& mesh, MSpace::Space space) {
    return mesh.valid() ? mesh.checkSpace(space) : MStatus(MS::kFailure);
}

bool inRange(int index, int count) {
    return index >= 0 && index < count;
}

bool knownUVSet(const MString* uvSet) {
    return !uvSet || *uvSet == kUVSetName || *uvSet == "";
}

template <typename Array> std::vector<int> toVector(const Array& array, unsigned length) {
    return std::vector<int>(array.items().begin(), array.items().begin() + length);
}

} // namespace

MFnMesh::MFnMesh(const MObject& object, MStatus* ReturnStatus) {
    report(ReturnStatus, setObject(object));
}

MFnMesh::MFnMesh(const MDagPath& object, MStatus* ReturnStatus) {
    report(ReturnStatus, setObject(object));
}

MStatus MFnMesh::setObject(const MObject& object) {
    if (!rvhost::geometryOf(object)) {
        object_ = MObject();
        return MS::kInvalidParameter;
    }
    object_ = object;
    return MS::kSuccess;
}

MStatus MFnMesh::setObject(const MDagPath& path) {
    // A transform stands for its mesh shape, as it does for the host's mesh function set.
    MDagPath shapePath = path;
    if (!path.hasFn(MFn::kMesh)) shapePath.extendToShape();
    return setObject(shapePath.node());
}

// ---- making meshes

MObject MFnMesh::adopt(MeshGeometry& geometry, const MObject& parentOrOwner,
                       MStatus* ReturnStatus) {
    std::shared_ptr<rvhost::MeshShape> shape;
    MObject result;
    if (parentOrOwner.isNull()) {
        shape = rvhost::MeshShape::createWithTransform(std::move(geometry), "", "polySurface");
        if (shape) result = shape->parent()->handle();
    } else if (auto data = std::dynamic_pointer_cast<rvhost::MeshData>(parentOrOwner.object())) {
        data->geometry = std::move(geometry);
        object_ = result = parentOrOwner;
        report(ReturnStatus, MS::kSuccess);
        return result;
    } else if (auto parent = std::dynamic_pointer_cast<rvhost::DagNode>(parentOrOwner.object());
               parent && parentOrOwner.hasFn(MFn::kTransform)) {
        shape = rvhost::MeshShape::createUnder(std::move(geometry), *parent);
        if (shape) result = shape->handle();
    } else {
        report(ReturnStatus, MS::kInvalidParameter);
        return MObject();
    }
    if (!shape) {
        report(ReturnStatus, MS::kFailure);
        return MObject();
    }
    object_ = shape->handle();
    shape->geometryEdited();
    report(ReturnStatus, MS::kSuccess);
    return result;
}

template <typename PointArray>
MObject MFnMesh::createFrom(int numVertices, int numPolygons, const PointArray& vertexArray,
                            const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                            const MFloatArray* uArray, const MFloatArray* vArray,
                            const MObject& parentOrOwner, MStatus* ReturnStatus) {
    if (numVertices < 0 || numPolygons < 0 || unsigned(numVertices) > vertexArray.length() ||
        unsigned(numPolygons) > polygonCounts.length()) {
        report(ReturnStatus, MS::kInvalidParameter);
        return MObject();
    }
    std::vector<float> xyz = packXyz(numVertices, [&](int v) { return vertexArray[v]; });
    MeshGeometry geometry;
    std::vector<int> counts = toVector(polygonCounts, numPolygons);
    std::string error = geometry.setMesh(std::move(xyz), counts,
                                         toVector(polygonConnects, polygonConnects.length()));
    if (error.empty() && uArray && vArray) {
        // One UV per face-vertex in order, or else one per vertex.
        std::vector<int> ids = geometry.connects();
        if (uArray->length() == ids.size())
            for (size_t i = 0; i < ids.size(); ++i)
                ids[i] = static_cast<int>(i);
        error = geometry.setUVs(uArray->items(), vArray->items(), std::move(ids));
    }
    if (!error.empty()) {
        report(ReturnStatus, MS::kInvalidParameter);
        return MObject();
    }
    return adopt(geometry, parentOrOwner, ReturnStatus);
}

MObject MFnMesh::create(int numVertices, int numPolygons, const MFloatPointArray& vertexArray,
                        const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                        MObject parentOrOwner, MStatus* ReturnStatus) {
    return createFrom(numVertices, numPolygons, vertexArray, polygonCounts, polygonConnects,
                      nullptr, nullptr, parentOrOwner, ReturnStatus);
}

MObject MFnMesh::create(int numVertices, int numPolygons, const MPointArray& vertexArray,
                        const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                        MObject parentOrOwner, MStatus* ReturnStatus) {
    return createFrom(numVertices, numPolygons, vertexArray, polygonCounts, polygonConnects,
                      nullptr, nullptr, parentOrOwner, ReturnStatus);
}

MObject MFnMesh::create(int numVertices, int numPolygons, const MFloatPointArray& vertexArray,
                        const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                        const MFloatArray& uArray, const MFloatArray& vArray, MObject parentOrOwner,
                        MStatus* ReturnStatus) {
    return createFrom(numVertices, numPolygons, vertexArray, polygonCounts, polygonConnects,
                      &uArray, &vArray, parentOrOwner, ReturnStatus);
}

MObject MFnMesh::create(int numVertices, int numPolygons, const MPointArray& vertexArray,
                        const MIntArray& polygonCounts, const MIntArray& polygonConnects,
                        const MFloatArray& uArray, const MFloatArray& vArray, MObject parentOrOwner,
                        MStatus* ReturnStatus) {
    return createFrom(numVertices, numPolygons, vertexArray, polygonCounts, polygonConnects,
                      &uArray, &vArray, parentOrOwner, ReturnStatus);
}

MObject MFnMesh::copy(const MObject& source, MObject parentOrOwner, MStatus* ReturnStatus) {
    const MeshGeometry* from = rvhost::geometryOf(source);
    if (!from) {
        report(ReturnStatus, MS::kInvalidParameter);
        return MObject();
    }
    MeshGeometry geometry = *from;
    return adopt(geometry, parentOrOwner, ReturnStatus);
}

// ---- counts and topology

int MFnMesh::numVertices(MStatus* ReturnStatus) const {
    MeshAccess mesh = access(object_, ReturnStatus);
    return mesh.valid() ? mesh.geometry().numVertices() : 0;
}

int MFnMesh::numEdges(MStatus* ReturnStatus) const {
    MeshAccess mesh = access(object_, ReturnStatus);
    return mesh.valid() ? mesh.geometry().numEdges() : 0;
}

int MFnMesh::numPolygons(MStatus* ReturnStatus) const {
    MeshAccess mesh = access(object_, ReturnStatus);
    return mesh.valid() ? mesh.geometry().numPolygons() : 0;
}

int MFnMesh::numFaceVertices(MStatus* ReturnStatus) const {
    MeshAccess mesh = access(object_, ReturnStatus);
    return mesh.valid() ? mesh.geometry().numFaceVertices() : 0;
}

int MFnMesh::numNormals(MStatus* ReturnStatus) const {
    return numVertices(ReturnStatus);
}

int MFnMesh::numUVs(MStatus* ReturnStatus) const {
    MeshAccess mesh = access(object_, ReturnStatus);
    return mesh.valid() ? static_cast<int>(mesh.geometry().us().size()) : 0;
}

int MFnMesh::numUVs(const MString& setName, MStatus* ReturnStatus) const {
    if (!knownUVSet(&setName)) return rvhost::reported(ReturnStatus, false, 0);
    return numUVs(ReturnStatus);
}

int MFnMesh::polygonVertexCount(int polygonId, MStatus* ReturnStatus) const {
    MeshAccess mesh = access(object_, ReturnStatus);
    const bool ok = mesh.valid() && inRange(polygonId, mesh.geometry().numPolygons());
    return rvhost::reported(ReturnStatus, ok, ok ? mesh.geometry().polygonSize(polygonId) : 0);
}

MStatus MFnMesh::getPolygonVertices(int polygonId, MIntArray& vertexList) const {
    MeshAccess mesh(object_);
    if (!mesh.valid() || !inRange(polygonId, mesh.geometry().numPolygons()))
        return MS::kInvalidParameter;
    const MeshGeometry& g = mesh.geometry();
    vertexList.setLength(g.polygonSize(polygonId));
    for (int i = 0; i < g.polygonSize(polygonId); ++i)
        vertexList[i] = g.polygonVertex(polygonId, i);
    return MS::kSuccess;
}

MStatus MFnMesh::getVertices(MIntArray& vertexCount, MIntArray& vertexList) const {
    MeshAccess mesh(object_);
    if (!mesh.valid()) return MS::kFailure;
    const MeshGeometry& g = mesh.geometry();
    vertexCount = MIntArray(g.counts().data(), g.numPolygons());
    vertexList = MIntArray(g.connects().data(), g.numFaceVertices());
    return MS::kSuccess;
}

MStatus MFnMesh::getEdgeVertices(int edgeId, int2& vertexList) const {
    MeshAccess mesh(object_);
    if (!mesh.valid() || !inRange(edgeId, mesh.geometry().numEdges())) return MS::kInvalidParameter;
    const auto& edge = mesh.geometry().topology().edge(edgeId);
    vertexList[0] = edge.first;
    vertexList[1] = edge.second;
    return MS::kSuccess;
}

// ---- points

template <typename PointArray>
MStatus MFnMesh::readPoints(PointArray& vertexArray, MSpace::Space space) const {
    MeshAccess mesh(object_);
    CHECK_MSTATUS_AND_RETURN_IT(usable(mesh, space));
    const MeshGeometry& g = mesh.geometry();
    const int n = g.numVertices();
    vertexArray.setLength(n);
    if (mesh.world(space)) {
        for (int v = 0; v < n; ++v)
            vertexArray[v] = mesh.pointOut(g.point(v), space);
        return MS::kSuccess;
    }
    // Object space: the stored floats as they are, without a matrix a vertex.
    const float* xyz = g.points().data();
    for (int v = 0; v < n; ++v, xyz += 3)
        vertexArray[v] = MPoint(xyz[0], xyz[1], xyz[2]);
    return MS::kSuccess;
}

template <typename PointArray>
MStatus MFnMesh::writePoints(const PointArray& vertexArray, MSpace::Space space) {
    MeshAccess mesh(object_);
    CHECK_MSTATUS_AND_RETURN_IT(usable(mesh, space));
    MeshGeometry& g = mesh.geometry();
    if (vertexArray.length() != unsigned(g.numVertices())) return MS::kInvalidParameter;
    g.setPoints(packXyz(g.numVertices(),
                        [&](int v) { return mesh.pointIn(MPoint(vertexArray[v]), space); }));
    mesh.edited();
    return MS::kSuccess;
}

MStatus MFnMesh::getPoints(MPointArray& vertexArray, MSpace::Space space) const {
    return readPoints(vertexArray, space);
}

MStatus MFnMesh::getPoints(MFloatPointArray& vertexArray, MSpace::Space space) const {
    return readPoints(vertexArray, space);
}

MStatus MFnMesh::setPoints(MPointArray& vertexArray, MSpace::Space space) {
    return writePoints(vertexArray, space);
}

MStatus MFnMesh::setPoints(MFloatPointArray& vertexArray, MSpace::Space space) {
    return writePoints(vertexArray, space);
}

MStatus MFnMesh::getPoint(int vertexId, MPoint& pos, MSpace::Space space) const {
    MeshAccess mesh(object_);
    CHECK_MSTATUS_AND_RETURN_IT(usable(mesh, space));
    if (!inRange(vertexId, mesh.geometry().numVertices())) return MS::kInvalidParameter;
    pos = mesh.pointOut(mesh.geometry().point(vertexId), space);
    return MS::kSuccess;
}

MStatus MFnMesh::setPoint(int vertexId, const MPoint& pos, MSpace::Space space) {
    MeshAccess mesh(object_);
    CHECK_MSTATUS_AND_RETURN_IT(usable(mesh, space));
    if (!inRange(vertexId, mesh.geometry().numVertices())) return MS::kInvalidParameter;
    mesh.geometry().setPoint(vertexId, mesh.pointIn(pos, space));
    // Callers write many points this way, then call updateSurface: the graph hears once.
    mesh.editedLater();
    return MS::kSuccess;
}

const float* MFnMesh::getRawPoints(MStatus* ReturnStatus) {
    MeshAccess mesh = access(object_, ReturnStatus);
    return mesh.valid() ? mesh.geometry().points().data() : nullptr;
}

// ---- normals

MStatus MFnMesh::getNormals(MFloatVectorArray& normals, MSpace::Space space) const {
    return getVertexNormals(false, normals, space);
}

MStatus MFnMesh::setNormals(const MFloatVectorArray& normals, MSpace::Space space) {
    MeshAccess mesh(object_);
    CHECK_MSTATUS_AND_RETURN_IT(usable(mesh, space));
    MeshGeometry& g = mesh.geometry();
    if (normals.length() != unsigned(g.numVertices())) return MS::kInvalidParameter;
    g.setVertexNormals(packXyz(
        g.numVertices(), [&](int v) { return mesh.normalIn(MVector(normals[v]), space); }));
    mesh.edited();
    return MS::kSuccess;
}

MStatus MFnMesh::getNormalIds(MIntArray& normalIdCounts, MIntArray& normals) const {
    return getVertices(normalIdCounts, normals);
}

MStatus MFnMesh::getVertexNormal(int vertexId, bool, MVector& normal, MSpace::Space space) const {
    MeshAccess mesh(object_);
    CHECK_MSTATUS_AND_RETURN_IT(usable(mesh, space));
    if (!inRange(vertexId, mesh.geometry().numVertices())) return MS::kInvalidParameter;
    normal = mesh.normalOut(mesh.geometry().vertexNormal(vertexId), space);
    return MS::kSuccess;
}

MStatus MFnMesh::getVertexNormals(bool, MFloatVectorArray& normals, MSpace::Space space) const {
    MeshAccess mesh(object_);
    CHECK_MSTATUS_AND_RETURN_IT(usable(mesh, space));
    const MeshGeometry& g = mesh.geometry();
    const int n = g.numVertices();
    normals.setLength(n);
    if (mesh.world(space)) {
        for (int v = 0; v < n; ++v)
            normals[v] = MFloatVector(mesh.normalOut(g.vertexNormal(v), space));
        return MS::kSuccess;
    }
    // Object space: the stored floats as they are (brought up to date once, not a vertex).
    const float* xyz = g.vertexNormals().data();
    for (int v = 0; v < n; ++v, xyz += 3)
        normals[v] = MFloatVector(xyz[0], xyz[1], xyz[2]);
    return MS::kSuccess;
}

MStatus MFnMesh::getFaceVertexNormal(int faceIndex, int vertexIndex, MVector& normal,
                                     MSpace::Space space) const {
    MIntArray vertices;
    CHECK_MSTATUS_AND_RETURN_IT(getPolygonVertices(faceIndex, vertices));
    for (unsigned i = 0; i < vertices.length(); ++i)
        if (vertices[i] == vertexIndex) return getVertexNormal(vertexIndex, false, normal, space);
    return MS::kInvalidParameter;
}

MStatus MFnMesh::getFaceVertexNormals(int faceIndex, MFloatVectorArray& normals,
                                      MSpace::Space space) const {
    MIntArray vertices;
    CHECK_MSTATUS_AND_RETURN_IT(getPolygonVertices(faceIndex, vertices));
    normals.setLength(vertices.length());
    for (unsigned i = 0; i < vertices.length(); ++i) {
        MVector n;
        CHECK_MSTATUS_AND_RETURN_IT(getVertexNormal(vertices[i], false, n, space));
        normals[i] = MFloatVector(n);
    }
    return MS::kSuccess;
}

MStatus MFnMesh::getPolygonNormal(int polygonId, MVector& normal, MSpace::Space space) const {
    MeshAccess mesh(object_);
    CHECK_MSTATUS_AND_RETURN_IT(usable(mesh, space));
    if (!inRange(polygonId, mesh.geometry().numPolygons())) return MS::kInvalidParameter;
    normal = mesh.normalOut(mesh.geometry().polygonNormal(polygonId), space);
    return MS::kSuccess;
}

// ---- UVs

MString MFnMesh::currentUVSetName(MStatus* ReturnStatus) const {
    const bool attached = access(object_, ReturnStatus).valid();
    return MString(attached ? kUVSetName : "");
}

MStatus MFnMesh::getCurrentUVSetName(MString& setName) const {
    MStatus status;
    setName = currentUVSetName(&status);
    return status;
}

MStatus MFnMesh::getUVs(MFloatArray& uArray, MFloatArray& vArray, const MString* uvSet) const {
    MeshAccess mesh(object_);
    if (!mesh.valid() || !knownUVSet(uvSet)) return MS::kInvalidParameter;
    const MeshGeometry& g = mesh.geometry();
    uArray = MFloatArray(g.us().data(), static_cast<unsigned>(g.us().size()));
    vArray = MFloatArray(g.vs().data(), static_cast<unsigned>(g.vs().size()));
    return MS::kSuccess;
}

MStatus MFnMesh::getAssignedUVs(MIntArray& uvCounts, MIntArray& uvIds, const MString* uvSet) const {
    MeshAccess mesh(object_);
    if (!mesh.valid() || !knownUVSet(uvSet)) return MS::kInvalidParameter;
    const MeshGeometry& g = mesh.geometry();
    uvCounts.setLength(g.numPolygons());
    uvIds.clear();
    for (int f = 0; f < g.numPolygons(); ++f) {
        uvCounts[f] = g.hasUVs() ? g.polygonSize(f) : 0;
        for (int i = 0; i < uvCounts[f]; ++i)
            uvIds.append(g.uvId(g.polygonStart(f) + i));
    }
    return MS::kSuccess;
}

MStatus MFnMesh::getPolygonUV(int polygonId, int vertexIndex, float& u, float& v,
                              const MString* uvSet) const {
    MeshAccess mesh(object_);
    if (!mesh.valid() || !knownUVSet(uvSet)) return MS::kInvalidParameter;
    const MeshGeometry& g = mesh.geometry();
    if (!g.hasUVs() || !inRange(polygonId, g.numPolygons()) ||
        !inRange(vertexIndex, g.polygonSize(polygonId)))
        return MS::kInvalidParameter;
    const int id = g.uvId(g.polygonStart(polygonId) + vertexIndex);
    u = g.us()[id];
    v = g.vs()[id];
    return MS::kSuccess;
}

MStatus MFnMesh::getUVAtPoint(MPoint& pt, float2& uvPoint, MSpace::Space space,
                              const MString* uvSet, int* closestPolygon) {
    MeshAccess mesh(object_);
    CHECK_MSTATUS_AND_RETURN_IT(usable(mesh, space));
    const MeshGeometry& g = mesh.geometry();
    rvhost::SurfacePoint nearest;
    if (!knownUVSet(uvSet) || !g.hasUVs() || !g.nearestPoint(mesh.pointIn(pt, space), nearest))
        return MS::kFailure;
    // Corners of the fan triangle as face-vertices: the polygon's first, then k+1 and k+2.
    const int start = g.polygonStart(nearest.face);
    const int corners[3] = {start, start + nearest.triangle + 1, start + nearest.triangle + 2};
    const double weights[3] = {nearest.bary1, nearest.bary2, 1.0 - nearest.bary1 - nearest.bary2};
    double u = 0.0, v = 0.0;
    for (int k = 0; k < 3; ++k) {
        u += weights[k] * g.us()[g.uvId(corners[k])];
        v += weights[k] * g.vs()[g.uvId(corners[k])];
    }
    uvPoint[0] = static_cast<float>(u);
    uvPoint[1] = static_cast<float>(v);
    if (closestPolygon) *closestPolygon = nearest.face;
    return MS::kSuccess;
}

MStatus MFnMesh::getClosestPoint(const MPoint& toThisPoint, MPoint& theClosestPoint,
                                 MSpace::Space space, int* closestPolygon) const {
    MeshAccess mesh(object_);
    CHECK_MSTATUS_AND_RETURN_IT(usable(mesh, space));
    rvhost::SurfacePoint nearest;
    if (!mesh.geometry().nearestPoint(mesh.pointIn(toThisPoint, space), nearest))
        return MS::kFailure;
    theClosestPoint = mesh.pointOut(nearest.point, space);
    if (closestPolygon) *closestPolygon = nearest.face;
    return MS::kSuccess;
}

// ---- ray casts

bool MFnMesh::intersect(const MFloatPoint& raySource, const MFloatVector& rayDirection,
                        const MIntArray* faceIds, const MIntArray* triIds, MSpace::Space space,
                        float maxParam, bool testBothDirections, MFloatPoint& hitPoint,
                        float* hitRayParam, int* hitFace, int* hitTriangle, float* hitBary1,
                        float* hitBary2, float tolerance, MStatus* ReturnStatus) {
    MeshAccess mesh(object_);
    MStatus status = usable(mesh, space);
    if (status && (triIds && (!faceIds || triIds->length() != faceIds->length())))
        status = MS::kInvalidParameter;
    report(ReturnStatus, status);
    if (!status) return false;
    const MeshGeometry& g = mesh.geometry();
    rvhost::RayQuery query;
    query.source = mesh.pointIn(MPoint(raySource), space);
    query.direction = mesh.vectorIn(MVector(rayDirection), space);
    query.maxParam = maxParam;
    query.bothDirections = testBothDirections;
    query.tolerance = tolerance;

    rvhost::RayHit hit;
    bool found = false;
    if (faceIds) {
        std::vector<rvhost::TriangleRef> chosen;
        for (unsigned i = 0; i < faceIds->length(); ++i) {
            const int face = (*faceIds)[i];
            if (!inRange(face, g.numPolygons())) continue;
            const int count = g.polygonSize(face) - 2;
            if (!triIds) {
                for (int k = 0; k < count; ++k)
                    chosen.push_back(g.triangle(face, k));
            } else if (inRange((*triIds)[i], count)) {
                chosen.push_back(g.triangle(face, (*triIds)[i]));
            }
        }
        found = rvhost::castRayOnTriangles(g, query, chosen, hit);
    } else {
        found = g.castRay(query, hit);
    }
    if (!found) return false;
    hitPoint = MFloatPoint(mesh.pointOut(hit.point, space));
    if (hitRayParam) *hitRayParam = static_cast<float>(hit.param);
    if (hitFace) *hitFace = hit.face;
    if (hitTriangle) *hitTriangle = hit.triangle;
    if (hitBary1) *hitBary1 = static_cast<float>(hit.bary1);
    if (hitBary2) *hitBary2 = static_cast<float>(hit.bary2);
    return true;
}

bool MFnMesh::closestIntersection(const MFloatPoint& raySource, const MFloatVector& rayDirection,
                                  const MIntArray* faceIds, const MIntArray* triIds, bool,
                                  MSpace::Space space, float maxParam, bool testBothDirections,
                                  MMeshIsectAccelParams*, MFloatPoint& hitPoint, float* hitRayParam,
                                  int* hitFace, int* hitTriangle, float* hitBary1, float* hitBary2,
                                  float tolerance, MStatus* ReturnStatus) {
    return intersect(raySource, rayDirection, faceIds, triIds, space, maxParam, testBothDirections,
                     hitPoint, hitRayParam, hitFace, hitTriangle, hitBary1, hitBary2, tolerance,
                     ReturnStatus);
}

bool MFnMesh::anyIntersection(const MFloatPoint& raySource, const MFloatVector& rayDirection,
                              const MIntArray* faceIds, const MIntArray* triIds, bool,
                              MSpace::Space space, float maxParam, bool testBothDirections,
                              MMeshIsectAccelParams*, MFloatPoint& hitPoint, float* hitRayParam,
                              int* hitFace, int* hitTriangle, float* hitBary1, float* hitBary2,
                              float tolerance, MStatus* ReturnStatus) {
    return intersect(raySource, rayDirection, faceIds, triIds, space, maxParam, testBothDirections,
                     hitPoint, hitRayParam, hitFace, hitTriangle, hitBary1, hitBary2, tolerance,
                     ReturnStatus);
}

MMeshIsectAccelParams MFnMesh::autoUniformGridParams() {
    return MMeshIsectAccelParams();
}

MMeshIsectAccelParams MFnMesh::uniformGridParams(int xDivs, int yDivs, int zDivs) {
    MMeshIsectAccelParams params;
    params.gridDivisions_[0] = xDivs;
    params.gridDivisions_[1] = yDivs;
    params.gridDivisions_[2] = zDivs;
    return params;
}

MStatus MFnMesh::freeCachedIntersectionAccelerator() {
    MeshAccess mesh(object_);
    if (!mesh.valid()) return MS::kFailure;
    mesh.geometry().dropAccelerator();
    return MS::kSuccess;
}

MStatus MFnMesh::updateSurface() {
    MeshAccess mesh(object_);
    if (!mesh.valid()) return MS::kFailure;
    mesh.edited();
    return MS::kSuccess;
}
