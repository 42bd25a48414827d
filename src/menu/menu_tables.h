// The two tables that tie the window's views to the disk: the folder table
// behind the folder tree and the entry-name table behind the file list. They
// grow as needed, so a menu may hold any number of folders and entries.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trevalon {

// Slot i is the folder of tree item i; slot 0 is the menu folder itself.
// Paths are stored without a trailing separator.
struct FolderTable {
    std::vector<std::string> paths;

    int count() const { return static_cast<int>(paths.size()); }
    bool valid(int index) const { return index >= 0 && index < count(); }
    void clear() { paths.clear(); }
};

// Slot r holds the file name (with extension) shown in row r of the file list.
struct EntryNameTable {
    std::vector<std::string> names;
    // The folder of each row (ending in the separator) when the rows come
    // from several folders, as search results do while the user types;
    // empty when every row is in the list's folder.
    std::vector<std::string> folders;
    int last_kept = 0;  // index of the last row the clean-up kept

    bool valid(int index) const { return index >= 0 && index < static_cast<int>(names.size()); }
    void clear() {
        names.clear();
        folders.clear();
        last_kept = 0;
    }
    // The full path of row r: its own folder and name, else the list's folder
    // and its name; empty for a row that is no entry or without a folder.
    std::string path(int row, std::string_view list_folder) const {
        if (!valid(row))
            return {};
        const auto r = static_cast<std::size_t>(row);
        const std::string_view folder =
            r < folders.size() ? std::string_view(folders[r]) : list_folder;
        return folder.empty() ? std::string() : std::string(folder) + names[r];
    }
};

}  // namespace trevalon
