#pragma once
#include <maya/MDoubleArray.h>
#include <maya/MPointArray.h>
#include <maya/MStatus.h>

#include <vector>

class KVImage;
class MFnMesh;

// Conversions between pictures and grid meshes: planes whose vertices lie in rows along x
// and whose heights run along y. Only y changes; x and z of every vertex are kept.

// Rows of values, one row per grid or picture row.
using SampleGrid = std::vector<MDoubleArray>;

struct HeightImportOptions {
    double hScale = 1.0;
    // 0 blends neighbouring pixels, 1 takes the window maximum, 2 the window mean; any
    // other mode gives height 0.
    int interpMode = 0;
    // Below 1, samples are used as they are; otherwise each is smoothed over this radius.
    int vtxAverageRadius = 0;
    // Below 2, smoothing is the plain mean; above, slope changes stop it (smoothedValue).
    int slopeTolerance = 0;
};

// Vertices per grid row: the first point after point 0 with (nearly) the same x, else the
// integer square root of the count.
unsigned int gridRowLength(const MPointArray& points);

// Samples a loaded picture on the vertex grid of `points` and sets their heights. The
// picture is flipped so that its first stored row meets the first vertex row. Fails,
// with a message in image.errors, when there is nothing to sample.
MStatus applyHeightMap(KVImage& image, MPointArray& points, const HeightImportOptions& options);
// applyHeightMap, then the points written back to the mesh in object space.
MStatus importHeightMap(KVImage& image, MFnMesh& mesh, MPointArray& meshVerts,
                        const HeightImportOptions& options);

// Fills the grids of `out` (its width and height already set) with the vertex heights
// clamped to [hRangeMin, hRangeMax] and normalised, resampled to the picture's size.
// Fails, with a message in out.errors, for an empty mesh or a range that cannot be
// normalised.
MStatus exportHeightMap(const MPointArray& meshVerts, double hRangeMin, double hRangeMax,
                        KVImage& out);

// The square window of radius k around column c, row r, clipped to the grid.
SampleGrid sampleWindow(const SampleGrid& grid, int c, int r, int k);
// The window's mean, or its middle value when its slope turns by more than the tolerance.
double smoothedValue(const SampleGrid& window, int slopeTolerance);
