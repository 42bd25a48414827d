// Preparing the program's folders at start-up: the data folder and its
// subfolders, the one-time take-over from the predecessor Osmeric, the
// starter set of the own menu and the internet-shortcut template.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "menu/program_folders.h"

namespace trevalon {

class Dialogs;

struct FolderPreparation {
    bool data_folder_created = false;  // the first start: migration was tried
    bool migrated = false;             // the predecessor's settings were taken over
    bool own_menu_seeded = false;
};

// Creates the folders that must exist, migrates when the data folder is new
// and seeds the own menu when it is new. Nothing is reported but the notice
// after a migration.
FolderPreparation prepare_program_folders(const ProgramFolders& folders, Dialogs& dialogs);

// Takes over the predecessor's data folder, settings file, window position
// and autostart. Returns whether its settings file was taken over (and the
// notice shown); a missing folder or settings file stops it silently.
bool migrate_from_predecessor(const ProgramFolders& folders, Dialogs& dialogs);

// Ends a running predecessor: the first top-level window whose title contains
// "Osmeric -" (any case) and whose process runs a program file named
// "Osmeric…" or one inside the install folder the predecessor's registry key
// names ("InstallDir"). Returns whether a process was ended.
bool end_predecessor_process();

// Copies the starter set from the start-menu folders into the own menu.
void seed_own_menu(const ProgramFolders& folders);

// Writes "URL.ico" (when the icon is not empty) and "URL.url" into the
// template folder, creating it.
void write_url_template(const ProgramFolders& folders, std::string_view address,
                        std::span<const std::uint8_t> icon_file);

}  // namespace trevalon
