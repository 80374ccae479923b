#pragma once
#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MQuaternion.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

#define MTransformationMatrix_kTol 1.0e-10

// A transformation kept as its parts. asMatrix() composes them, points being row vectors:
//   -scalePivot * scale * shear * scalePivot * scalePivotTranslation
//   * -rotatePivot * rotateOrientation * rotation * rotatePivot * rotatePivotTranslation
//   * translation
class OPENMAYA_EXPORT MTransformationMatrix {
public:
    enum RotationOrder { kInvalid, kXYZ, kYZX, kZXY, kXZY, kYXZ, kZYX, kLast };

    MTransformationMatrix() = default;
    // Decomposes a matrix into translation, rotation (kXYZ), scale and shear; pivots are 0.
    MTransformationMatrix(const MMatrix& matrix);

    MMatrix asMatrix() const;
    MMatrix asMatrixInverse() const;
    MMatrix asScaleMatrix() const;
    MMatrix asRotateMatrix() const;

    MStatus getScale(double scale[3], MSpace::Space space) const;
    MStatus setScale(const double scale[3], MSpace::Space space);
    MStatus addScale(const double scale[3], MSpace::Space space);
    MStatus getShear(double shear[3], MSpace::Space space) const;
    MStatus setShear(const double shear[3], MSpace::Space space);

    MQuaternion rotation() const;
    MEulerRotation eulerRotation() const;
    MTransformationMatrix& rotateTo(const MQuaternion& q);
    MTransformationMatrix& rotateTo(const MEulerRotation& r);
    MTransformationMatrix& rotateBy(const MQuaternion& q, MSpace::Space space,
                                    MStatus* ReturnStatus = nullptr);
    MTransformationMatrix& rotateBy(const MEulerRotation& r, MSpace::Space space,
                                    MStatus* ReturnStatus = nullptr);
    MStatus getRotation(double rotation[3], RotationOrder& order,
                        MSpace::Space space = MSpace::kTransform) const;
    MStatus setRotation(const double rotation[3], RotationOrder order,
                        MSpace::Space space = MSpace::kTransform);
    // Turns further by the given angles about the axes, in the given order, after the
    // present rotation.
    MStatus addRotation(const double rotation[3], RotationOrder order,
                        MSpace::Space space = MSpace::kTransform);
    MStatus getRotationQuaternion(double& x, double& y, double& z, double& w,
                                  MSpace::Space space = MSpace::kTransform) const;
    MStatus setRotationQuaternion(double x, double y, double z, double w,
                                  MSpace::Space space = MSpace::kTransform);
    MStatus addRotationQuaternion(double x, double y, double z, double w,
                                  MSpace::Space space = MSpace::kTransform);
    RotationOrder rotationOrder(MStatus* ReturnStatus = nullptr) const;
    // Keeps the same rotation, expressed in the new order.
    MStatus reorderRotation(const RotationOrder& order);
    MStatus setToRotationAxis(const MVector& axis, double rotation);
    MQuaternion rotationOrientation() const { return orientation_; }
    // With balance, the rotation changes so that orientation and rotation together stay the
    // same.
    MStatus setRotationOrientation(const MQuaternion& q, MSpace::Space space, bool balance = true);

    MVector getTranslation(MSpace::Space space, MStatus* ReturnStatus = nullptr) const;
    MStatus setTranslation(const MVector& vector, MSpace::Space space);
    MStatus addTranslation(const MVector& vector, MSpace::Space space);

    MPoint scalePivot(MSpace::Space space, MStatus* ReturnStatus = nullptr) const;
    // With balance, the scale pivot translation changes so that asMatrix() stays the same.
    MStatus setScalePivot(const MPoint& point, MSpace::Space space, bool balance);
    MVector scalePivotTranslation(MSpace::Space space, MStatus* ReturnStatus = nullptr) const;
    MStatus setScalePivotTranslation(const MVector& vector, MSpace::Space space);
    MPoint rotatePivot(MSpace::Space space, MStatus* ReturnStatus = nullptr) const;
    // With balance, the rotate pivot translation changes so that asMatrix() stays the same.
    MStatus setRotatePivot(const MPoint& point, MSpace::Space space, bool balance);
    MVector rotatePivotTranslation(MSpace::Space space, MStatus* ReturnStatus = nullptr) const;
    MStatus setRotatePivotTranslation(const MVector& vector, MSpace::Space space);

    bool isEquivalent(const MTransformationMatrix& other,
                      double tolerance = MTransformationMatrix_kTol) const;
    bool operator==(const MTransformationMatrix& other) const;
    bool operator!=(const MTransformationMatrix& other) const { return !(*this == other); }

    static const MTransformationMatrix identity;

private:
    MMatrix scalePart() const;
    MMatrix rotatePart() const;
    MMatrix scaleShear() const;
    // Turns by delta after the present rotation, or before it in object space.
    void composeRotation(const MMatrix& delta, MSpace::Space space);

    MVector translation_;
    MEulerRotation rotation_;
    MQuaternion orientation_;
    MVector scale_{1.0, 1.0, 1.0};
    MVector shear_;
    MPoint scalePivot_;
    MVector scalePivotTranslation_;
    MPoint rotatePivot_;
    MVector rotatePivotTranslation_;
};
