// What files and text dropped onto the window become: entries of the folder
// they were dropped on, or a bookmark.
#pragma once

namespace trevalon {

struct App;
class MenuView;
struct Event;

// Files onto the folder tree, into the folder of the tree's current item.
// A move from inside the shown menu deletes each source whose entry was
// copied into the target (never when the target is the listed folder).
// Refused in the Windows menu, which also clears the tree's selection.
void drop_on_tree(App& app, MenuView& view, const Event& drop, int tree_item);

// Files onto the file list become entries of the listed folder; text becomes
// a bookmark there. Either way the list then has the focus and the window
// comes forward. Refused in the Windows menu.
void drop_on_list(App& app, MenuView& view, const Event& drop);

// Files onto the bookmarks button become bookmarks, in either menu.
void drop_on_bookmarks_button(App& app, MenuView& view, const Event& drop);

}  // namespace trevalon
