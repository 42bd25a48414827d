// The name search over menu folders.
#pragma once

#include <string_view>

namespace trevalon {

// Copies every file below folder whose name (with extension) contains text,
// letter case ignored, flat into result_folder under its own name. Of several
// matches with one name the last one copied stays. Folders that cannot be
// listed and files that cannot be copied are skipped.
void search_menu_folder(std::string_view folder, std::string_view text,
                        std::string_view result_folder);

}  // namespace trevalon
