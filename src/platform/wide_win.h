// UTF-8 <-> UTF-16 for the few interfaces that only take wide strings.
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

std::wstring utf8_to_wide(std::string_view utf8);
std::string wide_to_utf8(std::wstring_view wide);

// A path for the system's file functions: in the literal form ("\\?\")
// where the plain one would reach a device or another file, or is too long
// (menu/reserved_names.h, file_system_path).
std::wstring file_path_wide(std::string_view path);
// The literal form wherever the path has one, so that names appended to it
// are taken as they are; else the path itself.
std::wstring literal_path_wide(std::string_view path);

}  // namespace trevalon
