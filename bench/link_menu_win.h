// Benchmark menus with real shell links, as the program finds them on disk.
#pragma once

#include <string_view>

#include "menu_plan.h"

namespace trevalon::bench {

// Writes the plan below root with a real shell link per link (to one of the
// system's own programs) and the plan's other files. Returns false when
// anything could not be made.
bool write_link_menu(const MenuPlan& plan, std::string_view root);

}  // namespace trevalon::bench
