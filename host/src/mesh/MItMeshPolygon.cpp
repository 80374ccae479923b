#include <maya/MItMeshPolygon.h>

#include "mesh/MeshCursor.h"
#include "scene/Report.h"

#include <set>

using rvhost::MeshCursor;
using rvhost::report;

MItMeshPolygon::MItMeshPolygon(const MObject& polyObject, MStatus* ReturnStatus)
    : cursor_(std::make_shared<MeshCursor>(polyObject, MObject(), MeshCursor::Element::Polygon)) {
    report(ReturnStatus, cursor_->status());
}

MItMeshPolygon::MItMeshPolygon(const MDagPath& polyObject, const MObject& component,
                               MStatus* ReturnStatus)
    : cursor_(std::make_shared<MeshCursor>(MeshCursor::meshOf(polyObject), component,
                                           MeshCursor::Element::Polygon)) {
    report(ReturnStatus, cursor_->status());
}

bool MItMeshPolygon::isDone(MStatus* ReturnStatus) {
    report(ReturnStatus, cursor_->status());
    return cursor_->isDone();
}

MStatus MItMeshPolygon::next() {
    cursor_->next();
    return cursor_->status();
}

MStatus MItMeshPolygon::reset() {
    cursor_->reset();
    return cursor_->status();
}

unsigned int MItMeshPolygon::count(MStatus* ReturnStatus) {
    report(ReturnStatus, cursor_->status());
    return static_cast<unsigned>(cursor_->count());
}

unsigned int MItMeshPolygon::index(MStatus* ReturnStatus) {
    int f;
    report(ReturnStatus, cursor_->current(f));
    return static_cast<unsigned>(f);
}

MStatus MItMeshPolygon::setIndex(int index, int& prevIndex) {
    return cursor_->setIndex(index, prevIndex);
}

unsigned int MItMeshPolygon::polygonVertexCount(MStatus* ReturnStatus) {
    int f;
    if (!report(ReturnStatus, cursor_->current(f))) return 0;
    return static_cast<unsigned>(cursor_->geometry().polygonSize(f));
}

int MItMeshPolygon::vertexIndex(int index, MStatus* ReturnStatus) {
    int f;
    MStatus status = cursor_->current(f);
    if (status && (index < 0 || index >= cursor_->geometry().polygonSize(f)))
        status = MS::kInvalidParameter;
    report(ReturnStatus, status);
    return status ? cursor_->geometry().polygonVertex(f, index) : -1;
}

MStatus MItMeshPolygon::getVertices(MIntArray& vertices) {
    int f;
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->current(f));
    const rvhost::MeshGeometry& g = cursor_->geometry();
    vertices = MIntArray(g.connects().data() + g.polygonStart(f), g.polygonSize(f));
    return MS::kSuccess;
}

MPoint MItMeshPolygon::point(int index, MSpace::Space space, MStatus* ReturnStatus) {
    MStatus status;
    const int v = vertexIndex(index, &status);
    if (status) status = cursor_->mesh().checkSpace(space);
    report(ReturnStatus, status);
    return status ? cursor_->mesh().pointOut(cursor_->geometry().point(v), space) : MPoint();
}

MStatus MItMeshPolygon::getPoints(MPointArray& pointArray, MSpace::Space space) {
    MStatus status;
    const unsigned n = polygonVertexCount(&status);
    CHECK_MSTATUS_AND_RETURN_IT(status);
    pointArray.setLength(n);
    for (unsigned i = 0; i < n; ++i) {
        pointArray[i] = point(static_cast<int>(i), space, &status);
        CHECK_MSTATUS_AND_RETURN_IT(status);
    }
    return MS::kSuccess;
}

MPoint MItMeshPolygon::center(MSpace::Space space, MStatus* ReturnStatus) {
    int f;
    MStatus status = cursor_->current(f);
    if (status) status = cursor_->mesh().checkSpace(space);
    report(ReturnStatus, status);
    return status ? cursor_->mesh().pointOut(cursor_->geometry().polygonCentre(f), space)
                  : MPoint();
}

MStatus MItMeshPolygon::getNormal(MVector& normal, MSpace::Space space) {
    int f;
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->current(f));
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->mesh().checkSpace(space));
    normal = cursor_->mesh().normalOut(cursor_->geometry().polygonNormal(f), space);
    return MS::kSuccess;
}

