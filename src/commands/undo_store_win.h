// Where Undo keeps its copies, and the real disk it works on. Each edit's
// copies live in a folder of their own below the program's undo folder,
// named by the edit's number; the undo folder goes at exit and at start.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/undo_run.h"

namespace trevalon {

struct ProgramFolders;

// The folder of edit `id`'s copies; empty without an undo folder.
std::string edit_store(const ProgramFolders& folders, int id);

// Copies the file into the edit's store as copy number `index`; the copy's
// path, or nothing when it could not be made whole.
std::optional<std::string> keep_file(const ProgramFolders& folders, int id, int index,
                                     const std::string& path);
// The same for a folder with everything in it: nothing unless every file
// and folder of the tree was copied.
std::optional<std::string> keep_tree(const ProgramFolders& folders, int id, int index,
                                     const std::string& folder);

// Removes the copies of one edit, or all of them.
void discard_edit_store(const ProgramFolders& folders, int id);
void discard_undo_store(const ProgramFolders& folders);

// The file system as undo sees it. Files set aside go into `aside_folder`;
// restored trees may only be removed again inside `roots`.
class WindowsUndoDisk final : public UndoDisk {
  public:
    WindowsUndoDisk(std::string aside_folder, std::vector<std::string> roots)
        : aside_folder_(std::move(aside_folder)), roots_(std::move(roots)) {}

    PathState state(const std::string& path) const override;
    std::optional<Fingerprint> fingerprint(const std::string& path) const override;
    std::optional<std::string> set_aside(const std::string& path) override;
    bool put_back(const std::string& aside, const std::string& path) override;
    bool remove_empty_folder(const std::string& path) override;
    bool make_folder(const std::string& path) override;
    bool copy_in(const std::string& kept, const std::string& path) override;
    bool remove_file(const std::string& path) override;
    bool copy_tree_in(const std::string& kept, const std::string& path) override;
    bool remove_tree(const std::string& path) override;
    bool rename(const std::string& from, const std::string& to) override;

  private:
    std::string aside_folder_;
    std::vector<std::string> roots_;
    int asides_ = 0;
};

}  // namespace trevalon
