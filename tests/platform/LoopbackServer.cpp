#include "LoopbackServer.h"

#include <sstream>

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kPollMs = 20;
constexpr auto kLifetime = std::chrono::seconds(60);

int boundSocket(int& port) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return s;
}

bool readable(int fd, int ms) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, ms) > 0;
}

} // namespace

LoopbackServer::LoopbackServer(bool silent) : silent_(silent) {
    listener_ = boundSocket(port_);
    ::listen(listener_, 8);
    thread_ = std::thread([this] { run(); });
}

LoopbackServer::~LoopbackServer() {
    stop_ = true;
    thread_.join();
    for (int fd : held_)
        ::close(fd);
    ::close(listener_);
}

std::string LoopbackServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void LoopbackServer::reply(const std::string& path, const std::string& status,
                           const std::string& body, const std::string& extraHeaders) {
    std::lock_guard<std::mutex> lock(mutex_);
    replies_[path] = "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) +
                     "\r\nConnection: close\r\n" + extraHeaders + "\r\n" + body;
}

void LoopbackServer::replyChunked(const std::string& path, const std::string& body,
                                  std::size_t chunkSize) {
    std::ostringstream response;
    response << "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n";
    for (std::size_t at = 0; at < body.size(); at += chunkSize) {
        const std::string chunk = body.substr(at, chunkSize);
        response << std::hex << chunk.size() << "\r\n" << chunk << "\r\n";
    }
    response << "0\r\n\r\n";
    std::lock_guard<std::mutex> lock(mutex_);
    replies_[path] = response.str();
}

std::vector<std::string> LoopbackServer::requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

void LoopbackServer::run() {
    const auto end = std::chrono::steady_clock::now() + kLifetime;
    while (!stop_ && std::chrono::steady_clock::now() < end) {
        if (!readable(listener_, kPollMs)) continue;
        const int client = ::accept(listener_, nullptr, nullptr);
        if (client < 0) continue;
        if (silent_)
            held_.push_back(client); // closed only when the server goes
        else
            answer(client);
    }
}

void LoopbackServer::answer(int client) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && !stop_ && readable(client, 2000)) {
        const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request.append(buffer, static_cast<std::size_t>(n));
    }
    const auto pathStart = request.find(' ') + 1;
    const std::string path = request.substr(pathStart, request.find(' ', pathStart) - pathStart);
    std::string response =
        "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request);
        if (const auto it = replies_.find(path); it != replies_.end()) response = it->second;
    }
    for (std::size_t sent = 0; sent < response.size();) {
        const ssize_t n =
            ::send(client, response.data() + sent, response.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
    }
    ::close(client);
}

RefusingPort::RefusingPort() {
    socket_ = boundSocket(port_);
}

RefusingPort::~RefusingPort() {
    ::close(socket_);
}
