// The plug-in's own PNM reader: header, then the whole picture.
#include "FuzzFile.h"
#include "heightmap/KVImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzzFile(data, size, ".pgm");
    KVImage info;
    info.readInfo(MString(path.c_str()));
    KVImage picture;
    if (picture.load(MString(path.c_str())) && !picture.heightVals.empty())
        picture.crop(picture.width / 2 + 1, picture.height / 2 + 1, picture.width / 3,
                     picture.height / 3);
    return 0;
}
