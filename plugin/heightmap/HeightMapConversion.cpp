#include "heightmap/HeightMapConversion.h"

#include "heightmap/KVImage.h"

#include <maya/MColor.h>
#include <maya/MColorArray.h>
#include <maya/MFnMesh.h>

#include <algorithm>
#include <cmath>

namespace {

// Points whose x differs by less than this share a grid column.
const double kSameColumn = 0.001;

// The window's middle row, at the middle of the row being walked.
double middleValue(const SampleGrid& window, const MDoubleArray& currentRow) {
    const MDoubleArray& middle = window[window.size() / 2];
    if (middle.length() == 0) return 0.0;
    return middle[std::min(currentRow.length() / 2, middle.length() - 1)];
}

double meanOf(double sum, unsigned int count) {
    return sum / static_cast<float>(count);
}

// One sample of the picture at (x, y), in picture pixels.
double sampleAt(const KVImage& image, double x, double y, int windowRadius, int interpMode) {
    const SampleGrid& grey = image.heightVals;
    const int xi = static_cast<int>(std::floor(x));
    const int yi = static_cast<int>(std::floor(y));
    const MDoubleArray& row = grey[yi];
    switch (interpMode) {
    case 0: {
        if (static_cast<unsigned int>(xi + 1) >= row.length()) return row[xi];
        const double fx = x - xi, fy = y - yi;
        const double h = row[xi + 1] * fx + row[xi] * (1 - fx);
        const size_t below = static_cast<size_t>(yi) + 1;
        // Rows may differ in length: a shorter next row is not blended.
        if (below >= grey.size() || static_cast<unsigned int>(xi) >= grey[below].length()) return h;
        return (h + grey[below][xi] * fy + row[xi] * (1 - fy)) / 2;
    }
    case 1:
        return KVImage::windowMax(image.greyWindow(xi, yi, windowRadius));
    case 2:
        return KVImage::windowMean(image.greyWindow(xi, yi, windowRadius));
    default:
        return 0.0;
    }
}

// The picture sampled every `step` pixels across and down, each row with its own length.
// Rows after the one that gives the last vertex its sample are only taken as far as a
// smoothing window reaches, so a small picture on a large plane stays cheap.
SampleGrid sampleHeights(const KVImage& image, double step, const HeightImportOptions& options,
                         size_t needed) {
    SampleGrid samples;
    const int windowRadius = static_cast<int>(step / 2);
    const int rowsBeyond = std::max(options.vtxAverageRadius, 0);
    const double rows = static_cast<double>(image.heightVals.size());
    size_t collected = 0;
    int extraRows = 0;
    for (unsigned int i = 0; i * step + 0.5 < rows; ++i) {
        if (collected >= needed && extraRows++ >= rowsBeyond) break;
        const double y = i * step;
        const double columns = image.heightVals[static_cast<size_t>(y)].length();
        MDoubleArray row;
        for (unsigned int j = 0; j * step + 0.5 < columns; ++j)
            row.append(sampleAt(image, j * step, y, windowRadius, options.interpMode));
        collected += row.length();
        samples.push_back(std::move(row));
    }
    return samples;
}

// The signed difference a slope test compares: forward at the first entry, backward after.
double stepAt(const MDoubleArray& values, unsigned int j) {
    if (j > 0) return values[j] - values[j - 1];
    return values.length() > 1 ? values[1] - values[0] : 0.0;
}

// The vertical differences are taken in the window's middle column.
double verticalStepAt(const SampleGrid& window, size_t i) {
    const size_t from = i > 0 ? i - 1 : 0, to = i > 0 ? i : 1;
    if (to >= window.size()) return 0.0;
    const unsigned int column = window[to].length() / 2;
    if (column >= window[from].length()) return 0.0;
    return window[to][column] - window[from][column];
}

bool slopeTurns(double previous, double current, double tolerance) {
    return previous * current < -tolerance;
}

} // namespace

unsigned int gridRowLength(const MPointArray& points) {
    const unsigned int n = points.length();
    const auto fallback = static_cast<unsigned int>(std::sqrt(static_cast<double>(n)));
    for (unsigned int k = 1; k < n; ++k)
        if (std::fabs(points[k].x - points[0].x) < kSameColumn) return k;
    return fallback;
}

namespace {
// True when a window of radius k around any sample holds the whole grid.
bool reachesAcross(const SampleGrid& grid, int k) {
    if (static_cast<size_t>(k) < grid.size()) return false;
    for (const MDoubleArray& row : grid)
        if (static_cast<unsigned int>(k) < row.length()) return false;
    return true;
}
} // namespace

MStatus applyHeightMap(KVImage& image, MPointArray& points, const HeightImportOptions& options) {
    image.flipVertical();
    const unsigned int rowLength = gridRowLength(points);
    const double step = rowLength ? static_cast<double>(image.width) / rowLength : 0.0;
    if (image.heightVals.empty() || !(step > 0.0)) {
        image.errors.append("HeightMapImport: Error, no image or mesh grid to sample.");
        return MS::kFailure;
    }
    const SampleGrid samples = sampleHeights(image, step, options, points.length());
    // A radius that reaches across the whole grid gives every vertex the same window, the
    // grid itself: its value is worked out once rather than once per vertex.
    const bool wholeGrid =
        options.vtxAverageRadius >= 1 && reachesAcross(samples, options.vtxAverageRadius);
    const double wholeGridValue = wholeGrid ? smoothedValue(samples, options.slopeTolerance) : 0.0;
    unsigned int vertex = 0;
    for (size_t r = 0; r < samples.size() && vertex < points.length(); ++r) {
        for (unsigned int c = 0; c < samples[r].length() && vertex < points.length(); ++c) {
            double value = samples[r][c];
            if (wholeGrid)
                value = wholeGridValue;
            else if (options.vtxAverageRadius >= 1)
                value = smoothedValue(sampleWindow(samples, static_cast<int>(c),
                                                   static_cast<int>(r), options.vtxAverageRadius),
                                      options.slopeTolerance);
            MPoint& point = points[vertex++];
            point = MPoint(point.x, value * options.hScale, point.z, 1.0);
        }
    }
    return MS::kSuccess;
}

