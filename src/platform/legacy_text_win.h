// Text written by older programs in the system's legacy code page. This
// program runs with UTF-8 as its own code page, so the legacy one has to be
// asked for explicitly.
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

// The system's default ANSI code page (1252 when the system does not say).
unsigned system_legacy_code_page();

// The bytes read in the system's legacy code page, as UTF-8.
std::string legacy_to_utf8(std::string_view bytes);

}  // namespace trevalon
