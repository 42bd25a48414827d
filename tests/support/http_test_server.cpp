#include "support/http_test_server.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <algorithm>

namespace trevalon::test {
namespace {

#ifdef _WIN32
using Socket = SOCKET;
constexpr int kSendFlags = 0;
void close_socket(Socket s) {
    closesocket(s);
}
#else
using Socket = int;
// A client that gave up must not end the test process with SIGPIPE.
constexpr int kSendFlags = MSG_NOSIGNAL;
void close_socket(Socket s) {
    close(s);
}
#endif

Socket as_socket(std::intptr_t value) {
    return static_cast<Socket>(value);
}

bool readable(Socket s, int milliseconds) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval wait{milliseconds / 1000, (milliseconds % 1000) * 1000};
    return select(static_cast<int>(s) + 1, &set, nullptr, nullptr, &wait) > 0;
}

void send_all(Socket s, std::string_view data) {
    while (!data.empty()) {
        const int chunk = static_cast<int>(std::min<std::size_t>(data.size(), 64 * 1024));
        const auto sent = send(s, data.data(), chunk, kSendFlags);
        if (sent <= 0)
            return;
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
}

std::string reason(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 302:
            return "Found";
        case 404:
            return "Not Found";
        default:
            return "Status";
    }
}

}  // namespace

HttpTestServer::HttpTestServer() {
#ifdef _WIN32
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return;
#endif
    const Socket s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof(address);
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(s, 8) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close_socket(s);
        return;
    }
    listener_ = static_cast<std::intptr_t>(s);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

HttpTestServer::~HttpTestServer() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    stopping_.notify_all();
    if (thread_.joinable())
        thread_.join();
    if (listener_ != -1)
        close_socket(as_socket(listener_));
#ifdef _WIN32
    WSACleanup();
#endif
}

std::string HttpTestServer::base() const {
    return "http://127.0.0.1:" + std::to_string(port_);
}

void HttpTestServer::answer(const std::string& path, HttpAnswer answer) {
    std::lock_guard lock(mutex_);
    answers_[path] = std::move(answer);
}

std::vector<std::string> HttpTestServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void HttpTestServer::serve() {
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (stop_)
                return;
        }
        if (!readable(as_socket(listener_), 20))
            continue;
        const Socket connection = accept(as_socket(listener_), nullptr, nullptr);
        if (connection == static_cast<Socket>(-1))
            continue;
        handle(static_cast<std::intptr_t>(connection));
        close_socket(connection);
    }
}

void HttpTestServer::handle(std::intptr_t connection_value) {
    const Socket connection = as_socket(connection_value);
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 64 * 1024) {
        if (!readable(connection, 2000))
            return;
        const auto got = recv(connection, buffer, sizeof(buffer), 0);
        if (got <= 0)
            return;
        request.append(buffer, static_cast<std::size_t>(got));
    }
    // "GET /target HTTP/1.1"
    const std::size_t first_space = request.find(' ');
    const std::size_t second_space = request.find(' ', first_space + 1);
    if (first_space == std::string::npos || second_space == std::string::npos)
        return;
    const std::string target = request.substr(first_space + 1, second_space - first_space - 1);
    const std::string path = target.substr(0, target.find('?'));

    HttpAnswer answer;
    {
        std::unique_lock lock(mutex_);
        requests_.push_back(target);
        const auto found = answers_.find(path);
        if (found != answers_.end()) {
            answer = found->second;
        } else {
            answer.status = 404;
            answer.body = "not found";
        }
        if (stopping_.wait_for(lock, answer.delay, [this] { return stop_; }))
            return;
    }

    std::string head = "HTTP/1.1 " + std::to_string(answer.status) + " " + reason(answer.status) +
                       "\r\nConnection: close\r\n";
    if (answer.send_length)
        head += "Content-Length: " + std::to_string(answer.body.size()) + "\r\n";
    for (const auto& [name, value] : answer.headers)
        head += name + ": " + value + "\r\n";
    head += "\r\n";
    send_all(connection, head);
    send_all(connection, answer.body);
}

}  // namespace trevalon::test