MStatus importHeightMap(KVImage& image, MFnMesh& mesh, MPointArray& meshVerts,
                        const HeightImportOptions& options) {
    const MStatus status = applyHeightMap(image, meshVerts, options);
    if (!status) return status;
    return mesh.setPoints(meshVerts, MSpace::kObject);
}

SampleGrid sampleWindow(const SampleGrid& grid, int c, int r, int k) {
    return KVImage::window(grid, c, r, k);
}

double smoothedValue(const SampleGrid& window, int slopeTolerance) {
    double sum = 0.0;
    unsigned int count = 0;
    if (slopeTolerance < 2) {
        for (const MDoubleArray& row : window) {
            for (unsigned int j = 0; j < row.length(); ++j)
                sum += row[j];
            count += row.length();
        }
        return meanOf(sum, count);
    }
    const double p = slopeTolerance;
    const double tolerance = (1 - p / 100) * (0.25 / p);
    double previousDown = 0.0;
    for (size_t i = 0; i < window.size(); ++i) {
        const MDoubleArray& row = window[i];
        double previousAcross = 0.0;
        for (unsigned int j = 0; j < row.length(); ++j) {
            const double across = stepAt(row, j);
            if (j > 0 && slopeTurns(previousAcross, across, tolerance))
                return middleValue(window, row);
            previousAcross = across;
            sum += row[j];
            ++count;
        }
        const double down = verticalStepAt(window, i);
        if (i > 0 && slopeTurns(previousDown, down, tolerance)) return middleValue(window, row);
        previousDown = down;
    }
    return meanOf(sum, count);
}

namespace {

// The vertex heights in grid rows, clamped and normalised to 0..1.
SampleGrid normalisedHeights(const MPointArray& points, unsigned int rowLength, unsigned int rows,
                             double low, double high, double offset) {
    SampleGrid heights(rows);
    for (unsigned int r = 0; r < rows; ++r) {
        MDoubleArray& row = heights[r];
        row.setLength(rowLength);
        for (unsigned int c = 0; c < rowLength; ++c) {
            double y = points[r * rowLength + c].y;
            if (y < low) y = low;
            if (y > high) y = high;
            row[c] = (y + offset) / (high + offset);
        }
    }
    return heights;
}

// Bilinear blend of the cell at (gr, gc); a grid of one row or one column blends with
// itself rather than reading past its edge.
double blendCell(const SampleGrid& h, unsigned int gr, unsigned int gc, double fx, double fy) {
    const unsigned int gr1 =
        std::min<unsigned int>(gr + 1, static_cast<unsigned int>(h.size()) - 1);
    const unsigned int gc1 = std::min(gc + 1, h[gr].length() - 1);
    return h[gr][gc] * (1 - fx) * (1 - fy) + h[gr][gc1] * fx * (1 - fy) +
           h[gr1][gc] * (1 - fx) * fy + h[gr1][gc1] * fx * fy;
}

// Moves a fractional grid position on by `increment`, wrapping into the next cell.
void advance(double& fraction, unsigned int& cell, double increment, unsigned int cells) {
    if (fraction >= 1 - increment) {
        fraction = 0;
        if (cell + 1 < cells - 1) ++cell;
    } else {
        fraction += increment;
    }
}

MStatus exportFailure(KVImage& out, const char* message) {
    out.errors.append(message);
    return MS::kFailure;
}

} // namespace

MStatus exportHeightMap(const MPointArray& meshVerts, double hRangeMin, double hRangeMax,
                        KVImage& out) {
    const unsigned int rowLength = gridRowLength(meshVerts);
    if (rowLength == 0) return exportFailure(out, "Image save error: mesh has no vertices.");
    const double offset = hRangeMin < 0 ? -hRangeMin : 0.0;
    if (!std::isfinite(1.0 / (hRangeMax + offset)))
        return exportFailure(out, "Image save error: invalid height range, max range plus "
                                  "offset is zero.");
    const unsigned int rows = meshVerts.length() / rowLength;
    const SampleGrid h =
        normalisedHeights(meshVerts, rowLength, rows, hRangeMin, hRangeMax, offset);
    const double sx = static_cast<double>(out.width) / rowLength;
    const double sy = static_cast<double>(out.height) / rows;
    const double ix = 1 / sx, iy = 1 / sy;

    out.pixels.clear();
    out.heightVals.clear();
    unsigned int gr = 0;
    double fy = 0;
    for (unsigned int py = 0; py < out.height; ++py) {
        unsigned int gc = 0;
        double fx = 0;
        MColorArray colours(out.width);
        MDoubleArray greys(out.width);
        for (unsigned int px = 0; px < out.width; ++px) {
            double v = 0.0;
            if (sx <= 1)
                v = (py < rows && px < h[py].length()) ? h[py][px] : 0.0;
            else
                v = blendCell(h, gr, gc, fx, fy);
            greys[px] = v;
            colours[px] =
                MColor(static_cast<float>(v), static_cast<float>(v), static_cast<float>(v), 1.0f);
            advance(fx, gc, ix, h[gr].length());
        }
        out.pixels.push_back(std::move(colours));
        out.heightVals.push_back(std::move(greys));
        advance(fy, gr, iy, rows);
    }
    return MS::kSuccess;
}
