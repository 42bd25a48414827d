// The internet-shortcut template "URL.url" written into the temporary folder
// at start-up beside its icon "URL.ico".
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

inline constexpr std::string_view kUrlTemplateFile = "URL.url";
inline constexpr std::string_view kUrlTemplateIcon = "URL.ico";

// The six CR LF-ended lines of the template: the maker's address and the icon
// in the template folder (which ends in a backslash).
std::string compose_url_template(std::string_view address, std::string_view template_folder);

}  // namespace trevalon
