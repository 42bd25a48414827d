// Everything a shell link is made of, and the form every bookmark takes.
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

struct ShortcutContents {
    std::string target;  // may hold environment references such as %WinDir%
    std::string link_file;
    std::string arguments;
    std::string description;
    std::string working_directory;
    int show_command = 1;  // 1: normal window
    std::string icon_file;
    int icon_index = 0;
};

inline constexpr std::string_view kBookmarkTarget = "%WinDir%\\Explorer.exe";
inline constexpr std::string_view kBookmarkDefaultIcon = "%WinDir%\\System32\\url.dll";

// A link that opens the address with the Explorer: the quoted address as
// argument, the bare address as description, the icon given or, when
// icon_file is empty, the one of url.dll.
ShortcutContents bookmark_shortcut(std::string_view link_file, std::string_view address,
                                   std::string_view icon_file = {}, int icon_index = 0);

}  // namespace trevalon
