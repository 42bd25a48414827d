#include "menu/shortcut_spec.h"

namespace trevalon {

ShortcutSpec bookmark_shortcut(std::string_view link_file, std::string_view address,
                               std::string_view icon_file, int icon_index) {
    ShortcutSpec spec;
    spec.target = kBookmarkTarget;
    spec.link_file = link_file;
    spec.arguments.reserve(address.size() + 2);
    spec.arguments += '"';
    spec.arguments += address;
    spec.arguments += '"';
    spec.description = address;
    spec.show_command = 1;
    if (icon_file.empty()) {
        spec.icon_file = kBookmarkDefaultIcon;
        spec.icon_index = 0;
    } else {
        spec.icon_file = icon_file;
        spec.icon_index = icon_index;
    }
    return spec;
}

}  // namespace trevalon
