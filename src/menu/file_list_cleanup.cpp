#include "menu/file_list_cleanup.h"

#include "menu/path_text.h"
#include "menu/unicode_text.h"

namespace trevalon {

std::string display_name(std::string_view file_name) {
    return std::string(split_extension(file_name).base);
}

bool is_hidden_menu_file(std::string_view file_name) {
    const std::string lower = ascii_lower(file_name);
    const NameParts parts = split_extension(lower);
    return lower == "thumbs.db" || lower == "desktop.lnk" ||
           (parts.has_dot && parts.extension == "ini");
}

void clean_up_file_list(FileListModel& list, EntryNameTable& table) {
    table.clear();
    int row = 0;
    while (row < list.row_count()) {
        const std::string name = list.row_text(row);
        if (is_hidden_menu_file(name)) {
            const int before = list.row_count();
            list.remove_row(row);
            // A row the list refuses to remove is kept, so the walk always ends.
            if (list.row_count() < before)
                continue;
        }
        table.names.resize(static_cast<std::size_t>(row) + 1);
        table.names[static_cast<std::size_t>(row)] = name;
        table.last_kept = row;
        list.set_row_text(row, display_name(name));
        ++row;
    }
}

}  // namespace trevalon
