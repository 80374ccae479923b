#include "images/PictureFile.h"

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>
#include <tiffio.h>
#include <tinyexr.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>

namespace rvhost {
namespace {

constexpr int kChannels = 4;

template <class T> using StbPixels = std::unique_ptr<T, void (*)(void*)>;

// Larger pictures are taken for damaged headers rather than allocated.
constexpr std::uint64_t kLargestTiffPixels = std::uint64_t(1) << 28;
// libtiff's RGBA reader holds one strip or tile of the file's own samples; a header that
// makes one larger than this (say, thousands of samples a pixel) is taken for damaged.
constexpr std::uint64_t kLargestTiffBlock = std::uint64_t(1) << 30;

// Classic and big TIFF, either byte order.
bool isTiff(const std::string& path) {
    char magic[4] = {};
    std::ifstream(path, std::ios::binary).read(magic, sizeof magic);
    const std::string head(magic, sizeof magic);
    return head == std::string("II*\0", 4) || head == std::string("MM\0*", 4) ||
           head == std::string("II+\0", 4) || head == std::string("MM\0+", 4);
}

// libtiff's RGBA interface reads every photometric kind, bit depth and layout it knows
// as 8-bit RGBA, top row first.
bool readTiff(const std::string& path, PictureFile& picture) {
    std::unique_ptr<TIFF, void (*)(TIFF*)> tiff(TIFFOpen(path.c_str(), "r"), TIFFClose);
    if (!tiff) return false;
    std::uint32_t w = 0, h = 0;
    TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &h);
    const std::uint64_t count = std::uint64_t(w) * h;
    if (count == 0 || count > kLargestTiffPixels) return false;
    const std::uint64_t block =
        TIFFIsTiled(tiff.get()) ? TIFFTileSize64(tiff.get()) : TIFFStripSize64(tiff.get());
    if (block == 0 || block > kLargestTiffBlock) return false;
    std::vector<std::uint32_t> raster(count);
    // Stop at the first strip or tile that cannot be read: a few hundred bytes that claim a
    // large picture would otherwise give one of that size, all blank.
    if (!TIFFReadRGBAImageOriented(tiff.get(), w, h, raster.data(), ORIENTATION_TOPLEFT, 1))
        return false;
    picture.bytes.resize(count * kChannels);
    unsigned char* out = picture.bytes.data();
    for (const std::uint32_t pixel : raster) {
        *out++ = static_cast<unsigned char>(TIFFGetR(pixel));
        *out++ = static_cast<unsigned char>(TIFFGetG(pixel));
        *out++ = static_cast<unsigned char>(TIFFGetB(pixel));
        *out++ = static_cast<unsigned char>(TIFFGetA(pixel));
    }
    picture.width = w;
    picture.height = h;
    return true;
}

bool readExr(const std::string& path, PictureFile& picture) {
    float* rgba = nullptr;
    int w = 0, h = 0;
    const char* error = nullptr;
    if (LoadEXR(&rgba, &w, &h, path.c_str(), &error) != TINYEXR_SUCCESS) {
        if (error) FreeEXRErrorMessage(error);
        return false;
    }
    std::unique_ptr<float, void (*)(void*)> owned(rgba, std::free);
    picture.width = static_cast<unsigned int>(w);
    picture.height = static_cast<unsigned int>(h);
    picture.isFloat = true;
    picture.floats.assign(rgba, rgba + static_cast<std::size_t>(w) * h * kChannels);
    return true;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// stb_image's Radiance decoder loops for ever on a run of length zero, which is also what
// it reads past the end of a truncated file. Run-length scanlines are therefore walked
// here first, as that decoder walks them; a file whose runs are not all sound (zero,
// too long, or cut short) is refused before it is decoded.
bool hdrRunsAreSound(const std::string& file) {
    std::size_t at = 0;
    const auto line = [&] {
        const std::size_t end = file.find('\n', at);
        std::string text = file.substr(at, end == std::string::npos ? end : end - at);
        at = end == std::string::npos ? file.size() : end + 1;
        return text;
    };
    while (at < file.size() && !line().empty()) {
    }
    int width = 0, height = 0;
    if (std::sscanf(line().c_str(), "-Y %d +X %d", &height, &width) != 2) return true;
    // Narrow or very wide pictures are decoded flat, which always ends.
    if (width < 8 || width >= 32768 || height <= 0) return true;
    const auto byte = [&] { return static_cast<unsigned char>(file[at++]); };
    for (int row = 0; row < height; ++row) {
        if (file.size() - at < 4) return false;
        const unsigned char c1 = byte(), c2 = byte(), high = byte();
        // Not a run-length row: the decoder reads the rest flat, which always ends.
        if (c1 != 2 || c2 != 2 || (high & 0x80)) return true;
        if (((high << 8) | byte()) != width) return true; // refused by the decoder itself
        for (int channel = 0; channel < 4; ++channel) {
            for (int filled = 0; filled < width;) {
                if (at >= file.size()) return false;
                int count = byte();
                const bool run = count > 128;
                if (run) count -= 128;
                if (count == 0 || count > width - filled) return false;
                const std::size_t needed = run ? 1 : static_cast<std::size_t>(count);
                if (file.size() - at < needed) return false;
                at += needed;
                filled += count;
            }
        }
    }
    return true;
}

// One pixel of grey, grey and alpha, RGB or RGBA 16-bit samples as RGBA in 0..1.
void expandToRgba(const stbi_us* in, int channels, float* out) {
    const auto level = [](stbi_us v) { return v / 65535.0f; };
    const bool grey = channels < 3;
    out[0] = level(in[0]);
    out[1] = grey ? out[0] : level(in[1]);
    out[2] = grey ? out[0] : level(in[2]);
    out[3] = channels == 2 ? level(in[1]) : channels == 4 ? level(in[3]) : 1.0f;
}

// stb_image sizes a binary any-map by its header alone and reads zeros past the end of the
// file: one whose samples cannot all be in the file is refused before it is decoded.
bool anyMapFitsItsFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in.tellg();
    in.seekg(0);
    char magic[2] = {};
    in.read(magic, 2);
    if (magic[0] != 'P' || (magic[1] != '5' && magic[1] != '6')) return true;
    int w = 0, h = 0, channels = 0;
    if (!stbi_info(path.c_str(), &w, &h, &channels)) return true; // stb refuses it itself
    const std::uint64_t bytes = std::uint64_t(w) * std::uint64_t(h) * std::uint64_t(channels) *
                                (stbi_is_16_bit(path.c_str()) ? 2 : 1);
    return size >= 0 && bytes <= std::uint64_t(size);
}

bool readStb(const std::string& path, PictureFile& picture) {
    int w = 0, h = 0, fileChannels = 0;
    const char* name = path.c_str();
    std::size_t count = 0;
    if (!anyMapFitsItsFile(path)) return false;
    if (stbi_is_hdr(name)) {
        const std::string file = fileBytes(path);
        if (!hdrRunsAreSound(file)) return false;
        StbPixels<float> data(stbi_loadf_from_memory(reinterpret_cast<const stbi_uc*>(file.data()),
                                                     static_cast<int>(file.size()), &w, &h,
                                                     &fileChannels, kChannels),
                              stbi_image_free);
        if (!data) return false;
        count = static_cast<std::size_t>(w) * h * kChannels;
        picture.floats.assign(data.get(), data.get() + count);
        picture.isFloat = true;
    } else if (stbi_is_16_bit(name)) {
        // Loaded in the file's own channels: this stb_image converts 16-bit any-maps to
        // other channel counts as if they were 8-bit, handing back half the samples.
        StbPixels<stbi_us> data(stbi_load_16(name, &w, &h, &fileChannels, 0), stbi_image_free);
        if (!data || fileChannels < 1 || fileChannels > kChannels) return false;
        count = static_cast<std::size_t>(w) * h * kChannels;
        picture.floats.resize(count);
        const stbi_us* in = data.get();
        for (std::size_t at = 0; at < count; at += kChannels, in += fileChannels)
            expandToRgba(in, fileChannels, &picture.floats[at]);
        picture.isFloat = true;
    } else {
        StbPixels<stbi_uc> data(stbi_load(name, &w, &h, &fileChannels, kChannels), stbi_image_free);
        if (!data) return false;
        count = static_cast<std::size_t>(w) * h * kChannels;
        picture.bytes.assign(data.get(), data.get() + count);
    }
    picture.width = static_cast<unsigned int>(w);
    picture.height = static_cast<unsigned int>(h);
    return true;
}

} // namespace

