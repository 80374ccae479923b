// The grid conversions on pictures and point arrays built here, without the host's meshes.
#include "heightmap/HeightMapConversion.h"
#include "heightmap/KVImage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

// A plane's points as polyPlane lays them out: rows along x, the first row at the back.
MPointArray plane(unsigned int columns, unsigned int rows) {
    MPointArray points;
    for (unsigned int r = 0; r < rows; ++r)
        for (unsigned int c = 0; c < columns; ++c)
            points.append(MPoint(c, 0.0, -double(r)));
    return points;
}

// A picture as the readers leave it: row 0 holds the LAST row stored in the file.
// `stored(c, r)` gives the grey of column c in stored row r.
KVImage picture(unsigned int width, unsigned int height,
                const std::function<double(unsigned int, unsigned int)>& stored) {
    KVImage image;
    image.width = width;
    image.height = height;
    for (unsigned int r = height; r-- > 0;) {
        MDoubleArray greys;
        MColorArray colours;
        for (unsigned int c = 0; c < width; ++c) {
            greys.append(stored(c, r));
            colours.append(MColor(0, 0, 0, 1));
        }
        image.heightVals.push_back(greys);
        image.pixels.push_back(colours);
    }
    return image;
}

double code(unsigned int c, unsigned int r) {
    return (r * 1000 + c) / 1e6;
}

SampleGrid grid(std::initializer_list<std::initializer_list<double>> rows) {
    SampleGrid out;
    for (const auto& row : rows) {
        MDoubleArray values;
        for (double v : row)
            values.append(v);
        out.push_back(values);
    }
    return out;
}

TEST(GridRowLength, FindsTheNextPointInTheFirstColumnElseTakesTheSquareRoot) {
    EXPECT_EQ(gridRowLength(plane(7, 3)), 7u);
    EXPECT_EQ(gridRowLength(plane(1, 5)), 1u);
    MPointArray shuffled;
    for (int k = 0; k < 10; ++k)
        shuffled.append(MPoint(k, 0, 0)); // no second x = 0
    EXPECT_EQ(gridRowLength(shuffled), 3u);
    MPointArray close = plane(4, 2);
    close[4].x = 0.0009; // within the tolerance
    EXPECT_EQ(gridRowLength(close), 4u);
    close[4].x = 0.0011;
    EXPECT_EQ(gridRowLength(close), 2u); // plane(4, 2) has 8 points: square root 2
    EXPECT_EQ(gridRowLength(MPointArray()), 0u);
}

TEST(ImportHeights, OnePixelPerVertexGivesEachPixelWithTheFirstStoredRowFirst) {
    KVImage image = picture(5, 4, code);
    MPointArray points = plane(5, 4);
    ASSERT_TRUE(applyHeightMap(image, points, {}));
    for (unsigned int r = 0; r < 4; ++r)
        for (unsigned int c = 0; c < 5; ++c) {
            const MPoint& p = points[r * 5 + c];
            EXPECT_DOUBLE_EQ(p.y, code(c, r)) << c << "," << r;
            EXPECT_EQ(p.x, c);
            EXPECT_EQ(p.z, -double(r));
        }
}

TEST(ImportHeights, HalfPixelStepsBlendAcrossAndDownAsTheModeDefines) {
    // Two pixels across and down on a 4 x 4 plane: samples every half pixel.
    KVImage image = picture(
        2, 2, [](unsigned int c, unsigned int r) { return r == 0 ? c * 0.4 : 0.8 + c * 0.1; });
    MPointArray points = plane(4, 4);
    ASSERT_TRUE(applyHeightMap(image, points, {}));
    // G = {{0, 0.4}, {0.8, 0.9}} after the flip; samples at x, y = 0, 0.5, 1 fill the
    // first nine vertices in order, three to a sample row.
    const double expected[] = {
        0, (0.2 + 0) / 2, 0.4, (0 + 0.8 * 0.5) / 2, (0.2 + 0.8 * 0.5) / 2, 0.4, 0.8, 0.85, 0.9};
    for (unsigned int k = 0; k < 9; ++k)
        EXPECT_DOUBLE_EQ(points[k].y, expected[k]) << k;
    EXPECT_EQ(points[9].y, 0.0); // no sample left for it
}

