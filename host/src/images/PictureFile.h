#pragma once
#include <string>
#include <vector>

namespace rvhost {

// A picture as files store it: rows top first, four channels RGBA. 8-bit files decode to
// bytes; 16-bit files (scaled to 0..1), HDR and EXR files decode to floats.
struct PictureFile {
    unsigned int width = 0;
    unsigned int height = 0;
    bool isFloat = false;
    std::vector<unsigned char> bytes;
    std::vector<float> floats;

    // Any format stb_image reads (PNG 8/16 bit, JPEG, TGA, BMP, HDR, ...), OpenEXR, and
    // TIFF through libtiff (as 8-bit bytes, whatever the file's depth).
    bool read(const std::string& path);

    // Formats whose files hold floats ("hdr", "exr"); the others take bytes.
    static bool wantsFloats(const std::string& format);
    // Writes rows top first from bytes or floats (as wantsFloats says), channels per pixel.
    static bool write(const std::string& path, const std::string& format, unsigned int width,
                      unsigned int height, unsigned int channels, const void* samples);
};

} // namespace rvhost
