#include <maya/MItMeshVertex.h>

#include "mesh/MeshCursor.h"
#include "scene/Report.h"

using rvhost::MeshCursor;
using rvhost::report;

MItMeshVertex::MItMeshVertex(const MObject& polyObject, MStatus* ReturnStatus)
    : cursor_(std::make_shared<MeshCursor>(polyObject, MObject(), MeshCursor::Element::Vertex)) {
    report(ReturnStatus, cursor_->status());
}

MItMeshVertex::MItMeshVertex(const MDagPath& polyObject, const MObject& component,
                             MStatus* ReturnStatus)
    : cursor_(std::make_shared<MeshCursor>(MeshCursor::meshOf(polyObject), component,
                                           MeshCursor::Element::Vertex)) {
    report(ReturnStatus, cursor_->status());
}

bool MItMeshVertex::isDone(MStatus* ReturnStatus) {
    report(ReturnStatus, cursor_->status());
    return cursor_->isDone();
}

MStatus MItMeshVertex::next() {
    cursor_->next();
    return cursor_->status();
}

MStatus MItMeshVertex::reset() {
    cursor_->reset();
    return cursor_->status();
}

int MItMeshVertex::count(MStatus* ReturnStatus) {
    report(ReturnStatus, cursor_->status());
    return cursor_->count();
}

int MItMeshVertex::index(MStatus* ReturnStatus) {
    int v;
    report(ReturnStatus, cursor_->current(v));
    return v;
}

MStatus MItMeshVertex::setIndex(int index, int& prevIndex) {
    return cursor_->setIndex(index, prevIndex);
}

MPoint MItMeshVertex::position(MSpace::Space space, MStatus* ReturnStatus) {
    int v;
    MStatus status = cursor_->current(v);
    if (status) status = cursor_->mesh().checkSpace(space);
    report(ReturnStatus, status);
    return status ? cursor_->mesh().pointOut(cursor_->geometry().point(v), space) : MPoint();
}

MStatus MItMeshVertex::setPosition(const MPoint& point, MSpace::Space space) {
    int v;
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->current(v));
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->mesh().checkSpace(space));
    cursor_->geometry().setPoint(v, cursor_->mesh().pointIn(point, space));
    cursor_->mesh().edited();
    return MS::kSuccess;
}

MStatus MItMeshVertex::updateSurface() {
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->status());
    cursor_->mesh().edited();
    return MS::kSuccess;
}

MStatus MItMeshVertex::getNormal(MVector& vector, MSpace::Space space) {
    int v;
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->current(v));
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->mesh().checkSpace(space));
    vector = cursor_->mesh().normalOut(cursor_->geometry().vertexNormal(v), space);
    return MS::kSuccess;
}

MStatus MItMeshVertex::getConnectedVertices(MIntArray& vertexList) {
    int v;
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->current(v));
    // Worked out for this vertex alone: a walk of every vertex then keeps no list of all.
    vertexList.clear();
    cursor_->geometry().topology().neighboursOf(
        v,
        [&](int u) {
            for (unsigned k = 0; k < vertexList.length(); ++k)
                if (vertexList[k] == u) return true;
            return false;
        },
        [&](int u) { vertexList.append(u); });
    return MS::kSuccess;
}

MStatus MItMeshVertex::getConnectedFaces(MIntArray& faceList) {
    int v;
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->current(v));
    faceList = rvhost::toIntArray(cursor_->geometry().topology().vertexFaces(v));
    return MS::kSuccess;
}

MStatus MItMeshVertex::getConnectedEdges(MIntArray& edgeList) {
    int v;
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->current(v));
    edgeList = rvhost::toIntArray(cursor_->geometry().topology().vertexEdges(v));
    return MS::kSuccess;
}

MStatus MItMeshVertex::numConnectedEdges(int& edgeCount) const {
    int v;
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->current(v));
    edgeCount = cursor_->geometry().topology().vertexEdges(v).size();
    return MS::kSuccess;
}

MStatus MItMeshVertex::numConnectedFaces(int& faceCount) const {
    int v;
    CHECK_MSTATUS_AND_RETURN_IT(cursor_->current(v));
    faceCount = cursor_->geometry().topology().vertexFaces(v).size();
    return MS::kSuccess;
}

bool MItMeshVertex::onBoundary(MStatus* ReturnStatus) {
    int v;
    const MStatus status = report(ReturnStatus, cursor_->current(v));
    return status && cursor_->geometry().topology().vertexOnBoundary(v);
}
