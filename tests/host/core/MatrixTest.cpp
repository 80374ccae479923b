#include <maya/MEulerRotation.h>
#include <maya/MFloatMatrix.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MQuaternion.h>
#include <maya/MVector.h>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

constexpr double kTol = 1.0e-9;

MMatrix translation(double x, double y, double z) {
    MMatrix m;
    m[3][0] = x;
    m[3][1] = y;
    m[3][2] = z;
    return m;
}

MMatrix randomMatrix(std::mt19937& rng) {
    std::uniform_real_distribution<double> u(-2.0, 2.0);
    MMatrix m;
    for (auto& row : m.matrix)
        for (double& v : row)
            v = u(rng);
    return m;
}

void expectPointNear(const MPoint& actual, const MPoint& expected) {
    EXPECT_TRUE(actual.isEquivalent(expected, kTol)) << actual << " vs " << expected;
}

void expectVectorNear(const MVector& actual, const MVector& expected) {
    EXPECT_TRUE(actual.isEquivalent(expected, kTol)) << actual << " vs " << expected;
}

} // namespace

TEST(MMatrixTest, PointsAreRowVectorsAndProductsApplyLeftFirst) {
    const MMatrix t = translation(1.0, 2.0, 3.0);
    expectPointNear(MPoint(1.0, 1.0, 1.0) * t, MPoint(2.0, 3.0, 4.0));
    // Directions ignore the translation row.
    expectVectorNear(MVector(1.0, 1.0, 1.0) * t, MVector(1.0, 1.0, 1.0));
    // Scale by 2 then translate: the translation is not scaled.
    MMatrix s;
    s[0][0] = s[1][1] = s[2][2] = 2.0;
    expectPointNear(MPoint(1.0, 0.0, 0.0) * (s * t), MPoint(3.0, 2.0, 3.0));
    expectPointNear(MPoint(1.0, 0.0, 0.0) * (t * s), MPoint(4.0, 4.0, 6.0));
    // Column-vector products use the transpose.
    expectPointNear(t.transpose() * MPoint(1.0, 1.0, 1.0), MPoint(2.0, 3.0, 4.0));
    EXPECT_EQ(t(3, 1), 2.0);
    EXPECT_EQ(t[3][1], 2.0);
}

TEST(MMatrixTest, HomogeneousPointsKeepTheirWeight) {
    MMatrix projective;
    projective[2][3] = 1.0; // w' = z + w
    MPoint p = MPoint(1.0, 2.0, 1.0) * projective;
    EXPECT_DOUBLE_EQ(p.w, 2.0);
    p.cartesianize();
    expectPointNear(p, MPoint(0.5, 1.0, 0.5));
    EXPECT_NEAR(MPoint(2.0, 0.0, 0.0, 2.0).distanceTo(MPoint(0.0, 0.0, 0.0)), 1.0, kTol);
}

TEST(MMatrixTest, InverseDeterminantAndSingularMatrices) {
    std::mt19937 rng(7);
    for (int i = 0; i < 20; ++i) {
        const MMatrix m = randomMatrix(rng);
        EXPECT_TRUE((m * m.inverse()).isEquivalent(MMatrix::identity, 1.0e-8));
        EXPECT_NEAR(m.det4x4() * m.inverse().det4x4(), 1.0, 1.0e-8);
        EXPECT_NEAR(m.transpose().det4x4(), m.det4x4(), 1.0e-9);
    }
    const double rows[4][4] = {{2, 0, 0, 0}, {0, 3, 0, 0}, {0, 0, 4, 0}, {1, 2, 3, 1}};
    EXPECT_DOUBLE_EQ(MMatrix(rows).det4x4(), 24.0);
    EXPECT_DOUBLE_EQ(MMatrix(rows).det3x3(), 24.0);
    MMatrix singular;
    singular[1][1] = 0.0;
    EXPECT_TRUE(singular.isSingular());
    EXPECT_EQ(singular.inverse(), MMatrix::identity);
}

TEST(MMatrixTest, FloatMatrixAgreesWithDouble) {
    std::mt19937 rng(3);
    const MMatrix m = randomMatrix(rng);
    float f[4][4];
    m.get(f);
    const MFloatMatrix fm(f);
    const MFloatPoint fp = MFloatPoint(1.0f, 2.0f, 3.0f) * fm;
    const MPoint dp = MPoint(1.0, 2.0, 3.0) * m;
    EXPECT_TRUE(MPoint(fp).isEquivalent(dp, 1.0e-4));
    EXPECT_TRUE((fm * fm.inverse()).isEquivalent(MFloatMatrix(), 1.0e-4f));
}

