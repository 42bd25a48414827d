// Fills the folder tree and the folder table from a menu folder.
#pragma once

#include <string_view>

#include "menu/directory_listing.h"
#include "menu/folder_views.h"
#include "menu/menu_tables.h"

namespace trevalon {

// The text of the menu folder's own item until the caller names it.
inline constexpr std::string_view kTopItemText = "TOP";

// Adds the folders below path to the tree and the table in depth-first
// pre-order. When the table is empty, the menu folder itself comes first, as
// item "TOP" at the given depth; the folders directly inside it share that
// depth and each level below adds 1. Item position, item data and table
// index are equal for every folder when tree and table start out empty. A
// folder the tree refuses to add gets no slot and is left out with all that
// lies below it; without the menu folder's own item nothing is added.
void scan_folder_tree(std::string_view path, int depth, FolderTreeSink& tree, FolderTable& table,
                      const FolderLister& list = list_directory_kinds);

}  // namespace trevalon
