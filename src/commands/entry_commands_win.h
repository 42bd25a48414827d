// The file-list context commands on entries, but for copy, cut and paste
// (clipboard_commands_win.h).
#pragma once

#include <string>
#include <string_view>

#include "window/selection.h"

namespace trevalon {

struct App;
class MenuView;

// What a right click on the entry at path learns: its target, a note and
// whether it starts a program.
SelectedEntry read_selected_entry(const std::string& path, const std::string& display);

// New shortcut: the system's shortcut wizard makes a link in the listed
// folder, starting from an empty "_temp_.lnk"; a notice waits for the user.
void new_shortcut(App& app, MenuView& view);

// Delete: to the Recycle Bin without a question; where the place has none,
// only after the user agreed. Undo brings it back either way.
void delete_entry(App& app, MenuView& view, const SelectedEntry& entry);

// Asks for a new name (the extension stays); refuses a name already taken.
void rename_entry(App& app, MenuView& view, const SelectedEntry& entry);

// Copies the entry into the bookmarks folder. The same entry added again
// replaces its copy; a different bookmark of that name is kept and the new
// one gets a free name.
void add_to_bookmarks(App& app, const SelectedEntry& entry);

void show_entry_information(App& app, bool editable, const SelectedEntry& entry);

}  // namespace trevalon
