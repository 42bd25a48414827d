#include "menu/shortcut_contents.h"

namespace trevalon {

ShortcutContents bookmark_shortcut(std::string_view link_file, std::string_view address,
                                   std::string_view icon_file, int icon_index) {
    ShortcutContents contents;
    contents.target = kBookmarkTarget;
    contents.link_file = link_file;
    contents.arguments.reserve(address.size() + 2);
    contents.arguments += '"';
    contents.arguments += address;
    contents.arguments += '"';
    contents.description = address;
    contents.show_command = 1;
    if (icon_file.empty()) {
        contents.icon_file = kBookmarkDefaultIcon;
        contents.icon_index = 0;
    } else {
        contents.icon_file = icon_file;
        contents.icon_index = icon_index;
    }
    return contents;
}

}  // namespace trevalon
