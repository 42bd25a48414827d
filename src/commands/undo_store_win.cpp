#include "commands/undo_store_win.h"

#include "commands/edit_places_win.h"
#include "commands/undo_store.h"
#include "commands/windows_disk_win.h"
#include "menu/program_folders.h"

namespace trevalon {
namespace {

UndoFolders undo_places(const ProgramFolders& folders) {
    return edit_places(folders, folders.own_menu).undo;
}

}  // namespace

std::string edit_store(const ProgramFolders& folders, int id) {
    return edit_store(undo_places(folders), id);
}

std::optional<std::string> keep_file(const ProgramFolders& folders, int id, int index,
                                     const std::string& path) {
    WindowsFileDisk disk;
    return keep_file(disk, undo_places(folders), id, index, path);
}

std::optional<std::string> keep_tree(const ProgramFolders& folders, int id, int index,
                                     const std::string& folder) {
    WindowsFileDisk disk;
    return keep_tree(disk, undo_places(folders), id, index, folder);
}

void discard_edit_store(const ProgramFolders& folders, int id) {
    WindowsFileDisk disk;
    discard_edit_store(disk, undo_places(folders), id);
}

void discard_undo_store(const ProgramFolders& folders) {
    WindowsFileDisk disk;
    discard_undo_store(disk, undo_places(folders));
}

}  // namespace trevalon
