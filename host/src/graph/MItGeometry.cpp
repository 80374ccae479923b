#include <maya/MItGeometry.h>

#include "mesh/MeshShape.h"
#include "scene/Report.h"

using rvhost::report;
using rvhost::reported;

MItGeometry::MItGeometry(MDataHandle& dataHandle, unsigned int, bool readOnly,
                         MStatus* ReturnStatus) {
    attach(dataHandle.data(), readOnly, ReturnStatus);
}

MItGeometry::MItGeometry(MDataHandle& dataHandle, bool readOnly, MStatus* ReturnStatus) {
    attach(dataHandle.data(), readOnly, ReturnStatus);
}

MItGeometry::MItGeometry(const MObject& dagObject, MStatus* ReturnStatus) {
    attach(dagObject, false, ReturnStatus);
}

MItGeometry::MItGeometry(const MDagPath& dagPath, MStatus* ReturnStatus) {
    attach(dagPath.node(), false, ReturnStatus);
}

void MItGeometry::attach(const MObject& geometry, bool readOnly, MStatus* ReturnStatus) {
    geometry_ = geometry;
    mesh_ = rvhost::geometryOf(geometry);
    readOnly_ = readOnly;
    report(ReturnStatus, mesh_ ? MS::kSuccess : MS::kInvalidParameter);
}

// Points are kept in object space only; other spaces are refused.
bool MItGeometry::objectSpace(MSpace::Space space) const {
    return mesh_ && (space == MSpace::kObject || space == MSpace::kTransform);
}

bool MItGeometry::isDone(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, mesh_, !mesh_ || index_ >= mesh_->numVertices());
}

MStatus MItGeometry::next() {
    if (!mesh_) return MS::kFailure;
    ++index_;
    return MS::kSuccess;
}

MStatus MItGeometry::reset() {
    index_ = 0;
    return mesh_ ? MS::kSuccess : MS::kFailure;
}

int MItGeometry::index(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, mesh_, index_);
}

int MItGeometry::count(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, mesh_, mesh_ ? mesh_->numVertices() : 0);
}

MPoint MItGeometry::position(MSpace::Space space, MStatus* ReturnStatus) const {
    if (!objectSpace(space) || isDone()) return reported(ReturnStatus, false, MPoint());
    rvhost::Vec3 p = mesh_->point(index_);
    return reported(ReturnStatus, true, MPoint(p.x, p.y, p.z));
}

MStatus MItGeometry::setPosition(const MPoint& point, MSpace::Space space) {
    if (!objectSpace(space) || readOnly_ || isDone()) return MS::kFailure;
    MPointArray points;
    allPositions(points, space);
    points[index_] = point;
    return setAllPositions(points, space);
}

MStatus MItGeometry::allPositions(MPointArray& points, MSpace::Space space) const {
    if (!objectSpace(space)) return MS::kInvalidParameter;
    // Filled in place: a deformer reads every point of a big mesh at each evaluation.
    const std::vector<float>& xyz = mesh_->points();
    std::vector<MPoint>& out = points.items();
    out.clear();
    out.reserve(xyz.size() / 3);
    for (std::size_t i = 0; i + 2 < xyz.size(); i += 3)
        out.emplace_back(xyz[i], xyz[i + 1], xyz[i + 2]);
    return MS::kSuccess;
}

MStatus MItGeometry::setAllPositions(const MPointArray& points, MSpace::Space space) {
    if (!objectSpace(space) || readOnly_) return MS::kFailure;
    if (static_cast<int>(points.length()) != mesh_->numVertices()) return MS::kInvalidParameter;
    mesh_->rewritePoints([&points](float* xyz) {
        for (unsigned int i = 0; i < points.length(); ++i, xyz += 3) {
            xyz[0] = static_cast<float>(points[i].x);
            xyz[1] = static_cast<float>(points[i].y);
            xyz[2] = static_cast<float>(points[i].z);
        }
    });
    // A shape's points moved in place: what it feeds must follow.
    if (auto shape = rvhost::meshShapeOf(geometry_)) shape->geometryEdited();
    return MS::kSuccess;
}
