// Depth-first pre-order walk over a folder tree with an explicit stack, so a
// tree of any depth is walked without deep recursion. Shared by the folder
// scan and the menu search.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "menu/directory_listing.h"

namespace trevalon {

// Called for every entry below the start folder, in pre-order: a folder is
// followed at once by everything below it. folder is the entry's folder
// (ending in the separator); depth is 0 for entries directly in the start
// folder. A folder that cannot be listed contributes nothing.
//
// A linked folder whose target is the folder being walked or one above it is
// reported but not entered: following it would never end.
using FolderWalkVisitor =
    std::function<void(const std::string& folder, const DirectoryEntry& entry, int depth)>;
void walk_folder_tree(std::string_view start, const FolderWalkVisitor& visit,
                      const FolderLister& list = list_directory_kinds);

}  // namespace trevalon
