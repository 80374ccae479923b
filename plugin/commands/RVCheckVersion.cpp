#include "commands/RVCheckVersion.h"

#include <maya/MArgDatabase.h>
#include <maya/MGlobal.h>

#include <windows.h>
#include <wininet.h>

#include <cstdlib>
#include <string>

namespace {
const char* const kUrlFlag = "-url";
const char* const kAgent = "RavelinVersionQuery";
const char* const kVersionPath = "/versioninfo/rv3dv1cv.txt";
// A reserved name that no resolver answers: a site sets its own server in the option.
const char* const kPlaceholderServer = "http://version-server.invalid";
const DWORD kReadChunk = 2000;
const int kDefaultTimeoutSeconds = 10;
const int kMaxTimeoutSeconds = 60;

// The wait for a connection and for each part of the reply, in milliseconds. A dead
// server must not hold the host's main thread for long.
DWORD timeoutMilliseconds() {
    bool exists = false;
    int seconds = MGlobal::optionVarIntValue("RVOption_versionCheckTimeout", &exists);
    if (!exists) seconds = kDefaultTimeoutSeconds;
    if (seconds < 1) seconds = 1;
    if (seconds > kMaxTimeoutSeconds) seconds = kMaxTimeoutSeconds;
    return static_cast<DWORD>(seconds) * 1000;
}

void setTimeouts(HINTERNET session) {
    DWORD milliseconds = timeoutMilliseconds();
    InternetSetOptionA(session, INTERNET_OPTION_CONNECT_TIMEOUT, &milliseconds,
                       sizeof milliseconds);
    InternetSetOptionA(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &milliseconds,
                       sizeof milliseconds);
}

std::string readWhole(HINTERNET url) {
    std::string reply;
    char buffer[kReadChunk];
    DWORD got = 0;
    while (InternetReadFile(url, buffer, kReadChunk, &got) && got > 0)
        reply.append(buffer, got);
    return reply;
}
} // namespace

const char* const RVCheckVersion::commandName = "RVCheckVersion";

void* RVCheckVersion::creator() {
    return new RVCheckVersion();
}

MSyntax RVCheckVersion::newSyntax() {
    MSyntax syntax;
    syntax.addFlag(kUrlFlag, kUrlFlag, MSyntax::kString);
    syntax.setMinObjects(0);
    syntax.setMaxObjects(1);
    return syntax;
}

bool RVCheckVersion::isUndoable() const {
    return false;
}

MString RVCheckVersion::defaultAddress() {
    bool exists = false;
    const MString address = MGlobal::optionVarStringValue("RVOption_versionCheckAddress", &exists);
    if (exists && address.length() > 0) return address;
    return MString(kPlaceholderServer) + kVersionPath;
}

bool RVCheckVersion::fetchVersion(const MString& address, MString& reply) {
    HINTERNET session = InternetOpenA(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session) return false;
    setTimeouts(session);
    HINTERNET url = InternetOpenUrlA(session, address.asChar(), nullptr, 0,
                                     INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
    if (!url) {
        InternetCloseHandle(session);
        return false;
    }
    const std::string text = readWhole(url);
    InternetCloseHandle(url);
    InternetCloseHandle(session);
    reply = MString(text.c_str(), static_cast<int>(text.size()));
    return true;
}

int RVCheckVersion::newestReleaseNumber() {
    MString reply;
    if (!fetchVersion(defaultAddress(), reply)) return 0;
    return std::atoi(reply.asChar());
}

MStatus RVCheckVersion::doIt(const MArgList& args) {
    MStatus status;
    const MArgDatabase arguments(syntax(), args, &status);
    MString address = defaultAddress();
    if (status && arguments.isFlagSet(kUrlFlag)) {
        MString given;
        if (arguments.getFlagArgument(kUrlFlag, 0, given)) address = given;
    }
    MString reply;
    if (!fetchVersion(address, reply)) {
        setResult(0);
        return MS::kFailure;
    }
    setResult(reply.asInt());
    return MS::kSuccess;
}
