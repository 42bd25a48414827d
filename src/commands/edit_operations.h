// What the editing commands do to the disk, and the steps Undo needs to take
// it back, on a FileDisk. The commands (the *_commands_win files) add the
// questions, the clipboard, the journal and the view; this is the part that
// must leave every entry exactly once, with its bytes, whatever step a run
// ends at, so it is tested on an in-memory disk stopped after every step.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/cut_keeper.h"
#include "commands/import_plan.h"
#include "commands/undo_journal.h"
#include "commands/undo_run.h"
#include "commands/undo_store.h"

namespace trevalon {

struct EditPlaces {
    UndoFolders undo;
    CutFolders cuts;
};

// The step that takes away a file an edit has just made, with the
// fingerprint of its bytes as they are now; nothing when it cannot be read.
std::optional<UndoStep> made_file_step(const FileDisk& disk, const std::string& path);

// Cut, once start_cut (cut_keeper.h) has made the waiting copy and the
// clipboard lists it: the entry itself goes. Gives the step that puts it
// back; nothing when it could not go (then the waiting copy goes instead).
std::optional<UndoStep> finish_cut(FileDisk& disk, const EditPlaces& places,
                                   const std::string& entry, const std::string& waiting);

// Paste and drops: plans the import (import_plan.h) and makes each entry
// whole. A waiting cut entry is taken: its note says where it goes before
// the copy, and that it was pasted after. With `move`, the shortcuts from
// inside `menu_root` go from where they were (a copy kept for Undo first),
// each under a note while it is in two places.
struct ImportRequest {
    std::vector<std::string> paths;
    std::string target_folder;
    bool move = false;
    std::string menu_root;    // a move takes only entries from inside it
    std::string list_folder;  // and never into the folder the list shows
};
struct ImportOutcome {
    std::vector<ImportStep> imported;
    std::vector<SkippedPath> skipped;     // planned out, or failed
    std::vector<UndoStep> steps;          // what takes the import back
    std::vector<std::string> cuts_taken;  // waiting entries pasted for the first time
    std::vector<std::string> moved;       // sources a move took away
};
ImportOutcome import_entries(FileDisk& disk, const EditPlaces& places, int edit_id,
                             const ImportRequest& request);

enum class DeleteResult {
    deleted,      // gone (to the Recycle Bin or for good), a copy kept for Undo
    partly,       // a folder only partly deleted: Undo brings back the rest
    not_kept,     // no whole copy could be kept, so nothing was deleted
    not_deleted,  // kept, but the delete failed and nothing changed
};
struct DeleteOutcome {
    DeleteResult result = DeleteResult::not_deleted;
    std::optional<UndoStep> step;
};
// Keeps a whole copy for Undo first, then recycles or removes for good
// (a folder only strictly inside `roots`).
DeleteOutcome delete_kept(FileDisk& disk, const EditPlaces& places, int edit_id,
                          const std::string& path, bool folder, bool recycle,
                          const std::vector<std::string>& roots);

// A rename (one step); the step that renames it back.
std::optional<UndoStep> rename_on(FileDisk& disk, const std::string& from, const std::string& to,
                                  bool folder);
// A new folder (one step); the step that removes it while it is empty.
std::optional<UndoStep> new_folder_on(FileDisk& disk, const std::string& path);

// Takes the newest edit back (undo_run.h) on the disk; when done, the cut it
// carried ends (its waiting copy goes) and its copies go.
UndoResult undo_newest_on(FileDisk& disk, const EditPlaces& places, UndoJournal& journal);

// Finishes an undo a run left in the middle (its note in the undo folder);
// true when there was one.
bool finish_interrupted_undo(FileDisk& disk, const EditPlaces& places);

// At start, after a run that may have ended anywhere: an undo cut short is
// finished, waiting entries are settled, then every copy kept for Undo goes.
SettleReport recover_at_start(FileDisk& disk, const EditPlaces& places);

}  // namespace trevalon
