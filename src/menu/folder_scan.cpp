#include "menu/folder_scan.h"

#include <string>

#include "menu/folder_walk.h"
#include "menu/path_text.h"

namespace trevalon {

namespace {

// Adds the item and, only when the tree took it, its table slot: position in
// the tree and slot in the table must stay equal, or every later click would
// open another item's folder.
bool add_folder(FolderTreeSink& tree, FolderTable& table, std::string_view text, int depth,
                std::string path) {
    const int position = tree.add_item(text, depth);
    if (position < 0)
        return false;
    tree.set_item_data(position, table.count());
    table.paths.push_back(std::move(path));
    return true;
}

}  // namespace

void scan_folder_tree(std::string_view path, int depth, FolderTreeSink& tree, FolderTable& table,
                      const FolderLister& list) {
    if (table.count() == 0 &&
        !add_folder(tree, table, kTopItemText, depth, without_trailing_separator(path))) {
        return;
    }
    // A folder the tree refused goes with everything below it: its subfolders
    // would stand under another item.
    std::string left_out;
    walk_folder_tree(
        path,
        [&](const std::string& folder, const DirectoryEntry& entry, int level) {
            if (!left_out.empty()) {
                if (folder.starts_with(left_out))
                    return;
                left_out.clear();
            }
            if (entry.is_directory &&
                !add_folder(tree, table, entry.name, depth + level, folder + entry.name)) {
                left_out = folder + entry.name + kPathSeparator;
            }
        },
        list);
}

}  // namespace trevalon
