// A tiny HTTP/1.1 server on 127.0.0.1 for download tests: canned answers by
// path, one connection at a time, on a thread of its own.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace trevalon::test {

struct HttpAnswer {
    explicit HttpAnswer(std::string content = {}) : body(std::move(content)) {}
    HttpAnswer& with_status(int code) {
        status = code;
        return *this;
    }
    HttpAnswer& with_header(std::string name, std::string value) {
        headers.emplace_back(std::move(name), std::move(value));
        return *this;
    }
    // The body then ends when the connection closes.
    HttpAnswer& without_length() {
        send_length = false;
        return *this;
    }
    // Nothing is sent before then (cut short when the server stops).
    HttpAnswer& after(std::chrono::milliseconds wait) {
        delay = wait;
        return *this;
    }

    int status = 200;
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
    bool send_length = true;
    std::chrono::milliseconds delay{0};
};

class HttpTestServer {
  public:
    // Listens on a free port of 127.0.0.1; ok() tells whether that worked.
    HttpTestServer();
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    bool ok() const { return port_ != 0; }
    // "http://127.0.0.1:<port>"
    std::string base() const;
    std::string url(std::string_view path_and_query) const {
        return base() + std::string(path_and_query);
    }

    // The answer for a path (the request target before any "?"); other
    // paths get 404.
    void answer(const std::string& path, HttpAnswer answer);
    // Request targets (path and query) in the order they arrived.
    std::vector<std::string> requests() const;

  private:
    void serve();
    void handle(std::intptr_t connection);

    std::intptr_t listener_ = -1;
    std::uint16_t port_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable stopping_;
    bool stop_ = false;
    std::map<std::string, HttpAnswer> answers_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

}  // namespace trevalon::test
