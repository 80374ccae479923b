// KVImage: TIFF pictures through libtiff.
#include "heightmap/KVImage.h"

#include <tiffio.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace {
const float kRedWeight = 0.30f;
const float kGreenWeight = 0.59f;
const float kBlueWeight = 0.11f;
// A strip larger than this is taken for a damaged header rather than allocated.
const tmsize_t kLargestStrip = tmsize_t(1) << 30;

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

// The header fields that decide whether and how the samples can be decoded. Absent tags
// take their TIFF defaults.
struct SampleLayout {
    uint16_t bitsPerSample = 1;
    uint16_t sampleFormat = SAMPLEFORMAT_UINT;
    uint16_t planarConfig = PLANARCONFIG_CONTIG;
};

SampleLayout readLayout(TIFF* tiff) {
    SampleLayout layout;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &layout.bitsPerSample);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &layout.sampleFormat);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &layout.planarConfig);
    return layout;
}
} // namespace

MStatus KVImage::loadTiff() {
    TiffHandle tiff(TIFFOpen(fileName.asChar(), "r"));
    if (!tiff) return fail("Problem opening Tiff file: " + fileName);
    const SampleLayout layout = readLayout(tiff.get());
    bitDepth = layout.bitsPerSample;
    sampleFormat = layout.sampleFormat;
    planarConfig = layout.planarConfig;
    bytesPerSample = bitDepth / 8;

    MStatus status;
    switch (bitDepth) {
    case 8:
        // The host reads 8-bit pictures.
        tiffByLibtiff = false;
        return MS::kFailure;
    case 16:
        status = tifLoader<uint16_t>(tiff.get());
        break;
    case 32:
        if (sampleFormat == SAMPLEFORMAT_IEEEFP)
            status = tifLoader<float>(tiff.get());
        else if (sampleFormat == SAMPLEFORMAT_INT)
            status = tifLoader<int32_t>(tiff.get());
        else
            status = tifLoader<uint32_t>(tiff.get());
        break;
    default:
        return fail("Problem reading Tiff file: unsupported bit depth.");
    }
    tiff.reset();
    flipVertical();
    return status;
}

namespace {
// Tiled files and files with one plane per channel (GIS tools write both): every tile or
// strip of every plane is placed into one picture of interleaved samples, top row first.
template <class Sample>
bool readScattered(TIFF* tiff, uint32_t width, uint32_t height, uint16_t channels,
                   std::vector<Sample>& out) {
    const bool separate = readLayout(tiff).planarConfig == PLANARCONFIG_SEPARATE;
    const uint16_t planes = separate ? channels : 1;
    const uint32_t perPixel = separate ? 1 : channels; // samples per pixel in one block
    if (uint64_t(width) * height * channels * sizeof(Sample) > uint64_t(kLargestStrip))
        return false;
    out.assign(size_t(width) * height * channels, Sample());
    uint32_t blockWidth = width, blockHeight = 0;
    const bool tiled = TIFFIsTiled(tiff);
    if (tiled) {
        TIFFGetField(tiff, TIFFTAG_TILEWIDTH, &blockWidth);
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &blockHeight);
    } else {
        TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &blockHeight);
        blockHeight = std::min(blockHeight, height);
    }
    const tmsize_t blockBytes = tiled ? TIFFTileSize(tiff) : TIFFStripSize(tiff);
    if (blockWidth == 0 || blockHeight == 0 || blockBytes <= 0 || blockBytes > kLargestStrip ||
        uint64_t(blockWidth) * blockHeight * perPixel * sizeof(Sample) > uint64_t(blockBytes))
        return false;
    std::vector<Sample> block((size_t(blockBytes) + sizeof(Sample) - 1) / sizeof(Sample));
    for (uint16_t plane = 0; plane < planes; ++plane) {
        for (uint32_t y0 = 0; y0 < height; y0 += blockHeight) {
            for (uint32_t x0 = 0; x0 < width; x0 += blockWidth) {
                const tmsize_t read =
                    tiled ? TIFFReadTile(tiff, block.data(), x0, y0, 0, plane)
                          : TIFFReadEncodedStrip(tiff, TIFFComputeStrip(tiff, y0, plane),
                                                 block.data(), -1);
                if (read < 0) return false;
                const uint32_t rows = std::min(blockHeight, height - y0);
                const uint32_t columns = std::min(blockWidth, width - x0);
                for (uint32_t y = 0; y < rows; ++y)
                    for (uint32_t x = 0; x < columns; ++x)
                        for (uint32_t k = 0; k < perPixel; ++k)
                            out[(size_t(y0 + y) * width + x0 + x) * channels + plane + k] =
                                block[(size_t(y) * blockWidth + x) * perPixel + k];
            }
        }
    }
    return true;
}
} // namespace

template <class Sample> void KVImage::appendTiffRow(const Sample* sample, float scale) {
    startRow();
    MColor* colours = rowColours_.data();
    double* greys = rowGreys_.data();
    float alpha = 0.0f;
    for (unsigned int c = 0; c < width; ++c, sample += channels) {
        const Sample red = sample[0];
        if (channels == 3 || channels == 4) {
            const Sample green = sample[1], blue = sample[2];
            if (channels == 4) alpha = sample[3];
            const float grey = kRedWeight * red + kGreenWeight * green + kBlueWeight * blue;
            greys[c] = grey * scale;
            colours[c] =
                MColor(red * scale, green * scale, blue * scale, alpha > 0 ? alpha * scale : 1.0f);
        } else {
            greys[c] = red * scale;
            colours[c] =
                MColor(red * scale, red * scale, red * scale, alpha > 0 ? alpha * scale : 1.0f);
        }
    }
    appendRow();
}

