#include <maya/MMatrix.h>

#include "core/GeometryMath.h"

#include <ostream>

using namespace rvhost;

const MMatrix MMatrix::identity;

MMatrix::MMatrix() {
    identity4(matrix);
}
MMatrix::MMatrix(const double src[4][4]) {
    convert4(src, matrix);
}
MMatrix::MMatrix(const float src[4][4]) {
    convert4(src, matrix);
}

MStatus MMatrix::get(double dest[4][4]) const {
    convert4(matrix, dest);
    return MS::kSuccess;
}

MStatus MMatrix::get(float dest[4][4]) const {
    convert4(matrix, dest);
    return MS::kSuccess;
}

MMatrix MMatrix::transpose() const {
    MMatrix r;
    transpose4(matrix, r.matrix);
    return r;
}

MMatrix& MMatrix::setToIdentity() {
    identity4(matrix);
    return *this;
}

MMatrix& MMatrix::setToProduct(const MMatrix& left, const MMatrix& right) {
    multiply4(left.matrix, right.matrix, matrix);
    return *this;
}

MMatrix& MMatrix::operator+=(const MMatrix& right) {
    addScaled4(matrix, right.matrix, 1.0, matrix);
    return *this;
}

MMatrix MMatrix::operator+(const MMatrix& right) const {
    return MMatrix(*this) += right;
}

MMatrix& MMatrix::operator-=(const MMatrix& right) {
    addScaled4(matrix, right.matrix, -1.0, matrix);
    return *this;
}

MMatrix MMatrix::operator-(const MMatrix& right) const {
    return MMatrix(*this) -= right;
}

MMatrix& MMatrix::operator*=(const MMatrix& right) {
    return setToProduct(*this, right);
}

MMatrix MMatrix::operator*(const MMatrix& right) const {
    return MMatrix().setToProduct(*this, right);
}

MMatrix& MMatrix::operator*=(double scale) {
    for (auto& row : matrix)
        for (double& v : row)
            v *= scale;
    return *this;
}

MMatrix MMatrix::operator*(double scale) const {
    return MMatrix(*this) *= scale;
}

bool MMatrix::operator==(const MMatrix& other) const {
    return equivalent4(matrix, other.matrix, 0.0);
}

MMatrix MMatrix::inverse() const {
    MMatrix r;
    inverse4(matrix, r.matrix);
    return r;
}

MMatrix MMatrix::adjoint() const {
    MMatrix r;
    adjoint4(matrix, r.matrix);
    return r;
}

MMatrix MMatrix::homogenize() const {
    MMatrix r(*this);
    for (int i = 0; i < 3; ++i)
        r.matrix[i][3] = 0.0;
    r.matrix[3][3] = 1.0;
    return r;
}

double MMatrix::det4x4() const {
    return det4(matrix);
}
double MMatrix::det3x3() const {
    return det3(matrix);
}

bool MMatrix::isEquivalent(const MMatrix& other, double tolerance) const {
    return equivalent4(matrix, other.matrix, tolerance);
}

bool MMatrix::isSingular() const {
    return det4x4() == 0.0;
}

MMatrix operator*(double scale, const MMatrix& right) {
    return right * scale;
}

std::ostream& operator<<(std::ostream& os, const MMatrix& m) {
    return print4(os, m.matrix);
}
