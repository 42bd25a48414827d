// How the view state changes when the user switches what the window shows:
// the menus, the lists, a folder opened from the tree and the back button.
#pragma once

#include <string_view>

#include "window/view_state.h"

namespace trevalon {

struct Settings;
class TextTable;

// Commands 1 and 2: the own menu (the folder of MyOwnMenu) or the Windows
// menu, editable only for the own menu, launches recorded, item 0 selected
// with a fresh history. The mode is kept in the settings too.
void enter_own_menu(ViewState& view, Settings& settings, const TextTable& texts);
void enter_windows_menu(ViewState& view, Settings& settings, std::string_view windows_menu_folder,
                        const TextTable& texts);

enum class ListView { recent_programs, recent_documents, bookmarks, search_results };

// The lists leave the tree without a selection. Recent programs and
// bookmarks may be changed; launches are recorded from the bookmarks only; a
// search leaves the record flag as it was.
void enter_list(ViewState& view, ListView list);

// A folder opened from the tree: it becomes the selection and the current
// history element, the one before moves back; launches are recorded, and the
// view may be changed in the own menu only.
void open_tree_item(ViewState& view, int item);

// The back button: while the tree has a selection the two history elements
// swap; the item to select is then history element 0.
int go_back(ViewState& view);

// A folder of the tree opened again (by the back button): the flags as for
// open_tree_item, the history untouched.
void reopen_tree_item(ViewState& view, int item);

}  // namespace trevalon
