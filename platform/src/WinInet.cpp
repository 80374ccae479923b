// The WinINet functions of <wininet.h>: thin checks of their arguments around
// InternetHandles and HttpRequest.
#include <wininet.h>

#include "InternetHandles.h"

#include <algorithm>
#include <cstring>

using rvplatform::InternetHandles;
using rvplatform::InternetSession;
using rvplatform::InternetUrl;

namespace {

// Extra request headers: CRLF-separated lines; a length of -1 means zero-terminated.
std::vector<std::string> headerLines(LPCSTR headers, DWORD length) {
    std::vector<std::string> lines;
    if (!headers) return lines;
    const std::string text(headers, length == DWORD(-1) ? std::strlen(headers) : length);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        if (end > start) lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

template <class T> T failWith(DWORD error, T result) {
    SetLastError(error);
    return result;
}

} // namespace

extern "C" {

HINTERNET WINAPI InternetOpenA(LPCSTR lpszAgent, DWORD dwAccessType, LPCSTR lpszProxy,
                               LPCSTR lpszProxyBypass, DWORD) {
    if (dwAccessType == INTERNET_OPEN_TYPE_PROXY && !(lpszProxy && *lpszProxy))
        return failWith<HINTERNET>(ERROR_INVALID_PARAMETER, nullptr);
    auto session = std::make_shared<InternetSession>();
    session->settings.agent = lpszAgent ? lpszAgent : "";
    session->settings.accessType = dwAccessType;
    session->settings.proxy = lpszProxy ? lpszProxy : "";
    session->settings.proxyBypass = lpszProxyBypass ? lpszProxyBypass : "";
    const long timeoutMs = rvplatform::HttpRequest::configuredTimeout() * 1000;
    session->settings.connectTimeoutMs = timeoutMs;
    session->settings.receiveTimeoutMs = timeoutMs;
    return InternetHandles::instance().add(session);
}

HINTERNET WINAPI InternetOpenUrlA(HINTERNET hInternet, LPCSTR lpszUrl, LPCSTR lpszHeaders,
                                  DWORD dwHeadersLength, DWORD dwFlags, DWORD_PTR) {
    DWORD error = ERROR_SUCCESS;
    const auto session = InternetHandles::instance().find<InternetSession>(hInternet, error);
    if (!session) return failWith<HINTERNET>(error, nullptr);
    if (!lpszUrl || !*lpszUrl) return failWith<HINTERNET>(ERROR_INTERNET_INVALID_URL, nullptr);
    auto url = std::make_shared<InternetUrl>();
    url->parent = hInternet;
    if (!url->request.perform(session->settings, lpszUrl, headerLines(lpszHeaders, dwHeadersLength),
                              dwFlags))
        return failWith<HINTERNET>(url->request.error(), nullptr);
    return InternetHandles::instance().add(url);
}

BOOL WINAPI InternetReadFile(HINTERNET hFile, LPVOID lpBuffer, DWORD dwNumberOfBytesToRead,
                             LPDWORD lpdwNumberOfBytesRead) {
    if (!lpdwNumberOfBytesRead || (!lpBuffer && dwNumberOfBytesToRead))
        return failWith<BOOL>(ERROR_INVALID_PARAMETER, FALSE);
    DWORD error = ERROR_SUCCESS;
    const auto url = InternetHandles::instance().find<InternetUrl>(hFile, error);
    if (!url) return failWith<BOOL>(error, FALSE);
    *lpdwNumberOfBytesRead = url->request.read(lpBuffer, dwNumberOfBytesToRead);
    return TRUE;
}

BOOL WINAPI InternetSetOptionA(HINTERNET hInternet, DWORD dwOption, LPVOID lpBuffer,
                               DWORD dwBufferLength) {
    DWORD error = ERROR_SUCCESS;
    const auto session = InternetHandles::instance().find<InternetSession>(hInternet, error);
    if (!session) return failWith<BOOL>(error, FALSE);
    if (dwOption != INTERNET_OPTION_CONNECT_TIMEOUT && dwOption != INTERNET_OPTION_SEND_TIMEOUT &&
        dwOption != INTERNET_OPTION_RECEIVE_TIMEOUT)
        return failWith<BOOL>(ERROR_INTERNET_INVALID_OPTION, FALSE);
    if (!lpBuffer || dwBufferLength != sizeof(DWORD))
        return failWith<BOOL>(ERROR_INTERNET_BAD_OPTION_LENGTH, FALSE);
    DWORD milliseconds = 0;
    std::memcpy(&milliseconds, lpBuffer, sizeof milliseconds);
    // 0 would mean "wait for ever" to libcurl; the stand-in never waits for ever.
    if (milliseconds == 0) return failWith<BOOL>(ERROR_INVALID_PARAMETER, FALSE);
    const long value = static_cast<long>(std::min<DWORD>(milliseconds, 600000));
    if (dwOption == INTERNET_OPTION_CONNECT_TIMEOUT)
        session->settings.connectTimeoutMs = value;
    else
        session->settings.receiveTimeoutMs = value;
    return TRUE;
}

BOOL WINAPI InternetCloseHandle(HINTERNET hInternet) {
    if (!InternetHandles::instance().close(hInternet))
        return failWith<BOOL>(ERROR_INVALID_HANDLE, FALSE);
    return TRUE;
}

} // extern "C"
