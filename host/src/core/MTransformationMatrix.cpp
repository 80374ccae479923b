#include <maya/MTransformationMatrix.h>

#include <cmath>

const MTransformationMatrix MTransformationMatrix::identity;

namespace {

MMatrix translation(const MVector& t) {
    MMatrix m;
    m[3][0] = t.x;
    m[3][1] = t.y;
    m[3][2] = t.z;
    return m;
}

bool validOrder(MTransformationMatrix::RotationOrder order) {
    return order > MTransformationMatrix::kInvalid && order < MTransformationMatrix::kLast;
}

MEulerRotation::RotationOrder eulerOrder(MTransformationMatrix::RotationOrder order) {
    return static_cast<MEulerRotation::RotationOrder>(order - MTransformationMatrix::kXYZ);
}

MTransformationMatrix::RotationOrder matrixOrder(MEulerRotation::RotationOrder order) {
    return static_cast<MTransformationMatrix::RotationOrder>(order + MTransformationMatrix::kXYZ);
}

bool objectSpace(MSpace::Space space) {
    return space == MSpace::kObject;
}

void setStatus(MStatus* status, MStatus value) {
    if (status) *status = value;
}

// A pivot moved from old to new while the matrix stays the same: the pivot translation takes
// up the difference, d * part - d, where part is what the pivot surrounds.
MVector balancedPivotTranslation(const MVector& current, const MPoint& oldPivot,
                                 const MPoint& newPivot, const MMatrix& part) {
    const MVector d = MPoint(newPivot).cartesianize() - MPoint(oldPivot).cartesianize();
    return current + d * part - d;
}

} // namespace

MTransformationMatrix::MTransformationMatrix(const MMatrix& matrix) {
    translation_ = MVector(matrix[3][0], matrix[3][1], matrix[3][2]);
    // Rows are scale * shear * rotation; Gram-Schmidt peels them apart.
    MVector rows[3];
    for (int r = 0; r < 3; ++r)
        rows[r] = MVector(matrix[r][0], matrix[r][1], matrix[r][2]);
    MVector axes[3] = {MVector::xAxis, MVector::yAxis, MVector::zAxis};
    double shearDots[3] = {0.0, 0.0, 0.0}; // row1.axis0, row2.axis0, row2.axis1
    for (int r = 0; r < 3; ++r) {
        MVector rest = rows[r];
        for (int k = 0; k < r; ++k) {
            const double dot = rows[r] * axes[k];
            shearDots[r + k - 1] = dot;
            rest -= dot * axes[k];
        }
        scale_[r] = rest.length();
        if (scale_[r] > 0.0) axes[r] = rest / scale_[r];
    }
    if (matrix.det3x3() < 0.0) {
        scale_.z = -scale_.z;
        axes[2] = -axes[2];
    }
    for (int k = 0; k < 3; ++k) {
        const double s = scale_[k == 0 ? 1 : 2];
        shear_[k] = s != 0.0 ? shearDots[k] / s : 0.0;
    }
    MMatrix rotation;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            rotation[r][c] = axes[r][c];
    rotation_ = MEulerRotation::decompose(rotation, MEulerRotation::kXYZ);
}

MMatrix MTransformationMatrix::scaleShear() const {
    MMatrix m;
    for (int i = 0; i < 3; ++i)
        m[i][i] = scale_[i];
    m[1][0] = scale_.y * shear_[0];
    m[2][0] = scale_.z * shear_[1];
    m[2][1] = scale_.z * shear_[2];
    return m;
}

MMatrix MTransformationMatrix::scalePart() const {
    const MVector pivot(MPoint(scalePivot_).cartesianize());
    return translation(-pivot) * scaleShear() * translation(pivot) *
           translation(scalePivotTranslation_);
}

MMatrix MTransformationMatrix::rotatePart() const {
    const MVector pivot(MPoint(rotatePivot_).cartesianize());
    return translation(-pivot) * orientation_.asMatrix() * rotation_.asMatrix() *
           translation(pivot) * translation(rotatePivotTranslation_);
}

