// Symbolic links made on the Unix side of Wine, as a user or another program
// makes them there: Wine's own CreateSymbolicLinkW reports success and makes
// nothing, and Win32 can neither make nor remove such a link. The tests run
// the system's ln and rm through Wine, which starts Unix programs too.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace trevalon::test {

// The Unix path Wine maps a Windows path to; nothing outside Wine.
std::optional<std::string> unix_path_of(std::string_view windows_path);

// Makes `link` (a Windows path whose folder exists) a symbolic link to
// `target`; true when the link is there afterwards.
bool make_unix_link(std::string_view link, std::string_view target);

// Removes the link itself (never what it points to); true when it is gone.
bool remove_unix_link(std::string_view link);

// The Windows path ("Z:\...") of a Unix path, as Wine's Z: drive shows it.
std::string host_drive_path(std::string_view unix_path);

}  // namespace trevalon::test
