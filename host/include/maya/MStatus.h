#pragma once
#include <maya/MTypes.h>

#include <iosfwd>

namespace MS {
enum MStatusCode {
    kSuccess = 0,
    kFailure,
    kInsufficientMemory,
    kInvalidParameter,
    kLicenseFailure,
    kUnknownParameter,
    kNotImplemented,
    kNotFound,
    kEndOfFile
};
}

// Outcome of an API call: a code plus, optionally, a text that says more.
class OPENMAYA_EXPORT MStatus {
public:
    MStatus() = default;
    MStatus(MS::MStatusCode code) : code_(code) {}

    bool error() const { return code_ != MS::kSuccess; }
    void clear() { code_ = MS::kSuccess; }
    MS::MStatusCode statusCode() const { return code_; }
    MString errorString() const;
    // Writes "message: errorString" to the standard error stream.
    void perror(const char* message) const;
    void perror(const MString& message) const;

    explicit operator bool() const { return code_ == MS::kSuccess; }
    bool operator==(const MStatus& other) const { return code_ == other.code_; }
    bool operator==(MS::MStatusCode code) const { return code_ == code; }
    bool operator!=(const MStatus& other) const { return code_ != other.code_; }
    bool operator!=(MS::MStatusCode code) const { return code_ != code; }

private:
    MS::MStatusCode code_ = MS::kSuccess;
};

// A code on the left, as the status-checking macros write it.
inline bool operator==(MS::MStatusCode code, const MStatus& status) { return status == code; }
inline bool operator!=(MS::MStatusCode code, const MStatus& status) { return status != code; }

OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& os, const MStatus& status);

#define CHECK_MSTATUS_AND_RETURN_IT(_status)                                                       \
    do {                                                                                           \
        MStatus _maya_status = (_status);                                                          \
        if (MS::kSuccess != _maya_status) return _maya_status;                                     \
    } while (0)

#define CHECK_MSTATUS(_status)                                                                     \
    do {                                                                                           \
        MStatus _maya_status = (_status);                                                          \
        if (MS::kSuccess != _maya_status) _maya_status.perror(__FILE__);                           \
    } while (0)
