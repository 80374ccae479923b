#include <maya/MStatus.h>
#include <maya/MString.h>

#include <iostream>

MString MStatus::errorString() const {
    switch (code_) {
    case MS::kSuccess:
        return "(kSuccess): No error";
    case MS::kFailure:
        return "(kFailure): Unexpected Internal Failure";
    case MS::kInsufficientMemory:
        return "(kInsufficientMemory): Insufficient Memory";
    case MS::kInvalidParameter:
        return "(kInvalidParameter): Object is incompatible with this method";
    case MS::kLicenseFailure:
        return "(kLicenseFailure): License failure";
    case MS::kUnknownParameter:
        return "(kUnknownParameter): Unknown parameter";
    case MS::kNotImplemented:
        return "(kNotImplemented): Not implemented";
    case MS::kNotFound:
        return "(kNotFound): Object not found";
    case MS::kEndOfFile:
        return "(kEndOfFile): End of file";
    }
    return "(unknown status)";
}

void MStatus::perror(const char* message) const {
    std::cerr << (message ? message : "") << ": " << errorString() << std::endl;
}

void MStatus::perror(const MString& message) const {
    perror(message.asChar());
}

std::ostream& operator<<(std::ostream& os, const MStatus& status) {
    return os << status.errorString();
}
