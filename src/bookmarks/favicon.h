// A site's favicon, fetched from the favicon service and kept as an icon file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "bookmarks/network_config.h"

namespace trevalon {

// Downloads the favicon of the web address from config.favicon_service,
// decodes it (PNG, JPEG or ICO) and saves it as an icon file in icon_folder
// (ending in a separator) under a name made of the seconds given, unique even
// for several favicons within one second. Returns the file's path; nothing
// when the address is not a web address, the download fails, or the answer
// is not a picture.
std::optional<std::string> fetch_favicon(std::string_view address, std::string_view icon_folder,
                                         const NetworkConfig& config,
                                         std::int64_t seconds_since_epoch);

}  // namespace trevalon
