#include "bookmarks/favicon.h"

#include <filesystem>
#include <span>
#include <system_error>

#include "base/utf8_path.h"
#include "bookmarks/http_download.h"
#include "bookmarks/web_address.h"
#include "icons/icon_file.h"
#include "icons/image.h"

namespace trevalon {

std::optional<std::string> fetch_favicon(std::string_view address, std::string_view icon_folder,
                                         const NetworkConfig& config,
                                         std::int64_t seconds_since_epoch) {
    if (!is_web_address(address))
        return std::nullopt;
    const DownloadResult download = download_to_memory(
        favicon_request_url(config.favicon_service, address), config.favicon_limits);
    if (download.status != DownloadStatus::ok || download.body.empty())
        return std::nullopt;
    const std::optional<Image> picture = decode_picture(std::span(download.body));
    if (!picture)
        return std::nullopt;

    const std::string path = unique_icon_path(icon_folder, seconds_since_epoch);
    if (path.empty() || !save_icon(*picture, path))
        return std::nullopt;
    std::error_code error;
    const auto size = std::filesystem::file_size(utf8_to_path(path), error);
    if (error || size == 0)
        return std::nullopt;
    return path;
}

}  // namespace trevalon
