#include "bookmarks/http_download.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

#include "bookmarks/web_address.h"
#include "version.h"

namespace trevalon {
namespace {

struct Sink {
    std::vector<std::uint8_t>* body;
    std::size_t max_bytes;
    bool overflowed = false;
};

std::size_t on_data(char* data, std::size_t size, std::size_t count, void* user) {
    auto* sink = static_cast<Sink*>(user);
    const std::size_t bytes = size * count;
    if (bytes > sink->max_bytes - sink->body->size()) {
        sink->overflowed = true;
        return 0;  // anything short of `bytes` makes libcurl abort the transfer
    }
    sink->body->insert(sink->body->end(), data, data + bytes);
    return bytes;
}

struct CurlCleanup {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

// libcurl's process-wide set-up, done once, by whichever thread downloads
// first (libcurl's set-up may run on any thread since its version 7.84): a
// run without bookmarks never loads the network libraries.
void init_network() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

DownloadResult download_to_memory(const std::string& url, const DownloadLimits& limits) {
    DownloadResult result;
    // The scheme check also keeps a bare host name, which libcurl would
    // complete with a guessed scheme, away from it.
    if (!is_web_address(url)) {
        result.status = DownloadStatus::refused_address;
        return result;
    }
    init_network();
    std::unique_ptr<CURL, CurlCleanup> curl(curl_easy_init());
    if (!curl)
        return result;

    std::vector<std::uint8_t> body;
    Sink sink{&body, limits.max_bytes};
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, static_cast<long>(limits.max_redirects));
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(limits.connect_timeout.count()));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.total_timeout.count()));
    // Signals cannot interrupt a worker thread; time-outs work without them.
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    // An announced size above the cap is refused before any byte is read.
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.max_bytes));
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, on_data);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(c, CURLOPT_USERAGENT, TREVALON_PRODUCT_NAME "/" TREVALON_VERSION);

    const CURLcode code = curl_easy_perform(c);
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &result.http_status);

    if (sink.overflowed || code == CURLE_FILESIZE_EXCEEDED) {
        result.status = DownloadStatus::too_large;
    } else if (code == CURLE_OPERATION_TIMEDOUT) {
        result.status = DownloadStatus::timed_out;
    } else if (code != CURLE_OK) {
        result.status = DownloadStatus::failed;
    } else if (result.http_status < 200 || result.http_status > 299) {
        result.status = DownloadStatus::http_error;
    } else {
        result.status = DownloadStatus::ok;
        result.body = std::move(body);
    }
    return result;
}

}  // namespace trevalon
