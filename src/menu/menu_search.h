// The name search over menu folders.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "menu/directory_listing.h"

namespace trevalon {

// Calls found(folder, name) for every file below folder whose name (with
// extension) contains text, letter case ignored, in walk order; folder ends
// in the separator. Folders that cannot be listed are skipped.
using MenuMatchVisitor = std::function<void(const std::string& folder, const std::string& name)>;
void find_menu_matches(std::string_view folder, std::string_view text,
                       const MenuMatchVisitor& found,
                       const FolderLister& list = list_directory_kinds);

// Copies every match of find_menu_matches flat into result_folder under its
// own name. Of several matches with one name the last one copied stays.
// Files that cannot be copied are skipped.
void search_menu_folder(std::string_view folder, std::string_view text,
                        std::string_view result_folder);

}  // namespace trevalon
