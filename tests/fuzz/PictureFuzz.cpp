// The host's picture reader: every format it recognises by content.
#include "FuzzFile.h"
#include "images/PictureFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    rvhost::PictureFile picture;
    picture.read(fuzzFile(data, size, ".img"));
    return 0;
}