TEST(ImportHeights, WindowModesTakeTheMaximumOrMeanOfClippedWindows) {
    // A 4 x 4 picture on a 2 x 2 plane: step 2, windows of radius 1 around (0,0), (2,0)...
    auto value = [](unsigned int c, unsigned int r) { return (r * 4 + c) / 16.0; };
    KVImage maxImage = picture(4, 4, value), meanImage = picture(4, 4, value);
    MPointArray maxPoints = plane(2, 2), meanPoints = plane(2, 2);
    HeightImportOptions options;
    options.interpMode = 1;
    ASSERT_TRUE(applyHeightMap(maxImage, maxPoints, options));
    options.interpMode = 2;
    ASSERT_TRUE(applyHeightMap(meanImage, meanPoints, options));
    EXPECT_DOUBLE_EQ(maxPoints[0].y, value(1, 1));
    EXPECT_DOUBLE_EQ(maxPoints[1].y, value(3, 1));
    EXPECT_DOUBLE_EQ(maxPoints[3].y, value(3, 3));
    // Corner window: columns 0-1 of rows 0-1; inner window at (2, 2): 3 x 3.
    EXPECT_DOUBLE_EQ(meanPoints[0].y, (value(0, 0) + value(1, 0) + value(0, 1) + value(1, 1)) / 4);
    double sum = 0;
    for (unsigned int r = 1; r <= 3; ++r)
        for (unsigned int c = 1; c <= 3; ++c)
            sum += value(c, r);
    EXPECT_DOUBLE_EQ(meanPoints[3].y, sum / 9);
}

TEST(ImportHeights, NarrowPicturesUseSinglePixelWindowsAndUnknownModesGiveZero) {
    auto value = [](unsigned int c, unsigned int r) { return 0.1 + c * 0.2 + r * 0.01; };
    KVImage image = picture(2, 2, value);
    MPointArray points = plane(4, 4);
    HeightImportOptions options;
    options.interpMode = 1; // step 0.5: radius 0
    ASSERT_TRUE(applyHeightMap(image, points, options));
    EXPECT_DOUBLE_EQ(points[1].y, value(0, 0)); // x 0.5 falls in pixel 0
    EXPECT_DOUBLE_EQ(points[2].y, value(1, 0));

    KVImage other = picture(2, 2, value);
    MPointArray raised = plane(2, 2);
    for (unsigned int k = 0; k < 4; ++k)
        raised[k].y = 5;
    options.interpMode = 7;
    ASSERT_TRUE(applyHeightMap(other, raised, options));
    for (unsigned int k = 0; k < 4; ++k)
        EXPECT_EQ(raised[k].y, 0.0);
}

TEST(ImportHeights, SamplesNeverPassTheVertexCountAndMissingOnesLeaveVertices) {
    KVImage tall = picture(3, 6, code);
    MPointArray points = plane(3, 3);
    HeightImportOptions options;
    options.hScale = 2.0;
    ASSERT_TRUE(applyHeightMap(tall, points, options));
    EXPECT_DOUBLE_EQ(points[8].y, 2 * code(2, 2));

    KVImage shortPicture = picture(3, 1, [](unsigned int, unsigned int) { return 1.0; });
    MPointArray more = plane(3, 3);
    for (unsigned int k = 0; k < more.length(); ++k)
        more[k].y = -1;
    ASSERT_TRUE(applyHeightMap(shortPicture, more, options));
    EXPECT_EQ(more[2].y, 2.0); // white times the scale
    EXPECT_EQ(more[3].y, -1.0);
    EXPECT_EQ(more[8].y, -1.0);
}

TEST(ImportHeights, NothingToSampleFailsWithAMessage) {
    KVImage empty;
    MPointArray points = plane(2, 2);
    EXPECT_FALSE(applyHeightMap(empty, points, {}));
    EXPECT_GT(empty.errors.length(), 0u);
    KVImage image = picture(2, 2, code);
    MPointArray none;
    EXPECT_FALSE(applyHeightMap(image, none, {}));
}

TEST(Smoothing, MeanOfTheNeighbourhoodWithTheBorderClipped) {
    auto value = [](unsigned int c, unsigned int r) { return double((c * 7 + r * 3) % 5); };
    KVImage image = picture(3, 3, value);
    MPointArray points = plane(3, 3);
    HeightImportOptions options;
    options.vtxAverageRadius = 1;
    options.slopeTolerance = 1;
    ASSERT_TRUE(applyHeightMap(image, points, options));
    double all = 0, corner = 0;
    for (unsigned int r = 0; r < 3; ++r)
        for (unsigned int c = 0; c < 3; ++c) {
            all += value(c, r);
            if (r < 2 && c < 2) corner += value(c, r);
        }
    EXPECT_NEAR(points[4].y, all / 9, 1e-12);
    EXPECT_NEAR(points[0].y, corner / 4, 1e-12);
}

