// The plug-in's TIFF reader (libtiff) on the bytes of one file.
#include "FuzzFile.h"
#include "heightmap/KVImage.h"

#include <tiffio.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // libtiff's complaints about every broken input would drown the fuzzer's own output.
    static const bool quiet = (TIFFSetErrorHandler(nullptr), TIFFSetWarningHandler(nullptr), true);
    (void)quiet;
    const std::string path = fuzzFile(data, size, ".tif");
    KVImage info;
    info.readInfo(MString(path.c_str()));
    KVImage picture;
    picture.load(MString(path.c_str()));
    return 0;
}
