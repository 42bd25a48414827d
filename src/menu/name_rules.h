// The rules that turn typed names and page titles into valid file names.
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

// The nine characters no file name may hold, in the order the rules treat them.
inline constexpr std::string_view kForbiddenNameCharacters = "\\/:*?\"<>|";

// The longest path the program makes, in UTF-16 units: the system's 260
// less the terminating zero. Longer paths fail to be created.
inline constexpr long kLongestPath = 259;
// The room kept for the " (99)" the free-name rule may put into a name.
inline constexpr long kFreeNumberRoom = 5;

// The beginning of `base` that fits in `folder`: folder + base + " (99)" +
// tail (what follows the base name, such as ".lnk") stays within
// kLongestPath UTF-16 units. Never ends inside a character; empty when there
// is no room at all.
std::string fit_base_name(std::string_view base, std::string_view folder, std::string_view tail);

// The text with every forbidden character removed; nothing else changes.
std::string strip_name_characters(std::string_view text);

// A file name (without folder) for a file to be made in folder from a title:
// line breaks and tabs become spaces, forbidden characters get stand-ins
// (":" and "?" become ".", the double quote "'", the rest a space), and the
// base name is cut by fit_base_name, so the link the caller makes (it
// appends ".lnk"), even with a free-name number, has a path the system can
// create.
std::string make_file_name(std::string_view title, std::string_view folder);

}  // namespace trevalon
