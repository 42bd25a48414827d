// Where Undo keeps its copies, on a FileDisk: each edit's copies live in a
// folder of their own below the undo folder, named by the edit's number;
// the undo folder goes at exit and at start. Also the disk Undo runs on.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/disk_steps.h"
#include "commands/undo_run.h"

namespace trevalon {

struct UndoFolders {
    std::string data;  // the program's data folder, which holds the undo folder
    std::string undo;  // ends in a separator; empty: nothing can be kept
    Staging staging;
};

// The folder of edit `id`'s copies; empty without an undo folder.
std::string edit_store(const UndoFolders& folders, int id);

// Copies the file into the edit's store as copy number `index`; the copy's
// path, or nothing when it could not be made whole.
std::optional<std::string> keep_file(FileDisk& disk, const UndoFolders& folders, int id, int index,
                                     const std::string& path);
// The same for a folder with everything in it: nothing unless every file
// and folder of the tree was copied whole.
std::optional<std::string> keep_tree(FileDisk& disk, const UndoFolders& folders, int id, int index,
                                     const std::string& folder);

// Removes the copies of one edit, or all of them (links removed as links).
void discard_edit_store(FileDisk& disk, const UndoFolders& folders, int id);
void discard_undo_store(FileDisk& disk, const UndoFolders& folders);

// Undo on a FileDisk. Files set aside go into the edit's store; restored
// trees may only be removed again inside `roots`.
class StoreUndoDisk final : public UndoDisk {
  public:
    StoreUndoDisk(FileDisk& disk, UndoFolders folders, std::string aside_folder,
                  std::vector<std::string> roots)
        : disk_(disk),
          folders_(std::move(folders)),
          aside_folder_(std::move(aside_folder)),
          roots_(std::move(roots)) {}

    PathState state(const std::string& path) const override;
    std::optional<Fingerprint> fingerprint(const std::string& path) const override;
    std::optional<std::string> set_aside(const std::string& path) override;
    bool put_back(const std::string& aside, const std::string& path) override;
    bool remove_empty_folder(const std::string& path) override;
    bool make_folder(const std::string& path) override;
    bool copy_in(const std::string& kept, const std::string& path) override;
    bool remove_file(const std::string& path) override;
    bool copy_tree_in(const std::string& kept, const std::string& path) override;
    bool fill_tree_in(const std::string& kept, const std::string& path,
                      std::vector<std::string>& made) override;
    bool remove_tree(const std::string& path) override;
    bool rename(const std::string& from, const std::string& to) override;

  private:
    FileDisk& disk_;
    UndoFolders folders_;
    std::string aside_folder_;
    std::vector<std::string> roots_;
    int asides_ = 0;
};

}  // namespace trevalon
