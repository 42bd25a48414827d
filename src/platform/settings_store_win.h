// Where the settings live between runs: the settings file in the data folder,
// the program's registry values (program folder, window position) and the
// autostart value.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "settings/settings.h"
#include "settings/window_position.h"

namespace trevalon {

struct ProgramFolders;

// The places one save writes to.
struct SettingsTargets {
    std::string settings_file;
    std::string registry_subkey;  // below HKEY_CURRENT_USER
    std::string autostart_name;   // the value's name under the Run key
    std::string program_file;
    std::string program_folder;
};

// The settings from the file; the defaults for whatever it does not hold or
// when it cannot be read.
Settings load_settings_file(std::string_view path, std::string_view own_menu_folder);

// Writes the file (replacing the old one only once the new one is complete),
// then the registry values, then the autostart value, which exists only
// while LoadOnWindowsStart is greater than 0. Each step runs whether or not
// the one before succeeded; returns whether the file was written.
bool save_settings_to(const Settings& settings, const SettingsTargets& targets,
                      WindowPosition window_position);

// The saved window position; nothing for a coordinate that cannot be read.
SavedPosition read_saved_position(std::string_view registry_subkey);

// The outer frame's top-left corner in screen coordinates; for a minimised
// window, where it will be restored to (its minimised place is no position
// worth saving).
WindowPosition window_frame_position(HWND window);

// The program's places: its settings file, registry key, autostart value.
SettingsTargets settings_targets(const ProgramFolders& folders);

}  // namespace trevalon
