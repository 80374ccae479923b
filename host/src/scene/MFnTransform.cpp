#include <maya/MFnTransform.h>

#include "scene/Report.h"
#include "scene/Transform.h"

using rvhost::report;
using rvhost::reported;
using rvhost::Transform;

namespace {
Transform* transformOf(const MObject& object) {
    return dynamic_cast<Transform*>(object.object().get());
}

bool transformSpace(MSpace::Space space) {
    return space == MSpace::kTransform || space == MSpace::kObject;
}
} // namespace

MFnTransform::MFnTransform(const MObject& object, MStatus* ReturnStatus) {
    report(ReturnStatus, setObject(object));
}

MFnTransform::MFnTransform(const MDagPath& path, MStatus* ReturnStatus) {
    report(ReturnStatus, setObject(path));
}

MObject MFnTransform::create(const MObject& parent, MStatus* ReturnStatus) {
    return MFnDagNode::create("transform", parent, ReturnStatus);
}

MTransformationMatrix MFnTransform::transformation(MStatus* ReturnStatus) const {
    Transform* t = transformOf(object_);
    return reported(ReturnStatus, t, t ? t->transformation() : MTransformationMatrix());
}

template <class Change> MStatus MFnTransform::edit(Change change) {
    Transform* t = transformOf(object_);
    if (!t) return MS::kFailure;
    MTransformationMatrix m = t->transformation();
    MStatus status = change(m);
    if (status) t->setTransformation(m);
    return status;
}

MStatus MFnTransform::set(const MTransformationMatrix& transform) {
    return edit([&](MTransformationMatrix& m) {
        m = transform;
        return MStatus(MS::kSuccess);
    });
}

MVector MFnTransform::getTranslation(MSpace::Space space, MStatus* ReturnStatus) const {
    Transform* t = transformOf(object_);
    bool ok = t && transformSpace(space);
    return reported(ReturnStatus, ok,
                    ok ? t->triple(*Transform::attributes().translate) : MVector());
}

MStatus MFnTransform::setTranslation(const MVector& vector, MSpace::Space space) {
    if (!transformSpace(space)) return MS::kInvalidParameter;
    return edit([&](MTransformationMatrix& m) { return m.setTranslation(vector, space); });
}

MStatus MFnTransform::translateBy(const MVector& vector, MSpace::Space space) {
    if (!transformSpace(space)) return MS::kInvalidParameter;
    return edit([&](MTransformationMatrix& m) { return m.addTranslation(vector, space); });
}

MStatus MFnTransform::getRotation(MEulerRotation& rotation) const {
    Transform* t = transformOf(object_);
    if (!t) return MS::kFailure;
    MVector r = t->triple(*Transform::attributes().rotate);
    rotation = MEulerRotation(r.x, r.y, r.z);
    return MS::kSuccess;
}

MStatus MFnTransform::setRotation(const MEulerRotation& rotation) {
    return edit([&](MTransformationMatrix& m) {
        m.rotateTo(rotation);
        return MStatus(MS::kSuccess);
    });
}

MStatus MFnTransform::getScale(double scale[3]) const {
    Transform* t = transformOf(object_);
    if (!t) return MS::kFailure;
    MVector s = t->triple(*Transform::attributes().scale);
    scale[0] = s.x, scale[1] = s.y, scale[2] = s.z;
    return MS::kSuccess;
}

MStatus MFnTransform::setScale(const double scale[3]) {
    return edit([&](MTransformationMatrix& m) { return m.setScale(scale, MSpace::kTransform); });
}

MPoint MFnTransform::rotatePivot(MSpace::Space space, MStatus* ReturnStatus) const {
    Transform* t = transformOf(object_);
    bool ok = t && transformSpace(space);
    return reported(ReturnStatus, ok,
                    ok ? MPoint(t->triple(*Transform::attributes().rotatePivot)) : MPoint());
}

MStatus MFnTransform::setRotatePivot(const MPoint& point, MSpace::Space space, bool balance) {
    if (!transformSpace(space)) return MS::kInvalidParameter;
    return edit([&](MTransformationMatrix& m) { return m.setRotatePivot(point, space, balance); });
}

MPoint MFnTransform::scalePivot(MSpace::Space space, MStatus* ReturnStatus) const {
    Transform* t = transformOf(object_);
    bool ok = t && transformSpace(space);
    return reported(ReturnStatus, ok,
                    ok ? MPoint(t->triple(*Transform::attributes().scalePivot)) : MPoint());
}

MStatus MFnTransform::setScalePivot(const MPoint& point, MSpace::Space space, bool balance) {
    if (!transformSpace(space)) return MS::kInvalidParameter;
    return edit([&](MTransformationMatrix& m) { return m.setScalePivot(point, space, balance); });
}
