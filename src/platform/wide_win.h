// UTF-8 <-> UTF-16 for the few interfaces that only take wide strings.
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

std::wstring utf8_to_wide(std::string_view utf8);
std::string wide_to_utf8(std::wstring_view wide);

}  // namespace trevalon
