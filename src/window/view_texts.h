// The texts the views put into the window title and the two pane captions.
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

// "<first> - <second>": the joint of every title and of the menu's top item.
std::string joined_text(std::string_view first, std::string_view second);

// The tree caption (control 4) of a menu: the menu's caption, followed by
// the read-only note in the Windows menu.
std::string menu_caption(std::string_view caption, bool windows_menu,
                         std::string_view read_only_note);

// The list caption (control 5) of search results: the heading and the
// search text in double quotes. The line of a search that found nothing is
// made the same way.
std::string search_caption(std::string_view heading, std::string_view search_text);

// Where a search result lives: the caption of the folder searched, then the
// folder below it, if any ("My Menu\Office\Tools").
std::string location_text(std::string_view root_caption, std::string_view folder_below);

}  // namespace trevalon
