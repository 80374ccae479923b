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
    if (planarConfig != PLANARCONFIG_CONTIG || TIFFIsTiled(tiff.get())) return MS::kFailure;
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

    const tstrip_t strips = TIFFNumberOfStrips(tiff);
    const tmsize_t stripSize = TIFFStripSize(tiff);
    if (stripSize <= 0 || stripSize > kLargestStrip) return MS::kFailure;
    const float scale =
        sampleFormat == SAMPLEFORMAT_IEEEFP ? 1.0f : 1.0f / std::ldexp(1.0f, bitDepth);

    std::unique_ptr<Sample[]> buffer(new (std::nothrow)
                                         Sample[(stripSize + sizeof(Sample) - 1) / sizeof(Sample)]);
    if (!buffer) return MS::kFailure;
    // libtiff keeps its own buffer for the raw strip data: decoding into the raw buffer
    // itself would overwrite compressed data before it is read.
    if (!TIFFReadBufferSetup(tiff, nullptr, stripSize)) return MS::kFailure;

    const uint64_t samplesPerRow = uint64_t(width) * channels;
    uint64_t rowsLeft = height;
    float alpha = 0.0f;
    for (tstrip_t strip = 0; strip < strips && rowsLeft > 0; ++strip) {
        const tmsize_t bytes = TIFFReadEncodedStrip(tiff, strip, buffer.get(), -1);
        if (bytes < 0) return MS::kFailure;
        // Only rows the strip really holds are read.
        const uint64_t rowsHere =
            std::min<uint64_t>({uint64_t(rowsPerStrip ? rowsPerStrip : height), rowsLeft,
                                uint64_t(bytes) / sizeof(Sample) / samplesPerRow});
        for (uint64_t r = 0; r < rowsHere; ++r) {
            startRow();
            MColor* colours = rowColours_.data();
            double* greys = rowGreys_.data();
            const Sample* sample = buffer.get() + r * samplesPerRow;
            for (unsigned int c = 0; c < width; ++c, sample += channels) {
                const Sample red = sample[0];
                if (channels == 3 || channels == 4) {
                    const Sample green = sample[1], blue = sample[2];
                    if (channels == 4) alpha = sample[3];
                    const float grey = kRedWeight * red + kGreenWeight * green + kBlueWeight * blue;
                    greys[c] = grey * scale;
                    colours[c] = MColor(red * scale, green * scale, blue * scale,
                                        alpha > 0 ? alpha * scale : 1.0f);
                } else {
                    greys[c] = red * scale;
                    colours[c] = MColor(red * scale, red * scale, red * scale,
                                        alpha > 0 ? alpha * scale : 1.0f);
                }
            }
            appendRow();
        }
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
    if (planarConfig != PLANARCONFIG_CONTIG) return MS::kFailure;
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
    if (!tiff) return MS::kFailure;
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
