// The height-map command's own argument reader. Each input line is one argument: a line
// starting with "i:" or "d:" is an int or a double, any other a string.
#include "heightmap/KVHeightMapCmd.h"

#include "script/Output.h"

#include <maya/MArgList.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::ostringstream sink;
    static const bool quiet = (rvhost::script::Output::redirect(&sink, &sink), true);
    (void)quiet;
    sink.str("");
    const std::string text(reinterpret_cast<const char*>(data), size);
    MArgList args;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(at, end - at);
        if (line.rfind("i:", 0) == 0)
            args.addArg(static_cast<int>(std::strtol(line.c_str() + 2, nullptr, 10)));
        else if (line.rfind("d:", 0) == 0)
            args.addArg(std::strtod(line.c_str() + 2, nullptr));
        else
            args.addArg(MString(line.c_str()));
        at = end + 1;
    }
    KVHeightMap command;
    command.parse(args);
    return 0;
}
