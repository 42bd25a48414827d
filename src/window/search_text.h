// The search field's text as a search takes it.
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

// The text without the blanks (spaces, tabs, line breaks) at either end.
std::string trimmed_search_text(std::string_view text);

}  // namespace trevalon
