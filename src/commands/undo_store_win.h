// Undo's copies in the running program's data folder (the rules:
// undo_store.h): each edit's copies live in a folder of their own below the
// undo folder, named by the edit's number; the undo folder goes at exit and
// at start.
#pragma once

#include <optional>
#include <string>

namespace trevalon {

struct ProgramFolders;

// The folder of edit `id`'s copies; empty without an undo folder.
std::string edit_store(const ProgramFolders& folders, int id);

// Copies the file into the edit's store as copy number `index`; the copy's
// path, or nothing when it could not be made whole.
std::optional<std::string> keep_file(const ProgramFolders& folders, int id, int index,
                                     const std::string& path);
// The same for a folder with everything in it: nothing unless every file
// and folder of the tree was copied whole.
std::optional<std::string> keep_tree(const ProgramFolders& folders, int id, int index,
                                     const std::string& folder);

// Removes the copies of one edit, or all of them.
void discard_edit_store(const ProgramFolders& folders, int id);
void discard_undo_store(const ProgramFolders& folders);

}  // namespace trevalon
