// Shell links for test fixtures (start-menu trees), made directly with the
// shell's link object rather than with the program's own link code.
#pragma once

#include <string_view>

namespace trevalon::test {

// Saves a .lnk file at `link_path` (creating its folders) pointing at
// `target`. COM must be initialised on the calling thread.
bool make_test_link(std::string_view link_path, std::string_view target,
                    std::string_view arguments = {});

}  // namespace trevalon::test
