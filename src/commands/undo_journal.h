// The edits of this run that Undo can take back, newest first, and for each
// the steps that take it back. Plain data: the Windows side keeps the copies
// the steps refer to and carries them out (undo_run.h decides and orders).
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/file_disk.h"

namespace trevalon {

enum class EditKind {
    delete_entry,
    delete_folder,
    rename_entry,
    rename_folder,
    new_folder,
    paste,
    drop,
    move,
    cut,
    add_to_bookmarks,
};

enum class UndoAction {
    // path holds a file the edit made, with `fingerprint`; it is removed.
    remove_made_file,
    // path is a folder the edit made, still empty; it is removed.
    remove_made_folder,
    // path is free; the file kept at `kept` goes back there, byte for byte.
    restore_file,
    // path is free; the folder tree kept at `kept` goes back there.
    restore_folder,
    // path is what is left of a folder a delete could not finish (or free):
    // what the tree kept at `kept` holds beyond it goes back in.
    restore_missing,
    // path holds what the edit renamed (a file with `fingerprint`, or a
    // folder when there is none) and `original` is free; it is renamed back.
    rename_back,
};

struct UndoStep {
    UndoAction action = UndoAction::remove_made_file;
    std::string path;
    std::string original;  // rename_back: the name it had
    std::string kept;      // restore_*: the copy to put back
    std::optional<Fingerprint> fingerprint;
};

struct Edit {
    int id = 0;
    EditKind kind = EditKind::delete_entry;
    std::string subject;          // what the Undo item names: an entry's or folder's name
    bool several = false;         // the subject is the first of several entries
    std::vector<UndoStep> steps;  // in the order undo carries them out
    // A waiting cut entry whose cut is over once this edit is taken back
    // (the cut itself, or the paste that took it).
    std::string cut_entry;
};

class UndoJournal {
  public:
    static constexpr std::size_t kCapacity = 20;

    // A number for the next edit; its kept copies are filed under it.
    int next_id() { return next_id_++; }

    // Adds the edit as the newest. Returns the oldest edit when that fell off
    // the end, so its kept copies can go.
    std::optional<Edit> record(Edit edit);

    // The edit Undo takes back next; null when there is none.
    const Edit* newest() const { return edits_.empty() ? nullptr : &edits_.front(); }
    // Takes the newest edit out.
    std::optional<Edit> take_newest();
    // Takes the edit with this id out, wherever it is; nothing when absent.
    std::optional<Edit> take(int id);
    // The edit with this id, or null.
    const Edit* find(int id) const;

    std::size_t size() const { return edits_.size(); }
    bool empty() const { return edits_.empty(); }
    // All edits, newest first, for the exit clean-up.
    const std::deque<Edit>& edits() const { return edits_; }

  private:
    std::deque<Edit> edits_;  // newest first
    int next_id_ = 1;
};

}  // namespace trevalon
