#pragma once
#include <string>
#include <vector>

namespace rvhost {

// Writes 8-bit RGBA pixels given bottom row first (as OpenGL reads them) to a PNG file,
// whose rows run top first. False, with `error` set, when the file cannot be written.
bool writePngBottomUp(const std::string& path, int width, int height,
                      const std::vector<unsigned char>& rgba, std::string& error);

} // namespace rvhost
