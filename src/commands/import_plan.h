// Importing files into a menu folder (paste and drops): which paths become
// which entries, decided before anything is written so that each target name
// is free and no existing entry is ever replaced.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "menu/free_name.h"

namespace trevalon {

enum class PathKind { missing, empty_file, file, directory };
using PathProbe = std::function<PathKind(const std::string& path)>;

enum class ImportAction {
    copy,  // a shell link or internet shortcut, copied as it is
    link,  // anything else: a new shell link to it
};

struct ImportStep {
    std::string source;
    ImportAction action = ImportAction::copy;
    std::string target;          // the new entry's path, free when planned
    std::string link_target;     // what a new link points to (a folder without its separator)
    std::string working_folder;  // for a link to a file: the file's own folder
};

enum class SkipReason {
    missing,         // no such file or folder
    empty_shortcut,  // a .lnk or .url of 0 bytes
    no_free_name,    // every numbered name up to 99 is taken
    no_room,         // the target folder's path leaves no room for a name
    reserved_name,   // Windows keeps the name for a device, or it ends in a dot or blank
    failed,          // planned, but the copy or the link could not be made
};

struct SkippedPath {
    std::string source;
    SkipReason reason;
};

struct ImportPlan {
    std::vector<ImportStep> steps;
    std::vector<SkippedPath> skipped;
};

// Plans the import of paths, in order, into target_folder (ending in a
// separator). A name planned for an earlier path counts as taken for the later
// ones, so two dropped files of one name get two entries. Names are cut so
// that each new entry's path, even with a free-name number, stays within the
// longest path the system takes (fit_base_name).
ImportPlan plan_import(const std::vector<std::string>& paths, std::string_view target_folder,
                       const PathProbe& probe, const PathExists& exists);

// After a move-drop: the sources to delete because their entry now lives in
// the target. Only copied shortcuts qualify (a new link still points at its
// source, so deleting that would break it), only those that were imported,
// only from inside the shown menu, and never when the target is the folder
// the list shows (the entry would simply come back under a new name).
std::vector<std::string> sources_to_delete_after_move(const std::vector<ImportStep>& imported,
                                                      std::string_view menu_root,
                                                      std::string_view target_folder,
                                                      std::string_view list_folder);

// Whether two paths name the same file, letter case ignored as the file
// system does.
bool same_path(std::string_view a, std::string_view b);
// Whether path lies inside folder (ending in a separator), letter case ignored.
bool path_is_inside(std::string_view path, std::string_view folder);

}  // namespace trevalon
