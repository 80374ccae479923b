#pragma once
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

#include <vector>

// A picture in memory. Pixels are packed, channel after channel (RGBA unless setRGBA(false)),
// and the first row in memory is the BOTTOM row of the picture.
class OPENMAYA_EXPORT MImage {
public:
    enum MPixelType { kUnknown = 0, kByte, kFloat };

    MImage() = default;
    virtual ~MImage() = default;
    MImage(const MImage&) = default;
    MImage& operator=(const MImage&) = default;

    // A black picture; byte pictures start with alpha 0 like every other channel.
    MStatus create(unsigned int width, unsigned int height, unsigned int channels = 4,
                   MPixelType type = kByte);
    // kByte and kFloat force the pixel type; kUnknown keeps the file's own: bytes for 8-bit
    // files, floats for 16-bit, HDR and EXR files. Every picture is read as four channels.
    MStatus readFromFile(MString pathname, MPixelType type = kByte);
    MStatus getSize(unsigned int& width, unsigned int& height) const;
    MPixelType pixelType() const { return type_; }
    // Null unless the picture holds bytes (pixels) or floats (floatPixels).
    unsigned char* pixels() const;
    float* floatPixels() const;
    // Copies width x height four-byte pixels.
    void setPixels(unsigned char* pixels, unsigned int width, unsigned int height);
    void setFloatPixels(float* pixels, unsigned int width, unsigned int height,
                        unsigned int channels = 4);
    // Bytes per pixel.
    unsigned int depth() const;
    MStatus resize(int width, int height, bool preserveAspectRatio = true);
    // outputFormat: "png", "jpg"/"jpeg", "tga", "bmp", "hdr" or "exr".
    MStatus writeToFile(MString pathname, MString outputFormat = MString("iff")) const;
    MStatus release();
    void verticalFlip();
    // Switches between RGBA and BGRA order, swapping red and blue of the pixels held.
    void setRGBA(bool rgbaFormat);
    bool isRGBA() const { return rgba_; }
    // Bytes become floats as byte / 255 * scale + offset; floats become bytes as
    // (float * scale + offset) * 255, rounded and clamped to 0..255.
    MStatus convertPixelFormat(MPixelType type, double scale = 1.0, double offset = 0.0);

private:
    void adopt(unsigned int width, unsigned int height, unsigned int channels, MPixelType type);

    unsigned int width_ = 0;
    unsigned int height_ = 0;
    unsigned int channels_ = 0;
    MPixelType type_ = kUnknown;
    bool rgba_ = true;
    // The API hands out writable pointers from const methods.
    mutable std::vector<unsigned char> bytes_;
    mutable std::vector<float> floats_;
};
