#pragma once
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <string>

// The folder the plug-in was installed into, as the installer wrote it into the registry.
class InstallPath {
public:
    // Reads the registry value; on failure reports why (standard error and a script
    // warning) and returns a failure status.
    static MStatus lookUp(MString& folder);

    // The folder with forward slashes and one trailing "/". Backslashes and slashes both
    // separate names and empty names are dropped; a value that starts with a separator
    // keeps a leading "/", so POSIX folders stay absolute ("C:\\..." gives "C:/...").
    static MString normalise(const std::string& value);

private:
    static MStatus fail(const char* message);
};