MMatrix MTransformationMatrix::asMatrix() const {
    return scalePart() * rotatePart() * translation(translation_);
}

MMatrix MTransformationMatrix::asMatrixInverse() const {
    return asMatrix().inverse();
}
MMatrix MTransformationMatrix::asScaleMatrix() const {
    return scalePart();
}
MMatrix MTransformationMatrix::asRotateMatrix() const {
    return rotatePart();
}

MStatus MTransformationMatrix::getScale(double scale[3], MSpace::Space) const {
    return scale_.get(scale);
}

MStatus MTransformationMatrix::setScale(const double scale[3], MSpace::Space) {
    scale_ = MVector(scale);
    return MS::kSuccess;
}

MStatus MTransformationMatrix::addScale(const double scale[3], MSpace::Space) {
    for (int i = 0; i < 3; ++i)
        scale_[i] *= scale[i];
    return MS::kSuccess;
}

MStatus MTransformationMatrix::getShear(double shear[3], MSpace::Space) const {
    return shear_.get(shear);
}

MStatus MTransformationMatrix::setShear(const double shear[3], MSpace::Space) {
    shear_ = MVector(shear);
    return MS::kSuccess;
}

MQuaternion MTransformationMatrix::rotation() const {
    return rotation_.asQuaternion();
}

MEulerRotation MTransformationMatrix::eulerRotation() const {
    return rotation_;
}

MTransformationMatrix& MTransformationMatrix::rotateTo(const MQuaternion& q) {
    rotation_ = MEulerRotation::decompose(q.asMatrix(), rotation_.order);
    return *this;
}

MTransformationMatrix& MTransformationMatrix::rotateTo(const MEulerRotation& r) {
    rotation_ = r;
    return *this;
}

void MTransformationMatrix::composeRotation(const MMatrix& delta, MSpace::Space space) {
    const MMatrix current = rotation_.asMatrix();
    const MMatrix turned = objectSpace(space) ? delta * current : current * delta;
    rotation_ = MEulerRotation::decompose(turned, rotation_.order);
}

MTransformationMatrix& MTransformationMatrix::rotateBy(const MQuaternion& q, MSpace::Space space,
                                                       MStatus* ReturnStatus) {
    composeRotation(q.asMatrix(), space);
    setStatus(ReturnStatus, MS::kSuccess);
    return *this;
}

MTransformationMatrix& MTransformationMatrix::rotateBy(const MEulerRotation& r, MSpace::Space space,
                                                       MStatus* ReturnStatus) {
    composeRotation(r.asMatrix(), space);
    setStatus(ReturnStatus, MS::kSuccess);
    return *this;
}

MStatus MTransformationMatrix::getRotation(double rotation[3], RotationOrder& order,
                                           MSpace::Space) const {
    order = matrixOrder(rotation_.order);
    return rotation_.asVector().get(rotation);
}

MStatus MTransformationMatrix::setRotation(const double rotation[3], RotationOrder order,
                                           MSpace::Space) {
    if (!validOrder(order)) return MS::kInvalidParameter;
    rotation_ = MEulerRotation(MVector(rotation), eulerOrder(order));
    return MS::kSuccess;
}

MStatus MTransformationMatrix::addRotation(const double rotation[3], RotationOrder order,
                                           MSpace::Space space) {
    if (!validOrder(order)) return MS::kInvalidParameter;
    composeRotation(MEulerRotation(MVector(rotation), eulerOrder(order)).asMatrix(), space);
    return MS::kSuccess;
}

MStatus MTransformationMatrix::getRotationQuaternion(double& x, double& y, double& z, double& w,
                                                     MSpace::Space) const {
    const MQuaternion q = rotation();
    x = q.x;
    y = q.y;
    z = q.z;
    w = q.w;
    return MS::kSuccess;
}

MStatus MTransformationMatrix::setRotationQuaternion(double x, double y, double z, double w,
                                                     MSpace::Space) {
    rotateTo(MQuaternion(x, y, z, w));
    return MS::kSuccess;
}

