// The one place where UTF-8 strings and std::filesystem paths meet. MSVC would
// convert narrow paths with the active code page and libstdc++ with UTF-8;
// going through char8_t makes both read and write UTF-8.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace trevalon {

std::filesystem::path utf8_to_path(std::string_view utf8);
std::string path_to_utf8(const std::filesystem::path& path);

}  // namespace trevalon
