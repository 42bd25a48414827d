// Undo as the window offers it (command 70: Ctrl+Z and the last item of both
// context menus), and what the operations call to record their edits.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/import_plan.h"
#include "commands/undo_journal.h"

namespace trevalon {

struct App;
class MenuView;

// A new edit of `kind` with the next number; `subject` names it.
Edit new_edit(App& app, EditKind kind, std::string subject);

// Adds a finished edit as the newest. An edit without steps is not kept;
// one that falls off the end of the journal takes its copies with it.
void record_edit(App& app, Edit edit);

// The step that takes away a file an edit has just made, with the
// fingerprint of its bytes as they are now; nothing when it cannot be read.
std::optional<UndoStep> made_file_step(const std::string& path);

// The name of an entry as the list shows it: its file name without the
// extension.
std::string entry_subject(const std::string& path);

// Takes the newest edit back, or says why it cannot; then shows the folder
// it touched.
void undo_last_edit(App& app, MenuView& view);

// Drops the cut edits of waiting entries that were settled (sent back or
// removed): there is no cut left to take back.
void forget_cuts(App& app, const std::vector<std::string>& settled);

}  // namespace trevalon
