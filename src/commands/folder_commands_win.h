// The folder-tree context commands that change or describe menu folders.
#pragma once

#include "window/selection.h"

namespace trevalon {

struct App;
class MenuView;

// Where a new folder goes: directly into the menu folder (command 46) or into
// the folder that was right-clicked (command 47).
enum class NewFolderPlace { menu_root, selected_folder };

// Asks for a name and creates the folder. A name already used by a folder of
// the tree (the menu folder itself aside) is refused and that folder selected
// instead; either way the list then shows the folder of that name.
void new_folder(App& app, MenuView& view, NewFolderPlace place, const SelectedFolder& selected);

// Asks for a new name of the selected folder; refuses a name another folder
// of the tree already has.
void rename_folder(App& app, MenuView& view, const SelectedFolder& selected);

// Asks, then deletes the folder with everything in it: to the Recycle Bin,
// or for good where the place has none (the question then says so); Undo
// brings it back either way. Only a folder inside the shown menu is ever
// deleted, never the menu folder itself.
void delete_folder(App& app, MenuView& view, const SelectedFolder& selected);

// Whether the view may be changed, and the folder's path.
void show_folder_information(App& app, bool editable, const SelectedFolder& selected);

}  // namespace trevalon
