// What the two network look-ups of a bookmark may do and where they go: one
// record with safe defaults, so tests can point it at a local server or at a
// stand-in PowerShell.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace trevalon {

struct DownloadLimits {
    std::chrono::milliseconds connect_timeout{5000};
    // The whole transfer, redirects included.
    std::chrono::milliseconds total_timeout{10000};
    // Bodies above this are abandoned, not truncated.
    std::size_t max_bytes = 1024 * 1024;
    int max_redirects = 3;
};

struct NetworkConfig {
    // Scheme and host (optionally a port) of the service that answers
    // "/s2/favicons?sz=32&domain=..." with a site's icon.
    std::string favicon_service = "https://www.google.com";
    DownloadLimits favicon_limits;

    // A full path, or a bare file name of the system's PowerShell folder.
    std::string powershell = "powershell.exe";
    // The page request's own time-out, inside PowerShell.
    std::chrono::seconds title_request_timeout{5};
    // PowerShell is ended when it has not answered by then: its start-up
    // plus the request time-out, with room to spare.
    std::chrono::milliseconds title_process_limit{10000};
};

}  // namespace trevalon