TEST(MVectorTest, NormalsUseTheInverseTransposeAndDegenerateVectorsStayPut) {
    MMatrix stretch;
    stretch[0][0] = 2.0;
    const MVector n = MVector(1.0, 1.0, 0.0).normal();
    expectVectorNear(n.transformAsNormal(stretch), MVector(1.0, 2.0, 0.0).normal());
    MVector zero;
    EXPECT_TRUE(zero.normalize());
    EXPECT_EQ(zero, MVector::zero);
    EXPECT_DOUBLE_EQ(MVector::xAxis.angle(MVector::zero), 0.0);
    EXPECT_NEAR(MVector::xAxis.angle(MVector(1.0, 1.0, 0.0)), M_PI / 4.0, kTol);
    expectVectorNear(MVector::xAxis ^ MVector::yAxis, MVector::zAxis);
    EXPECT_TRUE(MVector(1.0, 2.0, 3.0).isParallel(MVector(-2.0, -4.0, -6.0)));
    EXPECT_FALSE(MVector(1.0, 2.0, 3.0).isParallel(MVector(1.0, 2.0, 3.1)));
    EXPECT_NEAR((MFloatVector(3.0f, 4.0f, 0.0f)).length(), 5.0f, 1.0e-6f);
}

TEST(RotationTest, AnglesAreRightHandedAndAppliedInTheNamedOrder) {
    const double q = M_PI / 2.0;
    expectVectorNear(MVector::yAxis.rotateBy(MVector::kXaxis, q), MVector::zAxis);
    expectVectorNear(MVector::zAxis.rotateBy(MVector::kYaxis, q), MVector::xAxis);
    expectVectorNear(MVector::xAxis.rotateBy(MVector::kZaxis, q), MVector::yAxis);
    // X first then Y, against Y first then X.
    expectVectorNear(MVector::yAxis * MEulerRotation(q, q, 0.0, MEulerRotation::kXYZ).asMatrix(),
                     MVector::xAxis);
    expectVectorNear(MVector::yAxis * MEulerRotation(q, q, 0.0, MEulerRotation::kYXZ).asMatrix(),
                     MVector::zAxis);
    expectVectorNear(MVector::yAxis.rotateBy(MEulerRotation(q, 0.0, 0.0)), MVector::zAxis);
}

TEST(RotationTest, DecomposeInvertsEveryOrderIncludingGimbalLock) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> angle(-M_PI, M_PI);
    for (int order = MEulerRotation::kXYZ; order <= MEulerRotation::kZYX; ++order) {
        const auto ord = static_cast<MEulerRotation::RotationOrder>(order);
        for (int i = 0; i < 10; ++i) {
            const MEulerRotation r(angle(rng), angle(rng), angle(rng), ord);
            const MEulerRotation back = MEulerRotation::decompose(r.asMatrix(), ord);
            EXPECT_EQ(back.order, ord);
            EXPECT_TRUE(back.asMatrix().isEquivalent(r.asMatrix(), 1.0e-9)) << "order " << order;
        }
        for (unsigned int axis = 0; axis < 3; ++axis) {
            MEulerRotation r(0.3, 0.7, -0.4, ord);
            r[axis] = M_PI / 2.0;
            EXPECT_TRUE(MEulerRotation::decompose(r.asMatrix(), ord)
                            .asMatrix()
                            .isEquivalent(r.asMatrix(), 1.0e-9))
                << "order " << order << " axis " << axis;
        }
        const MEulerRotation r(0.2, -0.5, 1.1, ord);
        EXPECT_TRUE(r.reorder(MEulerRotation::kZXY).asMatrix().isEquivalent(r.asMatrix(), 1e-9));
    }
}

TEST(RotationTest, QuaternionProductsMatchMatrixProducts) {
    const MQuaternion a(0.4, MVector(1.0, 2.0, 3.0));
    const MQuaternion b(-1.1, MVector(0.0, 1.0, -1.0));
    EXPECT_TRUE((a * b).asMatrix().isEquivalent(a.asMatrix() * b.asMatrix(), kTol));
    MQuaternion fromMatrix;
    fromMatrix = (a * b).asMatrix();
    EXPECT_TRUE(fromMatrix.isEquivalent(a * b, 1.0e-9));
    EXPECT_TRUE((a * a.inverse()).isEquivalent(MQuaternion::identity, kTol));
    // Half turns take the other branch of the matrix reading.
    for (const MVector& axis : {MVector::xAxis, MVector::yAxis, MVector::zAxis}) {
        MQuaternion half(M_PI, axis);
        MQuaternion read;
        read = half.asMatrix();
        EXPECT_TRUE(read.isEquivalent(half, kTol)) << axis;
    }
    const MVector from(1.0, 2.0, 0.5);
    for (const MVector& to : {MVector(-3.0, 0.5, 2.0), -from, from}) {
        expectVectorNear(from.rotateBy(from.rotateTo(to)).normal(), to.normal());
    }
}
