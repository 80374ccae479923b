#include <maya/MTransformationMatrix.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kTol = 1.0e-9;

void expectMaps(const MTransformationMatrix& t, const MPoint& from, const MPoint& to) {
    const MPoint got = from * t.asMatrix();
    EXPECT_TRUE(got.isEquivalent(to, kTol)) << from << " went to " << got << ", not " << to;
}

MTransformationMatrix busyTransform() {
    MTransformationMatrix t;
    const double scale[3] = {2.0, 0.5, 3.0};
    const double shear[3] = {0.2, -0.1, 0.3};
    const double rotation[3] = {0.3, -0.7, 1.2};
    t.setScale(scale, MSpace::kTransform);
    t.setShear(shear, MSpace::kTransform);
    t.setRotation(rotation, MTransformationMatrix::kYZX);
    t.setTranslation(MVector(4.0, -5.0, 6.0), MSpace::kTransform);
    return t;
}

} // namespace

TEST(MTransformationMatrixTest, PivotsStayFixedAndTranslationComesLast) {
    MTransformationMatrix scale;
    const double two[3] = {2.0, 2.0, 2.0};
    scale.setScale(two, MSpace::kTransform);
    scale.setScalePivot(MPoint(1.0, 0.0, 0.0), MSpace::kTransform, false);
    expectMaps(scale, MPoint(1.0, 0.0, 0.0), MPoint(1.0, 0.0, 0.0));
    expectMaps(scale, MPoint(2.0, 0.0, 0.0), MPoint(3.0, 0.0, 0.0));

    MTransformationMatrix turn;
    const double quarterZ[3] = {0.0, 0.0, M_PI / 2.0};
    turn.setRotation(quarterZ, MTransformationMatrix::kXYZ);
    turn.setRotatePivot(MPoint(1.0, 1.0, 0.0), MSpace::kTransform, false);
    expectMaps(turn, MPoint(1.0, 1.0, 0.0), MPoint(1.0, 1.0, 0.0));
    expectMaps(turn, MPoint(2.0, 1.0, 0.0), MPoint(1.0, 2.0, 0.0));
    turn.setTranslation(MVector(0.0, 0.0, 5.0), MSpace::kTransform);
    expectMaps(turn, MPoint(2.0, 1.0, 0.0), MPoint(1.0, 2.0, 5.0));

    // Scale (about the origin) comes before the rotation about its pivot.
    turn.setScale(two, MSpace::kTransform);
    expectMaps(turn, MPoint(1.5, 1.0, 0.0), MPoint(0.0, 3.0, 5.0));
}

TEST(MTransformationMatrixTest, BalancedPivotsKeepTheMatrix) {
    MTransformationMatrix t = busyTransform();
    const MMatrix before = t.asMatrix();
    t.setRotatePivot(MPoint(1.0, 2.0, 3.0), MSpace::kTransform, true);
    t.setScalePivot(MPoint(-2.0, 0.5, 1.0), MSpace::kTransform, true);
    EXPECT_TRUE(t.asMatrix().isEquivalent(before, kTol));
    EXPECT_FALSE(t.rotatePivotTranslation(MSpace::kTransform).isEquivalent(MVector::zero));
    // Without balance the same move changes the matrix.
    t.setRotatePivot(MPoint(0.0, 0.0, 0.0), MSpace::kTransform, false);
    EXPECT_FALSE(t.asMatrix().isEquivalent(before, kTol));
    MTransformationMatrix oriented = busyTransform();
    oriented.setRotationOrientation(MQuaternion(0.5, MVector(1.0, 1.0, 0.0)), MSpace::kTransform);
    EXPECT_TRUE(oriented.asMatrix().isEquivalent(before, kTol));
}

TEST(MTransformationMatrixTest, RotationEditsKeepOrderAndCompose) {
    MTransformationMatrix t;
    const double quarterX[3] = {M_PI / 2.0, 0.0, 0.0};
    const double quarterZ[3] = {0.0, 0.0, M_PI / 2.0};
    t.setRotation(quarterX, MTransformationMatrix::kZYX);
    t.addRotation(quarterZ, MTransformationMatrix::kXYZ);
    EXPECT_EQ(t.rotationOrder(), MTransformationMatrix::kZYX);
    // X turn first, then the added Z turn: y -> z -> z.
    expectMaps(t, MPoint(0.0, 1.0, 0.0), MPoint(0.0, 0.0, 1.0));
    expectMaps(t, MPoint(1.0, 0.0, 0.0), MPoint(0.0, 1.0, 0.0));

    const MMatrix before = t.asMatrix();
    EXPECT_TRUE(t.reorderRotation(MTransformationMatrix::kYXZ));
    EXPECT_EQ(t.rotationOrder(), MTransformationMatrix::kYXZ);
    EXPECT_TRUE(t.asMatrix().isEquivalent(before, kTol));
    EXPECT_EQ(t.setRotation(quarterX, MTransformationMatrix::kInvalid), MS::kInvalidParameter);
    EXPECT_TRUE(t.asMatrix().isEquivalent(before, kTol));
}

TEST(MTransformationMatrixTest, DecomposingAMatrixRecoversItsParts) {
    for (const double flip : {1.0, -1.0}) {
        MTransformationMatrix t = busyTransform();
        const double scale[3] = {2.0, 0.5, 3.0 * flip};
        t.setScale(scale, MSpace::kTransform);
        const MTransformationMatrix back(t.asMatrix());
        EXPECT_TRUE(back.asMatrix().isEquivalent(t.asMatrix(), kTol));
        double got[3];
        back.getScale(got, MSpace::kTransform);
        EXPECT_NEAR(got[0], 2.0, kTol);
        EXPECT_NEAR(got[1], 0.5, kTol);
        EXPECT_NEAR(got[2], 3.0 * flip, kTol);
        back.getShear(got, MSpace::kTransform);
        EXPECT_NEAR(got[2], 0.3, kTol);
        EXPECT_TRUE(back.getTranslation(MSpace::kWorld).isEquivalent(MVector(4.0, -5.0, 6.0)));
    }
}