MStatus MTransformationMatrix::addRotationQuaternion(double x, double y, double z, double w,
                                                     MSpace::Space space) {
    composeRotation(MQuaternion(x, y, z, w).asMatrix(), space);
    return MS::kSuccess;
}

MTransformationMatrix::RotationOrder
MTransformationMatrix::rotationOrder(MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, MS::kSuccess);
    return matrixOrder(rotation_.order);
}

MStatus MTransformationMatrix::reorderRotation(const RotationOrder& order) {
    if (!validOrder(order)) return MS::kInvalidParameter;
    rotation_.reorderIt(eulerOrder(order));
    return MS::kSuccess;
}

MStatus MTransformationMatrix::setToRotationAxis(const MVector& axis, double rotation) {
    if (axis.length() == 0.0) return MS::kInvalidParameter;
    rotateTo(MQuaternion(rotation, axis));
    return MS::kSuccess;
}

MStatus MTransformationMatrix::setRotationOrientation(const MQuaternion& q, MSpace::Space,
                                                      bool balance) {
    if (balance) {
        const MMatrix combined = orientation_.asMatrix() * rotation_.asMatrix();
        rotation_ = MEulerRotation::decompose(q.inverse().asMatrix() * combined, rotation_.order);
    }
    orientation_ = q;
    return MS::kSuccess;
}

MVector MTransformationMatrix::getTranslation(MSpace::Space, MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, MS::kSuccess);
    return translation_;
}

MStatus MTransformationMatrix::setTranslation(const MVector& vector, MSpace::Space) {
    translation_ = vector;
    return MS::kSuccess;
}

MStatus MTransformationMatrix::addTranslation(const MVector& vector, MSpace::Space) {
    translation_ += vector;
    return MS::kSuccess;
}

MPoint MTransformationMatrix::scalePivot(MSpace::Space, MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, MS::kSuccess);
    return scalePivot_;
}

MStatus MTransformationMatrix::setScalePivot(const MPoint& point, MSpace::Space, bool balance) {
    if (balance)
        scalePivotTranslation_ =
            balancedPivotTranslation(scalePivotTranslation_, scalePivot_, point, scaleShear());
    scalePivot_ = point;
    return MS::kSuccess;
}

MVector MTransformationMatrix::scalePivotTranslation(MSpace::Space, MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, MS::kSuccess);
    return scalePivotTranslation_;
}

MStatus MTransformationMatrix::setScalePivotTranslation(const MVector& vector, MSpace::Space) {
    scalePivotTranslation_ = vector;
    return MS::kSuccess;
}

MPoint MTransformationMatrix::rotatePivot(MSpace::Space, MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, MS::kSuccess);
    return rotatePivot_;
}

MStatus MTransformationMatrix::setRotatePivot(const MPoint& point, MSpace::Space, bool balance) {
    if (balance) {
        const MMatrix turn = orientation_.asMatrix() * rotation_.asMatrix();
        rotatePivotTranslation_ =
            balancedPivotTranslation(rotatePivotTranslation_, rotatePivot_, point, turn);
    }
    rotatePivot_ = point;
    return MS::kSuccess;
}

MVector MTransformationMatrix::rotatePivotTranslation(MSpace::Space, MStatus* ReturnStatus) const {
    setStatus(ReturnStatus, MS::kSuccess);
    return rotatePivotTranslation_;
}

MStatus MTransformationMatrix::setRotatePivotTranslation(const MVector& vector, MSpace::Space) {
    rotatePivotTranslation_ = vector;
    return MS::kSuccess;
}

bool MTransformationMatrix::isEquivalent(const MTransformationMatrix& other,
                                         double tolerance) const {
    return asMatrix().isEquivalent(other.asMatrix(), tolerance);
}

bool MTransformationMatrix::operator==(const MTransformationMatrix& other) const {
    return asMatrix() == other.asMatrix();
}
