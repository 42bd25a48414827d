#include "platform/settings_store_win.h"

#include "menu/program_folders.h"
#include "platform/file_ops_win.h"
#include "platform/legacy_text_win.h"
#include "platform/registry_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

// A settings file is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kSettingsFileLimit = 1u << 20;

}  // namespace

SettingsTargets settings_targets(const ProgramFolders& folders) {
    return SettingsTargets{
        .settings_file = folders.settings_file,
        .registry_subkey = find_text("Registry_Subkey"),
        .autostart_name = find_text("Program_Name"),
        .program_file = folders.program_file,
        .program_folder = folders.program_folder,
    };
}

Settings load_settings_file(std::string_view path, std::string_view own_menu_folder) {
    const auto bytes = path.empty() ? std::nullopt : read_file(path, kSettingsFileLimit);
    if (!bytes)
        return default_settings(own_menu_folder);
    return parse_settings_file(*bytes, own_menu_folder, legacy_to_utf8);
}

bool save_settings_to(const Settings& settings, const SettingsTargets& targets,
                      WindowPosition window_position) {
    const bool file_written =
        !targets.settings_file.empty() &&
        write_file_atomically(targets.settings_file, format_settings(settings));

    if (!targets.registry_subkey.empty()) {
        if (UniqueKey key = create_registry_key(HKEY_CURRENT_USER, targets.registry_subkey)) {
            write_registry_string(key.get(), "InstallDir", targets.program_folder);
            write_registry_dword(key.get(), "PosX", static_cast<std::uint32_t>(window_position.x));
            write_registry_dword(key.get(), "PosY", static_cast<std::uint32_t>(window_position.y));
        }
    }

    // An empty name would address the Run key's default value.
    if (!targets.autostart_name.empty()) {
        if (settings.load_on_windows_start > 0) {
            if (UniqueKey run = create_registry_key(HKEY_CURRENT_USER, kRunKey)) {
                write_registry_string(run.get(), targets.autostart_name, targets.program_file);
            }
        } else if (UniqueKey run = open_registry_key(HKEY_CURRENT_USER, kRunKey, KEY_ALL_ACCESS)) {
            delete_registry_value(run.get(), targets.autostart_name);
        }
    }
    return file_written;
}

SavedPosition read_saved_position(std::string_view registry_subkey) {
    SavedPosition position;
    UniqueKey key = open_registry_key(HKEY_CURRENT_USER, registry_subkey, KEY_READ);
    if (!key)
        return position;
    if (const auto x = read_registry_dword(key.get(), "PosX"))
        position.x = static_cast<int>(*x);
    if (const auto y = read_registry_dword(key.get(), "PosY"))
        position.y = static_cast<int>(*y);
    return position;
}

WindowPosition window_frame_position(HWND window) {
    if (!window)
        return {};
    if (IsIconic(window)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        if (GetWindowPlacement(window, &placement)) {
            // The restored rectangle is relative to the work area of its monitor.
            MONITORINFO monitor{};
            monitor.cbSize = sizeof(monitor);
            POINT offset{0, 0};
            if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
                offset.x = monitor.rcWork.left - monitor.rcMonitor.left;
                offset.y = monitor.rcWork.top - monitor.rcMonitor.top;
            }
            return {placement.rcNormalPosition.left + offset.x,
                    placement.rcNormalPosition.top + offset.y};
        }
    }
    RECT frame{};
    GetWindowRect(window, &frame);
    return {frame.left, frame.top};
}

}  // namespace trevalon
