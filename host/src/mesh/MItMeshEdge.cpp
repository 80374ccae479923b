#include <maya/MItMeshEdge.h>

#include "mesh/MeshCursor.h"
#include "scene/Report.h"

using rvhost::MeshCursor;
using rvhost::report;

MItMeshEdge::MItMeshEdge(const MObject& polyObject, MStatus* ReturnStatus)
    : cursor_(std::make_shared<MeshCursor>(polyObject, MObject(), MeshCursor::Element::Edge)) {
    report(ReturnStatus, cursor_->status());
}

MItMeshEdge::MItMeshEdge(const MDagPath& polyObject, const MObject& component,
                         MStatus* ReturnStatus)
    : cursor_(std::make_shared<MeshCursor>(MeshCursor::meshOf(polyObject), component,
                                           MeshCursor::Element::Edge)) {
    report(ReturnStatus, cursor_->status());
}

bool MItMeshEdge::isDone(MStatus* ReturnStatus) {
    report(ReturnStatus, cursor_->status());
    return cursor_->isDone();
}

MStatus MItMeshEdge::next() {
    cursor_->next();
    return cursor_->status();
}

MStatus MItMeshEdge::reset() {
    cursor_->reset();
    return cursor_->status();
}

int MItMeshEdge::count(MStatus* ReturnStatus) {
    report(ReturnStatus, cursor_->status());
    return cursor_->count();
}

int MItMeshEdge::index(MStatus* ReturnStatus) {
    int e;
    report(ReturnStatus, cursor_->current(e));
    return e;
}

int MItMeshEdge::index(int whichVertex, MStatus* ReturnStatus) {
    int e;
    MStatus status = cursor_->current(e);
    if (status && whichVertex != 0 && whichVertex != 1) status = MS::kInvalidParameter;
    report(ReturnStatus, status);
    if (!status) return -1;
    const auto& edge = cursor_->geometry().topology().edge(e);
    return whichVertex == 0 ? edge.first : edge.second;
}

MStatus MItMeshEdge::setIndex(int index, int& prevIndex) {
    return cursor_->setIndex(index, prevIndex);
}

MPoint MItMeshEdge::point(int whichVertex, MSpace::Space space, MStatus* ReturnStatus) {
    MStatus status;
    const int v = index(whichVertex, &status);
    if (status) status = cursor_->mesh().checkSpace(space);
    report(ReturnStatus, status);
    return status ? cursor_->mesh().pointOut(cursor_->geometry().point(v), space) : MPoint();
}

MPoint MItMeshEdge::center(MSpace::Space space, MStatus* ReturnStatus) {
    MStatus status;
    const MPoint a = point(0, space, &status), b = point(1, space, &status);
    report(ReturnStatus, status);
    return MPoint((a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2);
}

MStatus MItMeshEdge::getLength(double& length, MSpace::Space space) {
    MStatus status;
    const MPoint a = point(0, space, &status), b = point(1, space, &status);
    if (status) length = a.distanceTo(b);
    return status;
}

int MItMeshEdge::getConnectedFaces(MIntArray& faceList, MStatus* ReturnStatus) {
    int e;
    if (!report(ReturnStatus, cursor_->current(e))) return 0;
    faceList = rvhost::toIntArray(cursor_->geometry().topology().edgeFaces(e));
    return static_cast<int>(faceList.length());
}

int MItMeshEdge::getConnectedEdges(MIntArray& edgeList, MStatus* ReturnStatus) {
    int e;
    if (!report(ReturnStatus, cursor_->current(e))) return 0;
    const rvhost::MeshTopology& topology = cursor_->geometry().topology();
    edgeList.clear();
    for (int end : {topology.edge(e).first, topology.edge(e).second})
        for (int other : topology.vertexEdges(end))
            if (other != e) edgeList.append(other);
    return static_cast<int>(edgeList.length());
}

bool MItMeshEdge::onBoundary(MStatus* ReturnStatus) {
    int e;
    const MStatus status = report(ReturnStatus, cursor_->current(e));
    return status && cursor_->geometry().topology().edgeOnBoundary(e);
}
