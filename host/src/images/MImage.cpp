#include <maya/MImage.h>

#include "images/PictureFile.h"

#include <stb/stb_image_resize.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

template <class T> void flipRows(std::vector<T>& samples, unsigned int height) {
    if (height == 0) return;
    const std::size_t row = samples.size() / height;
    for (unsigned int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(samples.begin() + top * row, samples.begin() + (top + 1) * row,
                         samples.begin() + bottom * row);
}

template <class T> void swapRedBlue(std::vector<T>& samples, unsigned int channels) {
    if (channels < 3) return;
    for (std::size_t i = 0; i + 2 < samples.size(); i += channels)
        std::swap(samples[i], samples[i + 2]);
}

unsigned char toByte(double value) {
    return static_cast<unsigned char>(std::clamp(std::lround(value * 255.0), 0L, 255L));
}

std::string lowerCase(const MString& text) {
    return text.toLowerCase().str();
}

} // namespace

void MImage::adopt(unsigned int width, unsigned int height, unsigned int channels,
                   MPixelType type) {
    width_ = width;
    height_ = height;
    channels_ = channels;
    type_ = type;
}

MStatus MImage::create(unsigned int width, unsigned int height, unsigned int channels,
                       MPixelType type) {
    if (width == 0 || height == 0 || channels == 0 || channels > 4 || type == kUnknown)
        return MS::kInvalidParameter;
    release();
    adopt(width, height, channels, type);
    const std::size_t count = static_cast<std::size_t>(width) * height * channels;
    if (type == kByte)
        bytes_.assign(count, 0);
    else
        floats_.assign(count, 0.0f);
    return MS::kSuccess;
}

MStatus MImage::readFromFile(MString pathname, MPixelType type) {
    release();
    rvhost::PictureFile file;
    if (!file.read(pathname.str())) return MS::kFailure;
    adopt(file.width, file.height, 4, file.isFloat ? kFloat : kByte);
    bytes_ = std::move(file.bytes);
    floats_ = std::move(file.floats);
    verticalFlip();
    return convertPixelFormat(type == kUnknown ? type_ : type);
}

MStatus MImage::getSize(unsigned int& width, unsigned int& height) const {
    width = width_;
    height = height_;
    return MS::kSuccess;
}

unsigned char* MImage::pixels() const {
    return type_ == kByte ? bytes_.data() : nullptr;
}

float* MImage::floatPixels() const {
    return type_ == kFloat ? floats_.data() : nullptr;
}

void MImage::setPixels(unsigned char* pixels, unsigned int width, unsigned int height) {
    if (!pixels || width == 0 || height == 0) return;
    std::vector<unsigned char> copy(pixels, pixels + static_cast<std::size_t>(width) * height * 4);
    release();
    adopt(width, height, 4, kByte);
    bytes_ = std::move(copy);
}

void MImage::setFloatPixels(float* pixels, unsigned int width, unsigned int height,
                            unsigned int channels) {
    if (!pixels || width == 0 || height == 0 || channels == 0 || channels > 4) return;
    std::vector<float> copy(pixels, pixels + static_cast<std::size_t>(width) * height * channels);
    release();
    adopt(width, height, channels, kFloat);
    floats_ = std::move(copy);
}

unsigned int MImage::depth() const {
    return channels_ * (type_ == kFloat ? sizeof(float) : type_ == kByte ? 1 : 0);
}

MStatus MImage::resize(int width, int height, bool preserveAspectRatio) {
    if (width <= 0 || height <= 0) return MS::kInvalidParameter;
    if (type_ == kUnknown) return MS::kFailure;
    if (preserveAspectRatio) {
        // The largest size of the same shape that fits in width x height.
        const double scale = std::min(double(width) / width_, double(height) / height_);
        width = std::max(1, int(std::lround(width_ * scale)));
        height = std::max(1, int(std::lround(height_ * scale)));
    }
    const std::size_t count = static_cast<std::size_t>(width) * height * channels_;
    const int c = static_cast<int>(channels_);
    bool ok;
    if (type_ == kByte) {
        std::vector<unsigned char> out(count);
        ok = stbir_resize_uint8(bytes_.data(), width_, height_, 0, out.data(), width, height, 0, c);
        bytes_ = std::move(out);
    } else {
        std::vector<float> out(count);
        ok =
            stbir_resize_float(floats_.data(), width_, height_, 0, out.data(), width, height, 0, c);
        floats_ = std::move(out);
    }
    if (!ok) return MS::kFailure;
    width_ = static_cast<unsigned int>(width);
    height_ = static_cast<unsigned int>(height);
    return MS::kSuccess;
}

MStatus MImage::writeToFile(MString pathname, MString outputFormat) const {
    if (type_ == kUnknown) return MS::kFailure;
    const std::string format = lowerCase(outputFormat);
    // Files hold rows top first in RGBA order, in the sample type the format takes.
    MImage out(*this);
    const bool floats = rvhost::PictureFile::wantsFloats(format);
    if (!out.convertPixelFormat(floats ? kFloat : kByte)) return MS::kFailure;
    out.verticalFlip();
    out.setRGBA(true);
    const void* samples = floats ? static_cast<const void*>(out.floats_.data())
                                 : static_cast<const void*>(out.bytes_.data());
    return rvhost::PictureFile::write(pathname.str(), format, width_, height_, channels_, samples)
               ? MS::kSuccess
               : MS::kFailure;
}

MStatus MImage::release() {
    bytes_.clear();
    bytes_.shrink_to_fit();
    floats_.clear();
    floats_.shrink_to_fit();
    adopt(0, 0, 0, kUnknown);
    return MS::kSuccess;
}

void MImage::verticalFlip() {
    flipRows(bytes_, height_);
    flipRows(floats_, height_);
}

void MImage::setRGBA(bool rgbaFormat) {
    if (rgbaFormat == rgba_) return;
    rgba_ = rgbaFormat;
    swapRedBlue(bytes_, channels_);
    swapRedBlue(floats_, channels_);
}

MStatus MImage::convertPixelFormat(MPixelType type, double scale, double offset) {
    if (type_ == kUnknown || type == kUnknown) return MS::kFailure;
    if (type == type_) return MS::kSuccess;
    if (type == kFloat) {
        floats_.resize(bytes_.size());
        for (std::size_t i = 0; i < bytes_.size(); ++i)
            floats_[i] = static_cast<float>(bytes_[i] / 255.0 * scale + offset);
        bytes_.clear();
    } else {
        bytes_.resize(floats_.size());
        for (std::size_t i = 0; i < floats_.size(); ++i)
            bytes_[i] = toByte(floats_[i] * scale + offset);
        floats_.clear();
    }
    type_ = type;
    return MS::kSuccess;
}
