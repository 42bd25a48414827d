// Taking the newest edit back: first every step is checked against the disk
// as the earlier steps would leave it, so an undo that cannot be done
// changes nothing; then the steps run in order, and a step that fails puts
// back what the earlier ones did.
#pragma once

#include <optional>
#include <string>

#include "commands/undo_journal.h"

namespace trevalon {

enum class PathState {
    missing,  // nothing of that name: the path is free
    file,
    empty_folder,
    folder,   // a folder with something in it
    unknown,  // cannot be examined: counts as taken
};

// What undo needs of the file system. Every change reports whether it
// happened; none replaces anything that exists.
class UndoDisk {
  public:
    virtual ~UndoDisk() = default;

    virtual PathState state(const std::string& path) const = 0;
    // The file's fingerprint; nothing when it cannot be read.
    virtual std::optional<Fingerprint> fingerprint(const std::string& path) const = 0;

    // Moves a file out of the way, somewhere it can come back from; gives
    // that place.
    virtual std::optional<std::string> set_aside(const std::string& path) = 0;
    // Brings a file set aside back to path.
    virtual bool put_back(const std::string& aside, const std::string& path) = 0;
    virtual bool remove_empty_folder(const std::string& path) = 0;
    virtual bool make_folder(const std::string& path) = 0;
    // Copies the kept file to path (making its folder if need be).
    virtual bool copy_in(const std::string& kept, const std::string& path) = 0;
    virtual bool remove_file(const std::string& path) = 0;
    // Copies the kept folder tree to path, every file and folder of it.
    virtual bool copy_tree_in(const std::string& kept, const std::string& path) = 0;
    // Removes a folder tree this undo has just put there.
    virtual bool remove_tree(const std::string& path) = 0;
    virtual bool rename(const std::string& from, const std::string& to) = 0;
};

// The first path that is no longer as the edit left it, so that the edit
// cannot be taken back; nothing when every step can run.
std::optional<std::string> undo_blocked_at(const Edit& edit, const UndoDisk& disk);

enum class UndoStatus {
    done,             // the edit is taken back and out of the journal
    nothing_to_undo,  // the journal is empty
    changed_since,    // `path` was changed since; nothing was done
    failed,           // a step failed at `path`; what ran was put back
};

struct UndoResult {
    UndoStatus status = UndoStatus::nothing_to_undo;
    std::string path;
    std::optional<Edit> undone;  // the edit taken back (done only)
};

// Takes the newest edit back. It stays in the journal unless it was done.
UndoResult undo_newest(UndoJournal& journal, UndoDisk& disk);

}  // namespace trevalon