TEST(Smoothing, WindowsReachIntoSampleRowsNoVertexTakes) {
    auto value = [](unsigned int c, unsigned int r) { return c * 0.1 + r * r * 0.05; };
    KVImage image = picture(3, 5, value);
    MPointArray points = plane(3, 2);
    HeightImportOptions options;
    options.vtxAverageRadius = 1;
    options.slopeTolerance = 1;
    ASSERT_TRUE(applyHeightMap(image, points, options));
    double sum = 0;
    for (unsigned int r = 0; r < 3; ++r) // sample row 2 feeds vertex row 1
        for (unsigned int c = 0; c < 3; ++c)
            sum += value(c, r);
    EXPECT_NEAR(points[4].y, sum / 9, 1e-12);
}

TEST(Smoothing, ASlopeThatTurnsBeyondTheToleranceKeepsTheMiddleValue) {
    const SampleGrid ridge = grid({{0, 1, 0}, {0, 1, 0}, {0, 1, 0}});
    EXPECT_EQ(smoothedValue(ridge, 10), 1.0); // t = 0.0225; 1 x -1 turns
    EXPECT_NEAR(smoothedValue(ridge, 1), 3.0 / 9, 1e-7);
    const SampleGrid ramp = grid({{0, 0.1, 0.2}, {0.1, 0.2, 0.3}, {0.2, 0.3, 0.4}});
    EXPECT_NEAR(smoothedValue(ramp, 10), 1.8 / 9, 1e-7); // never turns: the mean
    // A small wobble stays under a loose tolerance: t = (1 - 2/100)(0.25/2) = 0.1225.
    const SampleGrid wobble = grid({{0, 0.3, 0}, {0.3, 0.3, 0.3}});
    EXPECT_NEAR(smoothedValue(wobble, 2), 1.2 / 6, 1e-7);
    EXPECT_EQ(smoothedValue(wobble, 50), 0.3); // t = 0.0025: the turn stops it
    // A turn down the middle column alone is caught by the vertical test.
    const SampleGrid valley = grid({{1, 1, 1}, {0, 0, 0}, {1, 1, 1}});
    EXPECT_EQ(smoothedValue(valley, 10), 0.0);
}

TEST(Smoothing, TheToleranceSitsWhereBothOfItsFactorsPutIt) {
    // p = 10: t = (1 - 10/100) x (0.25/10) = 0.0225. A peak of h turns by -h x h.
    const SampleGrid over = grid({{0, 0.155, 0}}); // 0.024025 > t: the middle value
    EXPECT_EQ(smoothedValue(over, 10), 0.155);
    const SampleGrid under = grid({{0, 0.145, 0}}); // 0.021025 < t: the mean
    EXPECT_NEAR(smoothedValue(under, 10), 0.145 / 3, 1e-7);
    // p = 40: t = 0.6 x 0.00625 = 0.00375, between 0.0625^2 and 0.0575^2.
    EXPECT_EQ(smoothedValue(grid({{0, 0.0625, 0}}), 40), 0.0625);
    EXPECT_NEAR(smoothedValue(grid({{0, 0.0575, 0}}), 40), 0.0575 / 3, 1e-7);
    // The same turns down the middle column.
    EXPECT_EQ(smoothedValue(grid({{0}, {0.155}, {0}}), 10), 0.155);
    EXPECT_NEAR(smoothedValue(grid({{0}, {0.145}, {0}}), 10), 0.145 / 3, 1e-7);
}

TEST(Smoothing, WindowsAreClippedAtTheGridsEdges) {
    const SampleGrid g = grid({{1, 2, 3}, {4, 5, 6}});
    const SampleGrid w = sampleWindow(g, 0, 0, 1);
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[0].length(), 2u);
    EXPECT_EQ(w[1][1], 5.0);
    EXPECT_EQ(sampleWindow(g, 2, 1, 2).size(), 2u);
}

