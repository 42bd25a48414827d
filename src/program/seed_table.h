// The starter set the own menu is filled with when it is created: shortcuts
// copied from the system's start menu, in a fixed order (a later row may
// overwrite an earlier one's target).
#pragma once

#include <span>
#include <string_view>

namespace trevalon {

enum class SeedSource { user_programs, common_programs, favorites, none };

enum class SeedAction {
    copy_file,      // one file, overwriting
    create_folder,  // the target folder
    copy_pattern,   // the matching files of a folder into the target folder
};

struct SeedRow {
    SeedAction action;
    SeedSource source;
    std::string_view source_path;   // relative to the source folder
    std::string_view target;        // relative to the own-menu folder
    std::string_view pattern = {};  // copy_pattern: "*.lnk" or "*.url"
    bool recursive = false;         // copy_pattern: also the subfolders
};

std::span<const SeedRow> seed_rows();

}  // namespace trevalon
