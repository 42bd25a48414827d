// The file-list context commands on entries, and the paste of files into the
// listed folder.
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

// Copy: the entry's path goes on the clipboard. A cut entry still waiting to
// be pasted goes back to its folder (cut_keeper_win.h).
void copy_entry(App& app, MenuView& view, const SelectedEntry& entry);

// Cut: the entry moves into a waiting place of the cut-entries folder, noted
// with where it came from, and that copy goes on the clipboard. The entry
// cut before it goes back to its folder unless it was pasted. Nothing
// changes when a step fails. Undo sends the entry back.
void cut_entry(App& app, MenuView& view, const SelectedEntry& entry);

// Paste: the clipboard's files are imported into the listed folder; more than
// five are imported only after the user agreed. Undo removes what it made
// and, for a cut entry, sends it back to where it was cut from.
void paste_entries(App& app, MenuView& view);

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
