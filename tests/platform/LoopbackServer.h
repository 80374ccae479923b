#pragma once
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A one-thread HTTP server on 127.0.0.1 for the WinINet tests. It answers each GET with the
// reply registered for its path (404 otherwise), or, when silent, accepts and never answers.
// It stops when destroyed, and by itself after a minute whatever happens.
class LoopbackServer {
public:
    explicit LoopbackServer(bool silent = false);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return port_; }
    std::string url(const std::string& path) const;
    // `status` is the whole status line after "HTTP/1.1 ", e.g. "200 OK".
    void reply(const std::string& path, const std::string& status, const std::string& body,
               const std::string& extraHeaders = "");
    // A 200 reply in HTTP chunked transfer encoding, `chunkSize` bytes of the body a chunk.
    void replyChunked(const std::string& path, const std::string& body, std::size_t chunkSize);
    std::vector<std::string> requests() const;

private:
    void run();
    void answer(int client);

    int listener_ = -1;
    int port_ = 0;
    bool silent_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::map<std::string, std::string> replies_;
    std::vector<std::string> requests_;
    std::vector<int> held_;
    std::thread thread_;
};

// A loopback port that refuses connections: bound, never listening.
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    int port() const { return port_; }

private:
    int socket_ = -1;
    int port_ = 0;
};
