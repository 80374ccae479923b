#include <maya/MFloatMatrix.h>

#include "core/GeometryMath.h"

#include <ostream>

using namespace rvhost;

MFloatMatrix::MFloatMatrix() {
    identity4(matrix);
}
MFloatMatrix::MFloatMatrix(const float src[4][4]) {
    convert4(src, matrix);
}
MFloatMatrix::MFloatMatrix(const double src[4][4]) {
    convert4(src, matrix);
}

MStatus MFloatMatrix::get(float dest[4][4]) const {
    convert4(matrix, dest);
    return MS::kSuccess;
}

MStatus MFloatMatrix::get(double dest[4][4]) const {
    convert4(matrix, dest);
    return MS::kSuccess;
}

MFloatMatrix MFloatMatrix::transpose() const {
    MFloatMatrix r;
    transpose4(matrix, r.matrix);
    return r;
}

MFloatMatrix& MFloatMatrix::setToIdentity() {
    identity4(matrix);
    return *this;
}

MFloatMatrix& MFloatMatrix::setToProduct(const MFloatMatrix& left, const MFloatMatrix& right) {
    multiply4(left.matrix, right.matrix, matrix);
    return *this;
}

MFloatMatrix MFloatMatrix::operator+(const MFloatMatrix& right) const {
    MFloatMatrix r;
    addScaled4(matrix, right.matrix, 1.0f, r.matrix);
    return r;
}

MFloatMatrix MFloatMatrix::operator-(const MFloatMatrix& right) const {
    MFloatMatrix r;
    addScaled4(matrix, right.matrix, -1.0f, r.matrix);
    return r;
}

MFloatMatrix& MFloatMatrix::operator*=(const MFloatMatrix& right) {
    return setToProduct(*this, right);
}

MFloatMatrix MFloatMatrix::operator*(const MFloatMatrix& right) const {
    return MFloatMatrix().setToProduct(*this, right);
}

MFloatMatrix MFloatMatrix::operator*(float scale) const {
    MFloatMatrix r(*this);
    for (auto& row : r.matrix)
        for (float& v : row)
            v *= scale;
    return r;
}

bool MFloatMatrix::operator==(const MFloatMatrix& other) const {
    return equivalent4(matrix, other.matrix, 0.0f);
}

MFloatMatrix MFloatMatrix::inverse() const {
    // Inverted in double precision: float cofactors lose too much on ordinary transforms.
    double d[4][4], inv[4][4];
    convert4(matrix, d);
    inverse4(d, inv);
    return MFloatMatrix(inv);
}

MFloatMatrix MFloatMatrix::adjoint() const {
    MFloatMatrix r;
    adjoint4(matrix, r.matrix);
    return r;
}

float MFloatMatrix::det4x4() const {
    return det4(matrix);
}
float MFloatMatrix::det3x3() const {
    return det3(matrix);
}

bool MFloatMatrix::isEquivalent(const MFloatMatrix& other, float tolerance) const {
    return equivalent4(matrix, other.matrix, tolerance);
}

std::ostream& operator<<(std::ostream& os, const MFloatMatrix& m) {
    return print4(os, m.matrix);
}
