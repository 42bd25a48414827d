// Small downloads into memory over HTTP(S), bounded in time and size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bookmarks/network_config.h"

namespace trevalon {

enum class DownloadStatus {
    ok,
    refused_address,  // not an http or https address
    http_error,       // the server answered, but not with 2xx
    too_large,        // the body passed the size cap
    timed_out,
    failed,  // anything else: no connection, bad redirect, ...
};

struct DownloadResult {
    DownloadStatus status = DownloadStatus::failed;
    long http_status = 0;            // the last answer's status, 0 when none came
    std::vector<std::uint8_t> body;  // only with status ok
};

// Fetches url with libcurl. Only http and https are spoken, redirects
// included; at most limits.max_redirects are followed. The body is kept only
// when the final status is 2xx and it stayed within limits.max_bytes.
// Safe to call from any thread.
DownloadResult download_to_memory(const std::string& url, const DownloadLimits& limits);

}  // namespace trevalon
