#include "mesh/MeshAccess.h"

#include "scene/Graph.h"

namespace rvhost {

namespace {

// Row vector times matrix, with or without the translation row.
Vec3 rowTimes(const Vec3& v, const MMatrix& m, bool translate) {
    Vec3 r{v.x * m(0, 0) + v.y * m(1, 0) + v.z * m(2, 0),
           v.x * m(0, 1) + v.y * m(1, 1) + v.z * m(2, 1),
           v.x * m(0, 2) + v.y * m(1, 2) + v.z * m(2, 2)};
    return translate ? r + Vec3{m(3, 0), m(3, 1), m(3, 2)} : r;
}

// Matrix times column vector (upper 3x3): a row vector times the transpose.
Vec3 timesColumn(const MMatrix& m, const Vec3& v) {
    return {m(0, 0) * v.x + m(0, 1) * v.y + m(0, 2) * v.z,
            m(1, 0) * v.x + m(1, 1) * v.y + m(1, 2) * v.z,
            m(2, 0) * v.x + m(2, 1) * v.y + m(2, 2) * v.z};
}

Vec3 fromPoint(const MPoint& p) {
    return {p.x, p.y, p.z};
}

} // namespace

// One type test for a shape: mesh calls in a plug-in's inner loops make one of these each.
MeshAccess::MeshAccess(const MObject& object) : shape_(meshShapeOf(object)) {
    geometry_ = shape_ ? &shape_->geometry() : geometryOf(object);
    // Another mesh may follow one edited a point at a time: the graph brings it up to date
    // before it is read. The edited mesh itself is current already.
    Graph::instance().flushLater(shape_.get());
}

bool MeshAccess::world(MSpace::Space space) const {
    if (space != MSpace::kWorld || !shape_) return false;
    if (!matrices_) {
        const MMatrix toWorld = shape_->worldMatrix();
        matrices_ = Matrices{toWorld, toWorld.inverse()};
    }
    return true;
}

MStatus MeshAccess::checkSpace(MSpace::Space space) const {
    return space == MSpace::kWorld && !shape_ ? MS::kInvalidParameter : MS::kSuccess;
}

void MeshAccess::edited() const {
    if (shape_) shape_->geometryEdited();
}

void MeshAccess::editedLater() const {
    if (shape_) shape_->geometryEditedLater();
}

MPoint MeshAccess::pointOut(const Vec3& p, MSpace::Space space) const {
    const Vec3 r = world(space) ? rowTimes(p, matrices_->toWorld, true) : p;
    return MPoint(r.x, r.y, r.z);
}

Vec3 MeshAccess::pointIn(const MPoint& p, MSpace::Space space) const {
    return world(space) ? rowTimes(fromPoint(p), matrices_->toObject, true) : fromPoint(p);
}

MVector MeshAccess::vectorOut(const Vec3& v, MSpace::Space space) const {
    const Vec3 r = world(space) ? rowTimes(v, matrices_->toWorld, false) : v;
    return MVector(r.x, r.y, r.z);
}

Vec3 MeshAccess::vectorIn(const MVector& v, MSpace::Space space) const {
    const Vec3 in{v.x, v.y, v.z};
    return world(space) ? rowTimes(in, matrices_->toObject, false) : in;
}

MVector MeshAccess::normalOut(const Vec3& n, MSpace::Space space) const {
    // n (M^-1)^T as a row vector is M^-1 n as a column.
    const Vec3 r = world(space) ? normalized(timesColumn(matrices_->toObject, n)) : n;
    return MVector(r.x, r.y, r.z);
}

Vec3 MeshAccess::normalIn(const MVector& n, MSpace::Space space) const {
    const Vec3 in{n.x, n.y, n.z};
    return world(space) ? normalized(timesColumn(matrices_->toWorld, in)) : in;
}

} // namespace rvhost
