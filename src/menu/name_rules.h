// The rules that turn typed names and page titles into valid file names.
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

// The nine characters no file name may hold, in the order the rules treat them.
inline constexpr std::string_view kForbiddenNameCharacters = "\\/:*?\"<>|";

// The text with every forbidden character removed; nothing else changes.
std::string strip_name_characters(std::string_view text);

// A file name (without folder) for a file to be made in folder from a title:
// line breaks and tabs become spaces, forbidden characters get stand-ins
// (":" and "?" become ".", the double quote "'", the rest a space), and the
// base name is cut so that folder, name and extension fit in 256 UTF-16 units.
// The caller appends ".lnk".
std::string make_file_name(std::string_view title, std::string_view folder);

}  // namespace trevalon
