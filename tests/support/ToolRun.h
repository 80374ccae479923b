#pragma once
#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

// Runs a shell command (an outside tool that makes or checks a file) and gives what it
// printed on standard output; `status` gets its exit code.
inline std::string runTool(const std::string& command, int* status = nullptr) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        if (status) *status = -1;
        return output;
    }
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) output.append(buffer.data(), n);
    const int raw = pclose(pipe);
    if (status) *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return output;
}
