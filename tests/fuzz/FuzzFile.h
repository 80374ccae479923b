#pragma once
// The readers under test open files by name, as the host and plug-in do: each input is
// written to one scratch file of this process, under the extension that picks the reader.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

inline std::string fuzzFile(const uint8_t* data, size_t size, const char* extension) {
    const char* dir = std::getenv("TMPDIR");
    const std::string path =
        std::string(dir && *dir ? dir : "/tmp") + "/rvfuzz-" + std::to_string(getpid()) + extension;
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        if (size) std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    return path;
}
