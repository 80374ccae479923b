#pragma once
// Includes run one way: shell > services > {display, heightmap, commands, nodes} > sculpt.
#include <maya/MColorArray.h>
#include <maya/MDoubleArray.h>
#include <maya/MImage.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <vector>

// The plug-in's picture in memory: one row of colours and one row of grey levels (0 to 1)
// per picture row. TIFF (16 and 32 bit) and the portable any-maps are read and written by
// this class; every other format, 8-bit TIFF included, goes through the host's MImage.
// Operations never display anything: a failure appends its message to `errors`, which the
// owner reports and clears.
class KVImage {
public:
    explicit KVImage(const MString& fileName = MString());

    // Each of these first adopts the given file name; the forms without one use fileName.
    MStatus load();
    MStatus load(const MString& file);
    MStatus readInfo();
    MStatus readInfo(const MString& file);
    MStatus save();
    MStatus save(const MString& file);

    MStatus flipVertical();
    MStatus crop(unsigned int w, unsigned int h, unsigned int x, unsigned int y);
    // Grey values of the square window of radius k around column c, row r, clipped to
    // the picture (rows and columns outside it are left out, not padded).
    std::vector<MDoubleArray> greyWindow(int c, int r, int k) const;
    // The same window of any grid of rows.
    static std::vector<MDoubleArray> window(const std::vector<MDoubleArray>& grid, int c, int r,
                                            int k);
    static double windowMax(const std::vector<MDoubleArray>& window);
    static double windowMean(const std::vector<MDoubleArray>& window);

    std::vector<MColorArray> pixels;
    std::vector<MDoubleArray> heightVals;
    MString fileName;
    MImage hostImage;
    unsigned int width = 0;
    unsigned int height = 0;
    unsigned int bitDepth = 0;
    unsigned int bytesPerSample = 0;
    unsigned int channels = 0;
    MStringArray errors;
    unsigned int sampleFormat = 1;
    unsigned int planarConfig = 1;
    bool isTiff = false;
    bool tiffByLibtiff = true;
    bool isPnm = false;
    bool isAscii = false;

private:
    std::vector<MColor> rowColours_;
    std::vector<double> rowGreys_;

    void classifyByExtension();
    MStatus fail(const MString& message);
    // A row is read into scratch space that stays warm from row to row (startRow sizes it
    // to the width) and copied into the grids by appendRow in one pass.
    void startRow();
    void appendRow();

    MStatus loadTiff();
    template <class Sample> MStatus tifLoader(void* tiff);
    template <class Sample> void appendTiffRow(const Sample* samples, float scale);
    MStatus loadPnm();
    MStatus loadHost();
    MStatus loadHostBytes();
    MStatus loadHostFloats();
    MStatus readTiffInfo();
    MStatus readPnmInfo();
    MStatus readHostInfo();
    MStatus saveTiff();
    MStatus savePnm();
};
