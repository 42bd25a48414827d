// What the folder tree and the file list show: a menu with its folder tree,
// the recent programs, the recent documents, the bookmarks, search results;
// the two tree commands; and the main window's callback.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

namespace trevalon {

struct WindowState;

// Each procedure here shows the wait cursor and keeps the main window from
// drawing while it runs, so the tree and the list are repainted once.

// Shows a menu folder with its folder tree under the caption (the menu's
// name). The Windows-menu folder is first rebuilt from the common and the
// user programs folders (the user's copy of a shortcut in both wins). Item 0
// is selected and named caption + " - " + TXT00200; the list shows its files.
void show_menu(WindowState& state, std::string_view menu_folder, std::string_view caption);

// The three lists; the folder tree is left as it is. The recent documents are
// a fresh copy of the files of the system's Recent folder.
void show_recent_programs(WindowState& state);
void show_recent_documents(WindowState& state);
void show_bookmarks(WindowState& state);

// Searches the menu folder, the common and the user programs folders and,
// when SearchRecentDocuments is above 0, the system's Recent folder for
// files whose names contain the text, and shows the matches.
void show_search_results(WindowState& state, std::string_view menu_folder,
                         std::string_view search_text);

// Expands every tree item and keeps the selected one selected and in view.
void expand_folder_tree(WindowState& state);
// Collapses every tree item; with an item selected the list shows its folder.
void collapse_folder_tree(WindowState& state);

// Opening a folder in the list: its internet shortcuts are converted, the
// list is pointed at the folder (ending in "\") and cleaned up.
void open_folder_in_list(WindowState& state, std::string_view folder);

// The file a row of the list stands for: a row of a folder, or a search
// result shown as the user types. Empty for no row, or a row that is no file.
std::string listed_entry_path(const WindowState& state, int row);

// Makes the list's row of the file at `path` (one of the list's folder, by
// its name or the name an internet shortcut took as a link) the selected and
// focused row, scrolled into view, and gives the list the focus. Returns
// false, changing nothing, when the list shows no such row.
bool select_listed_entry(WindowState& state, std::string_view path);

// The window title (the program's name, " - ", the text) and the list's
// caption (control 5, the text alone).
void set_view_title(WindowState& state, std::string_view text);

// The main window's own handling of a message before the default handling;
// an answer means the message is handled. When the session ends
// (WM_QUERYENDSESSION) it runs `end_session`: the exit clean-up, which ends
// the process.
std::optional<LRESULT> main_window_callback(WindowState& state, HWND window, UINT message,
                                            WPARAM wparam, LPARAM lparam);

}  // namespace trevalon
