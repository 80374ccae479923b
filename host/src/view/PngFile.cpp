#include "view/PngFile.h"

#include <png.h>

#include <cstring>

namespace rvhost {

bool writePngBottomUp(const std::string& path, int width, int height,
                      const std::vector<unsigned char>& rgba, std::string& error) {
    if (rgba.size() != size_t(width) * size_t(height) * 4) {
        error = "the picture's pixels do not match its size";
        return false;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGBA;
    // A negative stride tells libpng the first row in memory is the picture's bottom row.
    const png_int_32 stride = -png_int_32(width * 4);
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), stride, nullptr)) {
        error = "cannot write " + path + ": " + image.message;
        png_image_free(&image);
        return false;
    }
    return true;
}

} // namespace rvhost
