#include "shell/InstallPath.h"

#include <maya/MGlobal.h>

#include <windows.h>

namespace {

const char* const kKey = "SOFTWARE\\Tolvenic\\Ravelin3Dv1x64";
const char* const kValue = "InstallPath";
// The value's buffer, its terminating zero included.
const DWORD kBufferSize = 1024;

const char* const kOpenError =
    "Ravelin error: Could not find install path within Registry, please re-install Ravelin.";
const char* const kReadError =
    "Ravelin error: Could not get install path within Registry, please re-install Ravelin.";
// The script warning keeps the installer's established wording for both failures.
const char* const kWarningCommand = "warning \"Ravelin error: Could not find install path within "
                                    "Regitry, please re-install Ravelin.\"";

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

} // namespace

MStatus InstallPath::fail(const char* message) {
    const MStatus status(MS::kFailure);
    status.perror(message);
    MGlobal::executeCommand(kWarningCommand, false, false);
    return status;
}

MStatus InstallPath::lookUp(MString& folder) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return fail(kOpenError);
    char buffer[kBufferSize] = {};
    DWORD size = kBufferSize;
    DWORD type = REG_NONE;
    const LONG read = RegGetValueA(key, nullptr, kValue, RRF_RT_REG_SZ, &type, buffer, &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || type != REG_SZ) return fail(kReadError);
    folder = normalise(buffer);
    return MS::kSuccess;
}

MString InstallPath::normalise(const std::string& value) {
    std::string result = (!value.empty() && isSeparator(value[0])) ? "/" : "";
    std::string piece;
    for (const char c : value + "\\") {
        if (!isSeparator(c)) {
            piece += c;
            continue;
        }
        if (!piece.empty()) result += piece + "/";
        piece.clear();
    }
    return MString(result.c_str());
}
