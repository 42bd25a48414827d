// Copy, cut and paste of entries through the clipboard.
#pragma once

#include <string>
#include <vector>

#include "commands/import_plan.h"
#include "commands/undo_journal.h"
#include "window/selection.h"

namespace trevalon {

struct App;
class MenuView;

// An entry whose name Windows reads as a device (or cuts) is refused, with a
// message saying so: true when refused.
bool refused_for_reserved_name(App& app, const std::string& path);

// A paste or drop took waiting cut entries for the first time: it takes
// their cuts' place in the journal (taking it back sends them home).
void take_over_cuts(App& app, Edit& paste, const std::vector<std::string>& taken);

// One message naming every item a paste or drop left out, and why.
void say_skipped(App& app, const std::vector<SkippedPath>& skipped);

// Copy: the entry's path goes on the clipboard. A cut entry still waiting to
// be pasted goes back to its folder (cut_keeper_win.h). An entry of a name
// Windows reads as a device is refused with a message, as for cut.
void copy_entry(App& app, MenuView& view, const SelectedEntry& entry);

// Cut: the entry moves into a waiting place of the cut-entries folder, noted
// with where it came from, and that copy goes on the clipboard. The entry
// cut before it goes back to its folder unless it was pasted. Nothing
// changes when a step fails; a copy that cannot be kept is said. Undo sends
// the entry back.
void cut_entry(App& app, MenuView& view, const SelectedEntry& entry);

// Paste: the clipboard's files are imported into the listed folder; more than
// five are imported only after the user agreed; one message names every
// item left out and why. Undo removes what it made and, for a cut entry,
// sends it back to where it was cut from.
void paste_entries(App& app, MenuView& view);

}  // namespace trevalon
