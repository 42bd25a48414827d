// The system's own programs by their full paths. A bare name would let a file
// of that name in the program's folder or the working folder run instead.
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

// The system folder (System32) + "\" + name; empty when the system does not
// say where its folder is.
std::string system_program(std::string_view name);

// The Windows folder + "\" + name; empty when the system does not say.
std::string windows_program(std::string_view name);

}  // namespace trevalon
