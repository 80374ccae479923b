#pragma once
#include <maya/MEulerRotation.h>
#include <maya/MFnDagNode.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MVector.h>

// Function set on transform nodes.
class OPENMAYA_EXPORT MFnTransform : public MFnDagNode {
public:
    MFnTransform() = default;
    MFnTransform(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFnTransform(const MDagPath& path, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override { return MFn::kTransform; }

    MObject create(const MObject& parent = MObject::kNullObj, MStatus* ReturnStatus = nullptr);

    MTransformationMatrix transformation(MStatus* ReturnStatus = nullptr) const;
    MStatus set(const MTransformationMatrix& transform);
    // Only transform space (kTransform, kObject) is supported for the parts below.
    MVector getTranslation(MSpace::Space space, MStatus* ReturnStatus = nullptr) const;
    MStatus setTranslation(const MVector& vector, MSpace::Space space);
    MStatus translateBy(const MVector& vector, MSpace::Space space);
    MStatus getRotation(MEulerRotation& rotation) const;
    MStatus setRotation(const MEulerRotation& rotation);
    MStatus getScale(double scale[3]) const;
    MStatus setScale(const double scale[3]);
    MPoint rotatePivot(MSpace::Space space, MStatus* ReturnStatus = nullptr) const;
    MStatus setRotatePivot(const MPoint& point, MSpace::Space space, bool balance = true);
    MPoint scalePivot(MSpace::Space space, MStatus* ReturnStatus = nullptr) const;
    MStatus setScalePivot(const MPoint& point, MSpace::Space space, bool balance = true);

private:
    // Applies a change to the transformation and stores the result.
    template <class Change> MStatus edit(Change change);
};
