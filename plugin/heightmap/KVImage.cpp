#include "heightmap/KVImage.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {
const float kRedWeight = 0.30f;
const float kGreenWeight = 0.59f;
const float kBlueWeight = 0.11f;

MString lowerExtension(const MString& name) {
    const int n = static_cast<int>(name.length());
    return n < 4 ? MString() : name.substring(n - 4, n - 1).toLowerCase();
}
} // namespace

KVImage::KVImage(const MString& file) : fileName(file) {}

void KVImage::classifyByExtension() {
    const MString ext = lowerExtension(fileName);
    isTiff = tiffByLibtiff = (ext == ".tif");
    // ".pnm" is the any-map name netpbm itself gives; the host would misread 16-bit ones.
    isPnm = (ext == ".ppm" || ext == ".pbm" || ext == ".pgm" || ext == ".pnm");
}

MStatus KVImage::fail(const MString& message) {
    if (message.length() > 0) errors.append(message);
    return MS::kFailure;
}

void KVImage::startRow() {
    rowColours_.resize(width);
    rowGreys_.resize(width);
}

void KVImage::appendRow() {
    pixels.emplace_back(rowColours_.data(), width);
    heightVals.emplace_back(rowGreys_.data(), width);
}

MStatus KVImage::load(const MString& file) {
    fileName = file;
    return load();
}

MStatus KVImage::load() {
    if (fileName.length() == 0) return MS::kFailure;
    classifyByExtension();
    if (isTiff) {
        MStatus status = loadTiff();
        if (tiffByLibtiff) return status;
    } else if (isPnm) {
        return loadPnm();
    }
    return loadHost();
}

MStatus KVImage::readInfo(const MString& file) {
    fileName = file;
    return readInfo();
}

MStatus KVImage::readInfo() {
    if (fileName.length() == 0) return MS::kFailure;
    classifyByExtension();
    if (isTiff) return readTiffInfo();
    if (isPnm) return readPnmInfo();
    return readHostInfo();
}

MStatus KVImage::save(const MString& file) {
    fileName = file;
    return save();
}

MStatus KVImage::save() {
    if (fileName.length() == 0) return fail("Save file error: no filename.");
    classifyByExtension();
    if (isTiff && bitDepth == 16) return saveTiff();
    if (isPnm) return savePnm();
    return fail("Problem saving image file: 8-bit mode not supported yet...");
}

MStatus KVImage::flipVertical() {
    if (heightVals.empty()) return fail("Error: flipVertical called with no image in memory.");
    std::reverse(pixels.begin(), pixels.end());
    std::reverse(heightVals.begin(), heightVals.end());
    return MS::kSuccess;
}

MStatus KVImage::crop(unsigned int w, unsigned int h, unsigned int x, unsigned int y) {
    if (heightVals.empty()) return MS::kFailure;
    // The grids, not the header fields, say what can be read.
    const unsigned int rows = static_cast<unsigned int>(heightVals.size());
    const unsigned int columns = heightVals[0].length();
    if (x >= columns || y >= rows) return fail("Crop error: corner outside the image.");
    w = std::min(w, columns - x);
    h = std::min(h, rows - y);
    if (w == 0 || h == 0) return fail("Crop error: empty crop rectangle.");
    std::vector<MColorArray> newPixels(h);
    std::vector<MDoubleArray> newGreys(h);
    for (unsigned int r = 0; r < h; ++r) {
        newPixels[r].setLength(w);
        newGreys[r].setLength(w);
        for (unsigned int c = 0; c < w; ++c) {
            newPixels[r][c] = pixels[y + r][x + c];
            newGreys[r][c] = heightVals[y + r][x + c];
        }
    }
    pixels = std::move(newPixels);
    heightVals = std::move(newGreys);
    height = h;
    width = w;
    return MS::kSuccess;
}

std::vector<MDoubleArray> KVImage::greyWindow(int c, int r, int k) const {
    return window(heightVals, c, r, k);
}

std::vector<MDoubleArray> KVImage::window(const std::vector<MDoubleArray>& grid, int c, int r,
                                          int k) {
    std::vector<MDoubleArray> clipped;
    // Bounds in 64 bits: a radius near the int range must clip, not wrap.
    const long long rows = static_cast<long long>(grid.size());
    const long long radius = k;
    for (long long i = std::max(r - radius, 0LL); i <= r + radius && i < rows; ++i) {
        const MDoubleArray& row = grid[static_cast<size_t>(i)];
        const long long columns = static_cast<long long>(row.length());
        MDoubleArray out;
        for (long long j = std::max(c - radius, 0LL); j <= c + radius && j < columns; ++j)
            out.append(row[static_cast<unsigned int>(j)]);
        clipped.push_back(std::move(out));
    }
    return clipped;
}

