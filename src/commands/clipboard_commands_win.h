// Copy, cut and paste of entries through the clipboard.
#pragma once

#include "window/selection.h"

namespace trevalon {

struct App;
class MenuView;

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

}  // namespace trevalon
