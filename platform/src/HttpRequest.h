#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace rvplatform {

// What InternetOpenA fixed for the requests of its session.
struct SessionSettings {
    std::string agent;
    DWORD accessType = 0;
    std::string proxy;
    std::string proxyBypass;
    // Connect time-out, and longest wait for the next byte; the whole request may take the
    // first and five times the second.
    long connectTimeoutMs = 5000;
    long receiveTimeoutMs = 5000;
};

// One HTTP(S) GET made at once with libcurl; the body is kept and handed out in chunks.
class HttpRequest {
public:
    // The stand-in's time-out, RVHOST_INTERNET_TIMEOUT seconds when that is a number from 1
    // to 600, else 5.
    static long configuredTimeout();

    // False, with error() a WinINet error code, when the server could not be reached, did
    // not answer in time or answered with an HTTP status of 400 or more.
    bool perform(const SessionSettings& session, const std::string& url,
                 const std::vector<std::string>& headers, DWORD flags);
    DWORD error() const { return error_; }

    // Copies up to `size` bytes of the body not yet read; 0 at its end.
    DWORD read(void* buffer, DWORD size);

private:
    static std::size_t append(char* data, std::size_t size, std::size_t count, void* self);

    std::string body_;
    std::size_t offset_ = 0;
    DWORD error_ = ERROR_SUCCESS;
};

} // namespace rvplatform
