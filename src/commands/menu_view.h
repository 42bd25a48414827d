// What the entry and folder operations ask of the window after they changed
// something on disk. The window puts its tree and list behind it; tests use a
// model that keeps the same tables.
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

class MenuView {
  public:
    virtual ~MenuView() = default;

    // The folder the file list shows, ending in a separator; empty for none.
    virtual std::string list_folder() const = 0;

    // Shows the current menu again: rebuilds the tree and the folder table,
    // selects item 0 and lists the menu folder.
    virtual void show_menu_again() = 0;
    // Makes the tree item with this number the selection; -1 clears it.
    virtual void select_tree_item(int item) = 0;
    // Opens a folder in the list: converts its internet shortcuts, points the
    // list at it, cleans it up, and sets the window title and header from the
    // tree's selected item.
    virtual void open_folder(std::string_view folder) = 0;
    // Reads the list's folder again (after a change to its content); title and
    // header stay.
    virtual void refresh_list() = 0;
    // Empties the list and forgets its folder.
    virtual void clear_list() = 0;
    // Gives the list the keyboard focus.
    virtual void focus_list() = 0;
    // Selects the list's row of the file at `path` (an entry of the list's
    // folder, after a change made or brought it there), marks it focused,
    // scrolls it into view and gives the list the focus: the user sees what
    // changed and where the keys go. Nothing when the list does not show it.
    virtual void select_entry(std::string_view path) = 0;

    virtual void show_recent_programs() = 0;
    virtual void show_recent_documents() = 0;
    virtual void show_bookmarks() = 0;
};

}  // namespace trevalon
