// The two tables that tie the window's views to the disk: the folder table
// behind the folder tree and the entry-name table behind the file list. They
// grow as needed, so a menu may hold any number of folders and entries.
#pragma once

#include <string>
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
    int last_kept = 0;  // index of the last row the clean-up kept

    bool valid(int index) const { return index >= 0 && index < static_cast<int>(names.size()); }
    void clear() {
        names.clear();
        last_kept = 0;
    }
};

}  // namespace trevalon