template <class Sample> MStatus KVImage::tifLoader(void* handle) {
    TIFF* tiff = static_cast<TIFF*>(handle);
    pixels.clear();
    heightVals.clear();
    uint32_t w = 0, h = 0, rowsPerStrip = 0;
    uint16_t samplesPerPixel = 1, bits = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &h);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samplesPerPixel);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    width = w;
    height = h;
    channels = samplesPerPixel;
    bitDepth = bits;
    bytesPerSample = bitDepth / 8;
    if (width == 0 || height == 0 || channels == 0) return MS::kFailure;

    const float scale =
        sampleFormat == SAMPLEFORMAT_IEEEFP ? 1.0f : 1.0f / std::ldexp(1.0f, bitDepth);
    const uint64_t samplesPerRow = uint64_t(width) * channels;
    if (TIFFIsTiled(tiff) || planarConfig == PLANARCONFIG_SEPARATE) {
        std::vector<Sample> picture;
        if (!readScattered(tiff, w, h, samplesPerPixel, picture)) return MS::kFailure;
        for (uint32_t r = 0; r < h; ++r)
            appendTiffRow(picture.data() + r * samplesPerRow, scale);
        return MS::kSuccess;
    }

    const tstrip_t strips = TIFFNumberOfStrips(tiff);
    const tmsize_t stripSize = TIFFStripSize(tiff);
    if (stripSize <= 0 || stripSize > kLargestStrip) return MS::kFailure;

    std::unique_ptr<Sample[]> buffer(new (std::nothrow)
                                         Sample[(stripSize + sizeof(Sample) - 1) / sizeof(Sample)]);
    if (!buffer) return MS::kFailure;
    // libtiff keeps its own buffer for the raw strip data and sizes it as each strip needs.
    // (Setting one up here asserts, aborting the host, for codecs that never read raw data.)

    uint64_t rowsLeft = height;
    for (tstrip_t strip = 0; strip < strips && rowsLeft > 0; ++strip) {
        const tmsize_t bytes = TIFFReadEncodedStrip(tiff, strip, buffer.get(), -1);
        if (bytes < 0) return MS::kFailure;
        // Only rows the strip really holds are read.
        const uint64_t rowsHere =
            std::min<uint64_t>({uint64_t(rowsPerStrip ? rowsPerStrip : height), rowsLeft,
                                uint64_t(bytes) / sizeof(Sample) / samplesPerRow});
        for (uint64_t r = 0; r < rowsHere; ++r)
            appendTiffRow(buffer.get() + r * samplesPerRow, scale);
        rowsLeft -= rowsHere;
        if (rowsHere == 0) return MS::kFailure;
    }
    return rowsLeft == 0 ? MStatus(MS::kSuccess) : MStatus(MS::kFailure);
}

MStatus KVImage::readTiffInfo() {
    TiffHandle tiff(TIFFOpen(fileName.asChar(), "r"));
    if (!tiff) return MS::kFailure;
    const SampleLayout layout = readLayout(tiff.get());
    bitDepth = layout.bitsPerSample;
    sampleFormat = layout.sampleFormat;
    planarConfig = layout.planarConfig;
    uint32_t w = 0, h = 0;
    uint16_t samplesPerPixel = 1;
    TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &h);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, &samplesPerPixel);
    width = w;
    height = h;
    channels = samplesPerPixel;
    bytesPerSample = bitDepth / 8;
    return MS::kSuccess;
}

namespace {
uint16_t toSixteenBits(double grey) {
    if (!(grey * 65535.0 + 0.5 >= 0.0)) return 0; // negative or not a number
    const double q = std::floor(grey * 65535.0 + 0.5);
    return q >= 65536.0 ? 65535 : static_cast<uint16_t>(q);
}
} // namespace

MStatus KVImage::saveTiff() {
    TiffHandle tiff(TIFFOpen(fileName.asChar(), "w"));
    if (!tiff) return fail("Problem saving tiff file: cannot open " + fileName);
    TIFF* t = tiff.get();
    TIFFSetField(t, TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_UINT);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 16);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, height);
    TIFFSetField(t, TIFFTAG_XRESOLUTION, 72.0);
    TIFFSetField(t, TIFFTAG_YRESOLUTION, 72.0);
    TIFFSetField(t, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(t, TIFFTAG_FILLORDER, FILLORDER_MSB2LSB);
    TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);

    // Rows beyond the grids, or short rows, are written as zero rather than read past
    // the end of the grids.
    std::vector<uint16_t> samples(size_t(width) * height, 0);
    const size_t rows = std::min<size_t>(height, heightVals.size());
    for (size_t r = 0; r < rows; ++r) {
        const MDoubleArray& row = heightVals[r];
        const size_t columns = std::min<size_t>(width, row.length());
        for (size_t c = 0; c < columns; ++c)
            samples[r * width + c] = toSixteenBits(row[c]);
    }
    const tmsize_t bytes = tmsize_t(samples.size() * sizeof(uint16_t));
    if (TIFFWriteEncodedStrip(t, 0, samples.data(), bytes) == -1)
        return fail("Problem saving tiff file.");
    TIFFWriteDirectory(t);
    return MS::kSuccess;
}
