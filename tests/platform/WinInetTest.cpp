#include <wininet.h>

#include "LoopbackServer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

const DWORD kReload = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;

// The version check's own sequence: open, open the URL, read in 2000-byte chunks, close.
class WinInet : public ::testing::Test {
protected:
    WinInet() {
        session_ =
            InternetOpenA("RavelinVersionQuery", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    }
    ~WinInet() override { InternetCloseHandle(session_); }

    HINTERNET open(const std::string& url, const char* headers = nullptr) {
        SetLastError(ERROR_SUCCESS);
        return InternetOpenUrlA(session_, url.c_str(), headers, headers ? DWORD(-1) : 0, kReload,
                                0);
    }

    static std::string readAll(HINTERNET url, std::vector<DWORD>* chunks = nullptr) {
        std::string text;
        char buffer[2000];
        DWORD got = 0;
        while (InternetReadFile(url, buffer, sizeof buffer, &got) && got > 0) {
            text.append(buffer, got);
            if (chunks) chunks->push_back(got);
        }
        return text;
    }

    HINTERNET session_ = nullptr;
};

TEST_F(WinInet, ReadsALongReplyInChunks) {
    LoopbackServer server;
    std::string body;
    for (int i = 0; body.size() < 4500; ++i)
        body += std::to_string(i) + ",";
    server.reply("/versioninfo/v.txt", "200 OK", body);
    ASSERT_NE(session_, nullptr);
    HINTERNET url = open(server.url("/versioninfo/v.txt"));
    ASSERT_NE(url, nullptr) << GetLastError();
    std::vector<DWORD> chunks;
    EXPECT_EQ(readAll(url, &chunks), body);
    EXPECT_EQ(chunks, (std::vector<DWORD>{2000, 2000, DWORD(body.size() - 4000)}));
    DWORD got = 99;
    EXPECT_TRUE(InternetReadFile(url, nullptr, 0, &got));
    EXPECT_EQ(got, 0u);
    EXPECT_TRUE(InternetCloseHandle(url));
}

TEST_F(WinInet, SendsAgentNoCacheAndExtraHeaders) {
    LoopbackServer server;
    server.reply("/v", "200 OK", "1051");
    HINTERNET url = open(server.url("/v"), "X-One: 1\r\nX-Two: 2\r\n");
    ASSERT_NE(url, nullptr) << GetLastError();
    EXPECT_EQ(readAll(url), "1051");
    InternetCloseHandle(url);
    ASSERT_EQ(server.requests().size(), 1u);
    const std::string request = server.requests()[0];
    EXPECT_EQ(request.rfind("GET /v HTTP/1.1\r\n", 0), 0u) << request;
    for (const char* line : {"User-Agent: RavelinVersionQuery\r\n", "Pragma: no-cache\r\n",
                             "Cache-Control: no-cache\r\n", "X-One: 1\r\n", "X-Two: 2\r\n"})
        EXPECT_NE(request.find(line), std::string::npos) << line << " missing from\n" << request;
}

TEST_F(WinInet, FollowsRedirects) {
    LoopbackServer server;
    server.reply("/old", "302 Found", "", "Location: /new\r\n");
    server.reply("/new", "200 OK", "moved");
    HINTERNET url = open(server.url("/old"));
    ASSERT_NE(url, nullptr) << GetLastError();
    EXPECT_EQ(readAll(url), "moved");
    InternetCloseHandle(url);
}

TEST_F(WinInet, FailuresGiveNoHandleAndALastError) {
    LoopbackServer server;
    EXPECT_EQ(open(server.url("/missing")), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INTERNET_EXTENDED_ERROR));
    EXPECT_EQ(server.requests().size(), 1u);

    server.reply("/broken", "500 Internal Server Error", "oops");
    EXPECT_EQ(open(server.url("/broken")), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INTERNET_EXTENDED_ERROR));

    RefusingPort refusing;
    EXPECT_EQ(open("http://127.0.0.1:" + std::to_string(refusing.port()) + "/v"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INTERNET_CANNOT_CONNECT));

    EXPECT_EQ(open("ftp://127.0.0.1/v"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INTERNET_UNRECOGNIZED_SCHEME));
    EXPECT_EQ(open("http://[bad"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INTERNET_INVALID_URL));
    EXPECT_EQ(open(""), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INTERNET_INVALID_URL));
}

