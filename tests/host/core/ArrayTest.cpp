#include <maya/MColorArray.h>
#include <maya/MDoubleArray.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MIntArray.h>
#include <maya/MPointArray.h>

#include <gtest/gtest.h>

TEST(ArrayTest, EditsCheckTheirIndexAndLeaveTheArrayAsItWas) {
    MIntArray a;
    for (int i = 0; i < 3; ++i)
        a.append(i * 10);
    EXPECT_TRUE(a.insert(99, 3)); // at the end: appends
    EXPECT_FALSE(a.insert(5, 5));
    EXPECT_FALSE(a.remove(4));
    EXPECT_FALSE(a.set(7, 4));
    ASSERT_EQ(a.length(), 4u);
    EXPECT_TRUE(a.insert(5, 1));
    EXPECT_TRUE(a.remove(0));
    int flat[4];
    a.get(flat);
    EXPECT_EQ(flat[0], 5);
    EXPECT_EQ(flat[1], 10);
    EXPECT_EQ(flat[3], 99);

    MIntArray copy;
    copy.copy(a);
    copy[0] = -1;
    EXPECT_EQ(a[0], 5);
    copy.setLength(1);
    EXPECT_EQ(copy.length(), 1u);
    copy.clear();
    EXPECT_EQ(copy.length(), 0u);
}

TEST(ArrayTest, PointArraysGrowWithTheOriginAndExchangeRows) {
    MPointArray points(2);
    EXPECT_EQ(points[1], MPoint::origin);
    points.setLength(3);
    EXPECT_DOUBLE_EQ(points[2].w, 1.0);
    points.set(1, 1.0, 2.0, 3.0);
    points.append(4.0, 5.0);
    double rows[4][4];
    points.get(rows);
    EXPECT_DOUBLE_EQ(rows[1][2], 3.0);
    EXPECT_DOUBLE_EQ(rows[3][1], 5.0);
    EXPECT_DOUBLE_EQ(rows[3][2], 0.0);
    EXPECT_DOUBLE_EQ(rows[3][3], 1.0);

    const float src[2][3] = {{1, 2, 3}, {4, 5, 6}};
    const MFloatVectorArray normals(src, 2);
    ASSERT_EQ(normals.length(), 2u);
    EXPECT_EQ(normals[1], MFloatVector(4.0f, 5.0f, 6.0f));

    MColorArray colours(1, MColor(0.1f, 0.2f, 0.3f));
    colours.set(0, 1.0f, 0.5f, 0.25f, 0.0f);
    float out[1][4];
    colours.get(out);
    EXPECT_FLOAT_EQ(out[0][1], 0.5f);
    EXPECT_FLOAT_EQ(out[0][3], 0.0f);

    const float singles[2] = {0.5f, 1.5f};
    const MDoubleArray doubles(singles, 2);
    EXPECT_DOUBLE_EQ(doubles[1], 1.5);
}
