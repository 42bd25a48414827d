// Deleting an entry or a folder so that it can come back.
#pragma once

#include <string>
#include <vector>

#include "commands/undo_journal.h"

namespace trevalon {

struct App;

// A copy is kept for Undo first (nothing is deleted without a whole copy);
// then the shell moves the item to the Recycle Bin, or, when `recycle` is
// false (the place has none and the user agreed), it is deleted for good. A
// folder (kind delete_folder) is only deleted strictly inside one of
// `roots`. Records the edit. A delete refused for want of a copy, one that
// failed, and a folder only partly deleted (Undo brings back the rest) are
// each said in a message. False when nothing was deleted.
bool delete_undoably(App& app, const std::string& path, EditKind kind, std::string subject,
                     bool recycle, const std::vector<std::string>& roots = {});

}  // namespace trevalon