TEST(ExportHeights, HeightsAreClampedAndOnlyNegativeMinimumsOffset) {
    MPointArray points = plane(4, 1);
    const double ys[] = {-1, 0, 1, 3};
    for (unsigned int k = 0; k < 4; ++k)
        points[k].y = ys[k];
    points.append(MPoint(0, 0, -1)); // a second row so the grid is 4 across
    for (unsigned int k = 1; k < 4; ++k)
        points.append(MPoint(k, 0, -1));
    KVImage out;
    out.width = 4;
    out.height = 2;
    ASSERT_TRUE(exportHeightMap(points, -1, 1, out));
    ASSERT_EQ(out.heightVals.size(), 2u);
    EXPECT_EQ(out.heightVals[0][0], 0.0);
    EXPECT_EQ(out.heightVals[0][1], 0.5);
    EXPECT_EQ(out.heightVals[0][2], 1.0);
    EXPECT_EQ(out.heightVals[0][3], 1.0);
    EXPECT_EQ(out.pixels[0][1], MColor(0.5f, 0.5f, 0.5f, 1.0f));

    points[0].y = 0.5;
    points[1].y = 0.2;
    ASSERT_TRUE(exportHeightMap(points, 0.5, 1, out));
    EXPECT_EQ(out.heightVals[0][0], 0.5);
    EXPECT_EQ(out.heightVals[0][1], 0.5);

    // Just above the maximum clamps as well as far above it.
    points[2].y = 1.25;
    ASSERT_TRUE(exportHeightMap(points, 0, 1, out));
    EXPECT_EQ(out.heightVals[0][2], 1.0);
}

TEST(ExportHeights, LargerPicturesBlendBilinearlyInQuarterSteps) {
    MPointArray points = plane(2, 2);
    points[1].y = 1.0; // top right
    points[3].y = 1.0; // bottom right
    KVImage out;
    out.width = 8;
    out.height = 8;
    ASSERT_TRUE(exportHeightMap(points, 0, 1, out));
    ASSERT_EQ(out.heightVals.size(), 8u);
    const double expected[] = {0, 0.25, 0.5, 0.75, 0, 0.25, 0.5, 0.75};
    for (unsigned int py : {0u, 5u})
        for (unsigned int px = 0; px < 8; ++px)
            EXPECT_DOUBLE_EQ(out.heightVals[py][px], expected[px]) << px << "," << py;
}

TEST(ExportHeights, SmallerPicturesTakeTheFirstVerticesOnePerPixel) {
    MPointArray points = plane(4, 4);
    for (unsigned int k = 0; k < 16; ++k)
        points[k].y = k / 16.0;
    KVImage out;
    out.width = 2;
    out.height = 3;
    ASSERT_TRUE(exportHeightMap(points, 0, 1, out));
    ASSERT_EQ(out.heightVals.size(), 3u);
    EXPECT_EQ(out.heightVals[0].length(), 2u);
    EXPECT_EQ(out.heightVals[2][1], 9 / 16.0);
}

TEST(ExportHeights, SingleRowsAndColumnsStayInsideTheGrid) {
    MPointArray row; // x 0 1 2 0: three across, one whole row
    for (double x : {0.0, 1.0, 2.0, 0.0})
        row.append(MPoint(x, x / 2, 0));
    KVImage wide;
    wide.width = 6;
    wide.height = 4;
    ASSERT_TRUE(exportHeightMap(row, 0, 1, wide));
    for (const MDoubleArray& r : wide.heightVals) {
        EXPECT_DOUBLE_EQ(r[1], 0.25); // half way from 0 to 0.5
        EXPECT_DOUBLE_EQ(r[2], 0.5);
    }

    MPointArray column; // one across
    for (double y : {0.0, 1.0})
        column.append(MPoint(0, y, -y));
    KVImage tall;
    tall.width = 4;
    tall.height = 4;
    ASSERT_TRUE(exportHeightMap(column, 0, 1, tall));
    // Two grid rows: the cursor never leaves the first cell, so the blend repeats.
    const double expected[] = {0, 0.5, 0, 0.5};
    for (unsigned int py = 0; py < 4; ++py)
        EXPECT_DOUBLE_EQ(tall.heightVals[py][3], expected[py]);
}

TEST(ExportHeights, ARangeThatCannotBeNormalisedFailsInsteadOfWritingNaN) {
    MPointArray points = plane(2, 2);
    KVImage out;
    out.width = 2;
    out.height = 2;
    EXPECT_FALSE(exportHeightMap(points, -2, -2, out)); // offset 2: divisor 0
    EXPECT_TRUE(out.heightVals.empty());
    ASSERT_EQ(out.errors.length(), 1u);
    EXPECT_STREQ(out.errors[0].asChar(),
                 "Image save error: invalid height range, max range plus offset is zero.");
    EXPECT_FALSE(exportHeightMap(MPointArray(), 0, 1, out));
}

} // namespace
