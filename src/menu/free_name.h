// The free-name rule: a new file never replaces an existing one. When the
// wanted name is taken, " (n)" goes between base name and extension, for the
// first n from 1 to 99 that is free (a second Editor.lnk becomes
// Editor (1).lnk).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace trevalon {

using PathExists = std::function<bool(const std::string& path)>;

// The wanted path itself when it is free, else the first free numbered form;
// nothing when all 99 are taken.
std::optional<std::string> free_name(std::string_view path, const PathExists& exists);

// The same against the file system (a file or a folder of that name counts).
std::optional<std::string> free_name(std::string_view path);

}  // namespace trevalon