double KVImage::windowMax(const std::vector<MDoubleArray>& window) {
    double best = 0.0;
    for (const MDoubleArray& row : window)
        for (unsigned int j = 0; j < row.length(); ++j)
            best = std::max(best, row[j]);
    return best;
}

double KVImage::windowMean(const std::vector<MDoubleArray>& window) {
    double sum = 0.0;
    unsigned int count = 0;
    for (const MDoubleArray& row : window) {
        for (unsigned int j = 0; j < row.length(); ++j)
            sum += row[j];
        count += row.length();
    }
    return sum / static_cast<float>(count);
}

// ---- pictures the host reads ----

MStatus KVImage::loadHost() {
    if (!hostImage.readFromFile(fileName, MImage::kUnknown))
        return fail("Problems reading maya image format, unsupported bit depth.");
    if (hostImage.pixelType() == MImage::kUnknown &&
        !hostImage.convertPixelFormat(MImage::kByte, 1.0, 0.0) &&
        !hostImage.convertPixelFormat(MImage::kFloat, 1.0, 0.0))
        return MS::kFailure;
    MStatus status;
    if (hostImage.pixelType() == MImage::kByte)
        status = loadHostBytes();
    else if (hostImage.pixelType() == MImage::kFloat)
        status = loadHostFloats();
    else
        return fail("Problems loading image: Unsupported Image format.");
    if (status) hostImage.release();
    return status;
}

MStatus KVImage::loadHostBytes() {
    channels = hostImage.depth();
    if (channels == 0 || channels > 4)
        return fail("MayaImage error: Num of channels out of range or not set.");
    bytesPerSample = hostImage.depth() / channels;
    hostImage.getSize(width, height);
    hostImage.setRGBA(true);
    const unsigned char* data = hostImage.pixels();
    pixels.clear();
    heightVals.clear();
    for (unsigned int r = 0; r < height; ++r) {
        startRow();
        MColor* colours = rowColours_.data();
        double* greys = rowGreys_.data();
        for (unsigned int c = 0; c < width; ++c, data += channels) {
            const unsigned char red = data[0];
            if (channels < 3) {
                greys[c] = red / 255.0;
                colours[c] = MColor(red / 255.0f, red / 255.0f, red / 255.0f, 1.0f);
                continue;
            }
            const unsigned char green = data[1], blue = data[2];
            const float alpha = channels == 4 ? data[3] / 255.0f : 1.0f;
            // Rounded, not truncated: the single-precision weights sum to just under 1, so
            // truncation would put a grey pixel (R = G = B) one level low.
            const auto grey = static_cast<unsigned char>(std::min(
                255L, std::lround(kRedWeight * red + kGreenWeight * green + kBlueWeight * blue)));
            greys[c] = grey / 255.0;
            colours[c] = MColor(red / 255.0f, green / 255.0f, blue / 255.0f, alpha);
        }
        appendRow();
    }
    return MS::kSuccess;
}

MStatus KVImage::loadHostFloats() {
    // Stride and size come from the host picture itself: four bytes per float sample.
    channels = hostImage.depth() / sizeof(float);
    if (channels == 0 || channels > 4)
        return fail("MayaImage error: Num of channels out of range or not set.");
    bytesPerSample = sizeof(float);
    hostImage.getSize(width, height);
    const float* data = hostImage.floatPixels();
    pixels.clear();
    heightVals.clear();
    for (unsigned int r = 0; r < height; ++r) {
        startRow();
        MColor* colours = rowColours_.data();
        double* greys = rowGreys_.data();
        for (unsigned int c = 0; c < width; ++c, data += channels) {
            const float red = data[0];
            if (channels < 3) {
                greys[c] = red;
                colours[c] = MColor(red, red, red, 1.0f);
                continue;
            }
            const float green = data[1], blue = data[2];
            greys[c] = kRedWeight * red + kGreenWeight * green + kBlueWeight * blue;
            colours[c] = MColor(red, green, blue, channels == 4 ? data[3] : 1.0f);
        }
        appendRow();
    }
    return MS::kSuccess;
}

MStatus KVImage::readHostInfo() {
    MStatus status = hostImage.readFromFile(fileName, MImage::kByte);
    if (!status) return status;
    channels = hostImage.depth();
    bytesPerSample = channels ? hostImage.depth() / channels : 0;
    bitDepth = 8 * bytesPerSample;
    hostImage.getSize(width, height);
    return MS::kSuccess;
}
