// Fetching a page title through a hidden PowerShell process.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "bookmarks/network_config.h"

namespace trevalon {

// The program config.powershell names: a path as it stands, a bare name only
// in the system's own PowerShell folder (System32\WindowsPowerShell\v1.0), so
// no file of that name elsewhere (PATH, the program's or the working folder)
// runs instead. Nothing when it does not exist.
std::optional<std::string> find_powershell(const NetworkConfig& config);

// Starts PowerShell hidden with the title command, the address in its
// environment only, and returns the first line it printed (raw bytes, up to
// 4 KiB). PowerShell is ended when it has not finished within
// config.title_process_limit. Nothing when the address is not a web address
// or PowerShell could not be started.
std::optional<std::string> run_title_process(std::string_view address, const NetworkConfig& config);

// run_title_process read as a title (title_from_output, the legacy code page
// being the system's): nothing when no usable title came back.
std::optional<std::string> fetch_page_title(std::string_view address, const NetworkConfig& config);

}  // namespace trevalon
