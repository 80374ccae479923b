#include <maya/MBoundingBox.h>
#include <maya/MColor.h>
#include <maya/MMatrix.h>
#include <maya/MPlane.h>

#include <gtest/gtest.h>

#include <cmath>

TEST(MPlaneTest, DirectedDistanceIsPositiveOnTheNormalSide) {
    MPlane plane;
    plane.setPlane(MVector(0.0, 0.0, 2.0), -2.0); // z = 1
    EXPECT_DOUBLE_EQ(plane.normal().length(), 1.0);
    EXPECT_DOUBLE_EQ(plane.distance(), -1.0);
    EXPECT_DOUBLE_EQ(plane.directedDistance(MPoint(5.0, 5.0, 3.0)), 2.0);
    EXPECT_DOUBLE_EQ(plane.directedDistance(MPoint(0.0, 0.0, 0.0)), -1.0);
    EXPECT_DOUBLE_EQ(plane.directedDistance(MPoint(0.0, 0.0, 6.0, 2.0)), 2.0);
    plane.negate();
    EXPECT_DOUBLE_EQ(plane.directedDistance(MPoint(5.0, 5.0, 3.0)), -2.0);
    plane.setPlane(0.0, 0.0, 0.0, 4.0);
    EXPECT_DOUBLE_EQ(plane.directedDistance(MPoint(5.0, 5.0, 3.0)), -2.0);
}

TEST(MBoundingBoxTest, GrowsFromEmptyAndTestsOverlap) {
    MBoundingBox box;
    EXPECT_FALSE(box.contains(MPoint::origin));
    box.expand(MPoint(1.0, 2.0, 3.0));
    EXPECT_TRUE(box.contains(MPoint(1.0, 2.0, 3.0)));
    EXPECT_DOUBLE_EQ(box.width(), 0.0);
    box.expand(MPoint(-1.0, 4.0, 3.0));
    EXPECT_DOUBLE_EQ(box.width(), 2.0);
    EXPECT_DOUBLE_EQ(box.height(), 2.0);
    EXPECT_TRUE(box.center().isEquivalent(MPoint(0.0, 3.0, 3.0)));

    const MBoundingBox apart(MPoint(1.5, 2.0, 3.0), MPoint(2.0, 3.0, 4.0));
    EXPECT_FALSE(box.intersects(apart));
    EXPECT_TRUE(box.intersects(apart, 0.5));
    EXPECT_FALSE(box.intersects(MBoundingBox()));

    MMatrix quarterZ;
    quarterZ[0][0] = quarterZ[1][1] = 0.0;
    quarterZ[0][1] = 1.0;
    quarterZ[1][0] = -1.0;
    box.transformUsing(quarterZ);
    EXPECT_TRUE(box.min().isEquivalent(MPoint(-4.0, -1.0, 3.0)));
    EXPECT_TRUE(box.max().isEquivalent(MPoint(-2.0, 1.0, 3.0)));
    box.clear();
    EXPECT_FALSE(box.contains(MPoint::origin));
}

TEST(MColorTest, ColourModelsConvertBothWays) {
    EXPECT_TRUE(MColor(MColor::kHSV, 120.0f, 1.0f, 1.0f).isEquivalent(MColor(0.0f, 1.0f, 0.0f)));
    EXPECT_TRUE(MColor(MColor::kCMY, 1.0f, 0.0f, 0.25f).isEquivalent(MColor(0.0f, 1.0f, 0.75f)));
    const MColor bytes(MColor::kRGB, (unsigned char)255, (unsigned char)0, (unsigned char)51,
                       (unsigned char)0);
    EXPECT_TRUE(bytes.isEquivalent(MColor(1.0f, 0.0f, 0.2f, 0.0f)));
    const MColor c(0.2f, 0.6f, 0.4f, 0.5f);
    float h, s, v;
    ASSERT_TRUE(c.get(MColor::kHSV, h, s, v));
    EXPECT_TRUE(MColor(MColor::kHSV, h, s, v, 0.5f).isEquivalent(c));
    EXPECT_TRUE((c * 2.0f).isEquivalent(MColor(0.4f, 1.2f, 0.8f, 1.0f)));
}
