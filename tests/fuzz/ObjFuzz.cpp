// The host's OBJ reader, through to the mesh it builds.
#include "FuzzFile.h"
#include "commands/ObjFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    rvhost::MeshGeometry mesh;
    rvhost::commands::readObj(fuzzFile(data, size, ".obj"), mesh);
    return 0;
}