MStatus MItMeshPolygon::getNormals(MVectorArray& vectorArray, MSpace::Space space) {
    MIntArray vertices;
    CHECK_MSTATUS_AND_RETURN_IT(getVertices(vertices));
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->mesh().checkSpace(space));
    vectorArray.setLength(vertices.length());
    for (unsigned i = 0; i < vertices.length(); ++i)
        vectorArray[i] =
            cursor_->mesh().normalOut(cursor_->geometry().vertexNormal(vertices[i]), space);
    return MS::kSuccess;
}

MStatus MItMeshPolygon::getArea(double& area, MSpace::Space space) {
    MPointArray points;
    CHECK_MSTATUS_AND_RETURN_IT(getPoints(points, space));
    // Half the length of Newell's vector, on the points of the space asked for.
    MVector sum;
    for (unsigned i = 0; i < points.length(); ++i) {
        const MPoint& a = points[i];
        const MPoint& b = points[(i + 1) % points.length()];
        sum += MVector((a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x),
                       (a.x - b.x) * (a.y + b.y));
    }
    area = 0.5 * sum.length();
    return MS::kSuccess;
}

MStatus MItMeshPolygon::numTriangles(int& triCount) {
    int f;
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->current(f));
    triCount = cursor_->geometry().polygonSize(f) - 2;
    return MS::kSuccess;
}

MStatus MItMeshPolygon::getTriangle(int localTriIndex, MPointArray& points, MIntArray& vertexList,
                                    MSpace::Space space) {
    int f, triCount;
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->current(f));
    CHECK_MSTATUS_AND_RETURN_IT(numTriangles(triCount));
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->mesh().checkSpace(space));
    if (localTriIndex < 0 || localTriIndex >= triCount) return MS::kInvalidParameter;
    const rvhost::MeshGeometry& g = cursor_->geometry();
    const rvhost::TriangleRef tri = g.triangle(f, localTriIndex);
    points.setLength(3);
    vertexList.setLength(3);
    for (int k = 0; k < 3; ++k) {
        vertexList[k] = tri.v[k];
        points[k] = cursor_->mesh().pointOut(g.point(tri.v[k]), space);
    }
    return MS::kSuccess;
}

MStatus MItMeshPolygon::getEdges(MIntArray& edges) {
    int f;
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->current(f));
    const rvhost::MeshGeometry& g = cursor_->geometry();
    edges.setLength(g.polygonSize(f));
    for (int i = 0; i < g.polygonSize(f); ++i)
        edges[i] = g.topology().faceVertexEdge(g.polygonStart(f) + i);
    return MS::kSuccess;
}

MStatus MItMeshPolygon::getConnectedFaces(MIntArray& faces) {
    MIntArray edges;
    CHECK_MSTATUS_AND_RETURN_IT(getEdges(edges));
    int self;
    cursor_->current(self);
    // Faces across the polygon's edges, each once, ascending.
    std::set<int> found;
    for (unsigned i = 0; i < edges.length(); ++i)
        for (int face : cursor_->geometry().topology().edgeFaces(edges[i]))
            if (face != self) found.insert(face);
    faces.clear();
    for (int face : found)
        faces.append(face);
    return MS::kSuccess;
}

MStatus MItMeshPolygon::getUV(int vertex, float2& uvPoint, const MString* uvSet) {
    int f;
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->current(f));
    const rvhost::MeshGeometry& g = cursor_->geometry();
    if ((uvSet && *uvSet != "map1") || !g.hasUVs() || vertex < 0 || vertex >= g.polygonSize(f))
        return MS::kInvalidParameter;
    const int id = g.uvId(g.polygonStart(f) + vertex);
    uvPoint[0] = g.us()[id];
    uvPoint[1] = g.vs()[id];
    return MS::kSuccess;
}

bool MItMeshPolygon::onBoundary(MStatus* ReturnStatus) {
    MIntArray edges;
    if (!report(ReturnStatus, getEdges(edges))) return false;
    for (unsigned i = 0; i < edges.length(); ++i)
        if (cursor_->geometry().topology().edgeOnBoundary(edges[i])) return true;
    return false;
}