bool PictureFile::read(const std::string& path) {
    *this = PictureFile();
    if (IsEXR(path.c_str()) == TINYEXR_SUCCESS) return readExr(path, *this);
    if (isTiff(path)) return readTiff(path, *this);
    return readStb(path, *this);
}

bool PictureFile::wantsFloats(const std::string& format) {
    return format == "hdr" || format == "exr";
}

bool PictureFile::write(const std::string& path, const std::string& format, unsigned int width,
                        unsigned int height, unsigned int channels, const void* samples) {
    const char* name = path.c_str();
    const int w = static_cast<int>(width), h = static_cast<int>(height);
    const int c = static_cast<int>(channels);
    const auto* bytes = static_cast<const unsigned char*>(samples);
    const auto* floats = static_cast<const float*>(samples);
    if (format == "png") return stbi_write_png(name, w, h, c, bytes, w * c) != 0;
    if (format == "jpg" || format == "jpeg") return stbi_write_jpg(name, w, h, c, bytes, 95) != 0;
    if (format == "tga") return stbi_write_tga(name, w, h, c, bytes) != 0;
    if (format == "bmp") return stbi_write_bmp(name, w, h, c, bytes) != 0;
    if (format == "hdr") return stbi_write_hdr(name, w, h, c, floats) != 0;
    if (format == "exr") {
        if (c == 2) return false; // EXR takes grey, RGB or RGBA
        const char* error = nullptr;
        const int result = SaveEXR(floats, w, h, c, 0, name, &error);
        if (error) FreeEXRErrorMessage(error);
        return result == TINYEXR_SUCCESS;
    }
    return false;
}

} // namespace rvhost
