// The registry file's reader, and writing back what it read.
#include "rvplatform/RegistryFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const rvplatform::RegistryFile file = rvplatform::RegistryFile::parse(text);
    const rvplatform::RegistryFile again = rvplatform::RegistryFile::parse(file.text());
    if (again.text() != file.text()) __builtin_trap(); // a written file must read back the same
    file.keyExists("HKEY_LOCAL_MACHINE\\SOFTWARE");
    return 0;
}