// A server that accepts and never answers must not hang the caller.
TEST(WinInetTimeout, SilentServerTimesOut) {
    setenv("RVHOST_INTERNET_TIMEOUT", "1", 1);
    HINTERNET session = InternetOpenA("t", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    unsetenv("RVHOST_INTERNET_TIMEOUT");
    LoopbackServer silent(true);
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(InternetOpenUrlA(session, silent.url("/v").c_str(), nullptr, 0, kReload, 0), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INTERNET_TIMEOUT));
    EXPECT_TRUE(InternetCloseHandle(session));
}

// The session's own receive time-out replaces the stand-in's (here the longest it allows).
TEST(WinInetTimeout, SessionOptionsSetTheTimeOuts) {
    setenv("RVHOST_INTERNET_TIMEOUT", "600", 1);
    HINTERNET session = InternetOpenA("t", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    unsetenv("RVHOST_INTERNET_TIMEOUT");
    DWORD second = 1000;
    EXPECT_TRUE(InternetSetOptionA(session, INTERNET_OPTION_CONNECT_TIMEOUT, &second, sizeof second));
    EXPECT_TRUE(InternetSetOptionA(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &second, sizeof second));
    LoopbackServer silent(true);
    EXPECT_EQ(InternetOpenUrlA(session, silent.url("/v").c_str(), nullptr, 0, kReload, 0), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INTERNET_TIMEOUT));

    DWORD zero = 0;
    EXPECT_FALSE(InternetSetOptionA(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &zero, sizeof zero));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(InternetSetOptionA(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &second, 2));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INTERNET_BAD_OPTION_LENGTH));
    EXPECT_FALSE(InternetSetOptionA(session, 99, &second, sizeof second));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INTERNET_INVALID_OPTION));
    EXPECT_FALSE(InternetSetOptionA(nullptr, INTERNET_OPTION_RECEIVE_TIMEOUT, &second, sizeof second));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_TRUE(InternetCloseHandle(session));
}

TEST_F(WinInet, HandlesAreCheckedAndClosedWithTheirSession) {
    LoopbackServer server;
    server.reply("/v", "200 OK", "7");
    HINTERNET url = open(server.url("/v"));
    ASSERT_NE(url, nullptr);
    char buffer[4];
    DWORD got = 0;
    EXPECT_FALSE(InternetReadFile(session_, buffer, sizeof buffer, &got));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INTERNET_INCORRECT_HANDLE_TYPE));
    EXPECT_EQ(InternetOpenUrlA(url, server.url("/v").c_str(), nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INTERNET_INCORRECT_HANDLE_TYPE));
    EXPECT_FALSE(InternetReadFile(url, buffer, sizeof buffer, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));

    EXPECT_TRUE(InternetCloseHandle(session_));
    EXPECT_FALSE(InternetReadFile(url, buffer, sizeof buffer, &got));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(InternetCloseHandle(url));
    EXPECT_FALSE(InternetCloseHandle(nullptr));
    session_ = nullptr;
}

TEST(WinInetOpen, ProxyAccessNeedsAProxy) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(InternetOpenA("t", INTERNET_OPEN_TYPE_PROXY, nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

// Preconfigured access honours the environment's proxy but never for loopback.
TEST(WinInetOpen, LoopbackBypassesAConfiguredProxy) {
    RefusingPort proxy;
    const std::string proxyUrl = "http://127.0.0.1:" + std::to_string(proxy.port());
    setenv("http_proxy", proxyUrl.c_str(), 1);
    HINTERNET session = InternetOpenA("t", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    LoopbackServer server;
    server.reply("/v", "200 OK", "1");
    HINTERNET url = InternetOpenUrlA(session, server.url("/v").c_str(), nullptr, 0, kReload, 0);
    unsetenv("http_proxy");
    EXPECT_NE(url, nullptr) << GetLastError();
    InternetCloseHandle(session);
}

} // namespace
