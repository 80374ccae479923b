#include "HttpRequest.h"

#include <wininet.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace rvplatform {
namespace {

// More than any version file or page the plug-in asks for; a larger body is refused
// rather than held in memory.
constexpr std::size_t kMaxBody = std::size_t(64) << 20;
constexpr long kMaxRedirects = 10;
// Loopback never goes through a proxy, as Windows' "<local>" bypass would have it.
const char kLoopback[] = "localhost,127.0.0.1,::1";

void initCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

DWORD wininetError(CURLcode code) {
    switch (code) {
    case CURLE_UNSUPPORTED_PROTOCOL:
        return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
    case CURLE_URL_MALFORMAT:
        return ERROR_INTERNET_INVALID_URL;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_COULDNT_CONNECT:
        return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_OPERATION_TIMEDOUT:
        return ERROR_INTERNET_TIMEOUT;
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_PARTIAL_FILE:
        return ERROR_INTERNET_CONNECTION_RESET;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
        return ERROR_INTERNET_SECURITY_CHANNEL_ERROR;
    case CURLE_TOO_MANY_REDIRECTS:
        return ERROR_HTTP_REDIRECT_FAILED;
    case CURLE_WRITE_ERROR:
        return ERROR_NOT_ENOUGH_MEMORY;
    default:
        return ERROR_INTERNET_INTERNAL_ERROR;
    }
}

// WinINet lists bypass hosts with ';' or blanks and "<local>"; curl wants commas.
std::string noProxyList(const std::string& bypass) {
    std::string list = kLoopback;
    std::string item;
    for (char c : bypass + ";") {
        if (c == ';' || c == ' ' || c == ',') {
            if (!item.empty() && item != "<local>") list += "," + item;
            item.clear();
        } else {
            item += c;
        }
    }
    return list;
}

std::string environmentNoProxy() {
    for (const char* name : {"no_proxy", "NO_PROXY"})
        if (const char* value = std::getenv(name); value && *value) return value;
    return {};
}

void setProxy(CURL* curl, const SessionSettings& session, std::string& noProxy) {
    switch (session.accessType) {
    case INTERNET_OPEN_TYPE_DIRECT:
        curl_easy_setopt(curl, CURLOPT_PROXY, "");
        return;
    case INTERNET_OPEN_TYPE_PROXY:
        curl_easy_setopt(curl, CURLOPT_PROXY, session.proxy.c_str());
        noProxy = noProxyList(session.proxyBypass);
        break;
    default: // preconfigured: libcurl's own reading of the proxy environment
        noProxy = noProxyList(environmentNoProxy());
        break;
    }
    curl_easy_setopt(curl, CURLOPT_NOPROXY, noProxy.c_str());
}

struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

} // namespace

long HttpRequest::configuredTimeout() {
    const char* text = std::getenv("RVHOST_INTERNET_TIMEOUT");
    if (!text || !*text) return 5;
    char* end = nullptr;
    const long seconds = std::strtol(text, &end, 10);
    return (*end == '\0' && seconds >= 1 && seconds <= 600) ? seconds : 5;
}

std::size_t HttpRequest::append(char* data, std::size_t size, std::size_t count, void* self) {
    auto* request = static_cast<HttpRequest*>(self);
    const std::size_t bytes = size * count;
    if (request->body_.size() + bytes > kMaxBody)
        return 0; // makes libcurl stop with CURLE_WRITE_ERROR
    request->body_.append(data, bytes);
    return bytes;
}

bool HttpRequest::perform(const SessionSettings& session, const std::string& url,
                          const std::vector<std::string>& headers, DWORD flags) {
    initCurl();
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) {
        error_ = ERROR_NOT_ENOUGH_MEMORY;
        return false;
    }
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_USERAGENT, session.agent.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, (flags & INTERNET_FLAG_NO_AUTO_REDIRECT) ? 0L : 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, session.connectTimeoutMs);
    // libcurl measures a stall in whole seconds.
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, std::max(1L, (session.receiveTimeoutMs + 999) / 1000));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, session.connectTimeoutMs + 5 * session.receiveTimeoutMs);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &HttpRequest::append);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, this);
    std::string noProxy;
    setProxy(c, session, noProxy);

    curl_slist* list = nullptr;
    for (const auto& h : headers)
        list = curl_slist_append(list, h.c_str());
    // Nothing is cached here, so a reload only has to keep proxies from answering.
    if (flags & (INTERNET_FLAG_RELOAD | INTERNET_FLAG_PRAGMA_NOCACHE)) {
        list = curl_slist_append(list, "Pragma: no-cache");
        list = curl_slist_append(list, "Cache-Control: no-cache");
    }
    std::unique_ptr<curl_slist, CurlDeleter> headerList(list);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, list);

    body_.clear();
    offset_ = 0;
    const CURLcode code = curl_easy_perform(c);
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    if (code != CURLE_OK) {
        error_ = wininetError(code);
        return false;
    }
    if (status >= 400) {
        error_ = ERROR_INTERNET_EXTENDED_ERROR;
        return false;
    }
    return true;
}

DWORD HttpRequest::read(void* buffer, DWORD size) {
    const std::size_t n = std::min<std::size_t>(size, body_.size() - offset_);
    if (n) std::memcpy(buffer, body_.data() + offset_, n);
    offset_ += n;
    return static_cast<DWORD>(n);
}

} // namespace rvplatform
