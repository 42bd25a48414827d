// Folder paths as the program handles them: plain UTF-8 strings whose folders
// end in the separator. On Windows the separator is "\" ("/" is accepted on
// reading); elsewhere (native tests) it is "/".
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
inline constexpr bool is_path_separator(char c) {
    return c == '\\' || c == '/';
}
#else
inline constexpr char kPathSeparator = '/';
inline constexpr bool is_path_separator(char c) {
    return c == '/';
}
#endif

// The path with one separator at its end (an empty path stays empty).
std::string with_trailing_separator(std::string_view path);
// The path with one trailing separator removed, if it has one.
std::string without_trailing_separator(std::string_view path);

// Everything up to and including the last separator ("" when there is none).
std::string_view folder_part(std::string_view path);
// Everything after the last separator.
std::string_view file_name_part(std::string_view path);

// A file name split at its last ".": the extension is without the dot and
// empty when the name has no dot.
struct NameParts {
    std::string_view base;
    std::string_view extension;
    bool has_dot = false;
};
NameParts split_extension(std::string_view file_name);

// True when `name` ends in the extension of a "*.ext" pattern, in any ASCII
// case; "*" and "*.*" match every name.
bool matches_pattern(std::string_view name, std::string_view pattern);

}  // namespace trevalon
