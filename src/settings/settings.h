// The user's settings, their defaults and the text form of the settings
// file. Plain and copyable: the main thread owns the record; a
// later edge-watcher thread gets its own copies of the two values it reads.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "menu/unicode_text.h"
#include "settings/hotkey.h"

namespace trevalon {

// The Theme setting's values.
inline constexpr int kThemeFollowsSystem = 0;
inline constexpr int kThemeLight = 1;
inline constexpr int kThemeDark = 2;

struct Settings {
    int load_on_windows_start = 0;
    int allow_internet_access = 1;
    int search_recent_documents = 1;
    int keep_recent_objects_days = 14;
    std::string my_own_menu;  // default: the own-menu folder
    std::string menu_type_active = "m";
    int menu_on_program_start = 0;
    int icon_format = 0;
    int window_smaller = 1;
    int window_close_to_tab_bar = 1;
    int mouse_cursor_vertical = 1;
    int mouse_cursor_horizontal = 0;
    int explorer_list_click_event = 0;
    // Added later: files written before them lack the keys and read the
    // defaults; older versions skip the lines they do not know.
    std::string hotkey{kDefaultHotkeyText};  // brings the window forward; empty: none
    int windows_key_alone = 0;               // 1: a press of the Windows key alone shows the window
    // 1: Enter in the search field starts the top live result; 0: it runs
    // the search command, as the search button does.
    int search_enter_starts_first = 1;
    // The window's colours: 0 as the system's apps, 1 light, 2 dark. High
    // contrast, when on, overrides it.
    int theme = 0;

    // Text values whose line was not UTF-8 and was read in the legacy code
    // page, by key: the value as read then, and the line's bytes. While the
    // value stays as read, the bytes are written back as they were, so a
    // wrong guess of the code page never alters a path in the file.
    struct LegacyValue {
        std::string read;
        std::string bytes;
        bool operator==(const LegacyValue&) const = default;
    };
    std::map<std::string, LegacyValue> legacy_values;

    bool operator==(const Settings&) const = default;
};

// The defaults, with MyOwnMenu pointing at the own-menu folder.
Settings default_settings(std::string_view own_menu_folder);

// Reads the settings file's text. Keys match in any letter case; a missing key
// keeps its default; a number that is not one reads as 0, and one outside
// the values a key takes reads as its default. Tolerates what a
// hand edit leaves: spaces around "=", blank lines, ";" and "#" comments,
// "[group]" headers, LF-only line ends, a UTF-8 byte order mark.
Settings parse_settings(std::string_view text, std::string_view own_menu_folder);

// The file's text: one "Key = value" line per setting in the fixed order,
// each ended by CR LF.
std::string format_settings(const Settings& settings);

// The settings from the file's raw bytes, line by line: a line that is not
// valid UTF-8 (the predecessor's, or one byte damaged) is read in the legacy
// code page; every other line stays UTF-8.
Settings parse_settings_file(std::string_view bytes, std::string_view own_menu_folder,
                             const LegacyToUtf8& legacy_to_utf8);

// Decimal value of the text's leading number (optional sign, then digits),
// 0 when it does not start with one, saturated to the int range.
int parse_setting_number(std::string_view text);

}  // namespace trevalon
