// Turns the file list's raw file names into menu entries.
#pragma once

#include <string>
#include <string_view>

#include "menu/folder_views.h"
#include "menu/menu_tables.h"

namespace trevalon {

// Drops the rows a menu never shows (thumbs.db, desktop.lnk and every *.ini,
// in any letter case), stores each kept row's file name in the table at the
// row's index and shows its display name instead.
void clean_up_file_list(FileListModel& list, EntryNameTable& table);

// The name cut before its last ".": a.b.lnk shows as a.b, a name without a
// dot stays whole, ".lnk" shows as the empty string.
std::string display_name(std::string_view file_name);

// True for the files a menu never lists.
bool is_hidden_menu_file(std::string_view file_name);

}  // namespace trevalon
