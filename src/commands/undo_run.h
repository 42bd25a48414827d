// Taking the newest edit back: first every step is checked against the disk
// as the earlier steps would leave it, so an undo that cannot be done
// changes nothing; then the steps run in order, and a step that fails puts
// back what the earlier ones did.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "commands/undo_journal.h"

namespace trevalon {

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
    // Copies the kept folder tree to path, which must be free, every file
    // and folder of it. When that fails, what it made goes again, and only
    // that: a folder someone else put there meanwhile stays.
    virtual bool copy_tree_in(const std::string& kept, const std::string& path) = 0;
    // Copies the files and folders of the kept tree that are missing at
    // path (a folder, or free) and adds what it made to `made`, in the
    // order made; nothing there is replaced. False when one could not be
    // made (what was made is in `made`).
    virtual bool fill_tree_in(const std::string& kept, const std::string& path,
                              std::vector<std::string>& made) = 0;
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

// Told how many steps are done: 0 once the checks have passed and before
// the first step runs, then after each step. Answering false at 0 stops the
// undo before anything changed (status failed).
using UndoProgress = std::function<bool(std::size_t done)>;

// Takes the newest edit back. It stays in the journal unless it was done.
UndoResult undo_newest(UndoJournal& journal, UndoDisk& disk, const UndoProgress& progress = {});

// Carries out the steps from `done` on, after a run that ended in the middle
// of an undo: a step already done (its result is on the disk) is passed
// over, so each step can be run again. Gives the steps that failed.
std::size_t finish_undo(const std::vector<UndoStep>& steps, std::size_t done, UndoDisk& disk);

}  // namespace trevalon
