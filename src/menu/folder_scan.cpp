#include "menu/folder_scan.h"

#include "menu/folder_walk.h"
#include "menu/path_text.h"

namespace trevalon {

namespace {
void add_folder(FolderTreeSink& tree, FolderTable& table, std::string_view text, int depth,
                std::string path) {
    const int position = tree.add_item(text, depth);
    tree.set_item_data(position, table.count());
    table.paths.push_back(std::move(path));
}
}  // namespace

void scan_folder_tree(std::string_view path, int depth, FolderTreeSink& tree, FolderTable& table,
                      const FolderLister& list) {
    if (table.count() == 0)
        add_folder(tree, table, kTopItemText, depth, without_trailing_separator(path));
    walk_folder_tree(
        path,
        [&](const std::string& folder, const DirectoryEntry& entry, int level) {
            if (entry.is_directory)
                add_folder(tree, table, entry.name, depth + level, folder + entry.name);
        },
        list);
}

}  // namespace trevalon
