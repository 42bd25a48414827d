// The bookmark drop with the real look-ups: PowerShell for the page title,
// libcurl for the favicon, the shell's link object for the link.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "bookmarks/network_config.h"
#include "bookmarks/web_bookmark.h"

namespace trevalon {

class Clock;

// make_web_bookmark with the network steps on a worker thread while `window`
// stays painted but takes no input (run_while_window_waits). Returns the
// link's path; the caller shows the folder again.
std::optional<std::string> make_web_bookmark(HWND window, const BookmarkDrop& drop,
                                             const NetworkConfig& config, const Clock& clock);

}  // namespace trevalon
