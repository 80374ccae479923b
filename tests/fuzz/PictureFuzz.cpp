// The host's picture reader: every format it recognises by content.
#include "FuzzFile.h"
#include "images/PictureFile.h"

#include <tiffio.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // libtiff's complaints about every broken input would drown the fuzzer's own output.
    static const bool quiet = (TIFFSetErrorHandler(nullptr), TIFFSetWarningHandler(nullptr), true);
    (void)quiet;
    rvhost::PictureFile picture;
    picture.read(fuzzFile(data, size, ".img"));
    return 0;
}
