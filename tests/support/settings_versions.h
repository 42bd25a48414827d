// The two versions of the settings the crash-safety harness alternates
// between: they differ in every value and in length, so a file cut short or
// mixed from both cannot pass for either.
#pragma once

#include "settings/settings.h"

namespace trevalon::test {

inline Settings old_settings_version() {
    Settings settings = default_settings("C:\\Users\\me\\AppData\\Roaming\\Trevalon\\My Menu\\");
    return settings;
}

inline Settings new_settings_version() {
    Settings settings;
    settings.load_on_windows_start = 1;
    settings.allow_internet_access = 0;
    settings.search_recent_documents = 0;
    settings.keep_recent_objects_days = 365;
    settings.my_own_menu =
        "D:\\Данные\\Пользователь\\Меню программ\\Ещё одна папка\\メニュー\\"
        "A folder with a rather long name to make this version much longer\\";
    settings.menu_type_active = "w";
    settings.menu_on_program_start = 2;
    settings.icon_format = 1;
    settings.window_smaller = 0;
    settings.window_close_to_tab_bar = 0;
    settings.mouse_cursor_vertical = 0;
    settings.mouse_cursor_horizontal = 1;
    settings.explorer_list_click_event = 2;
    settings.search_enter_starts_first = 0;
    settings.theme = 2;
    return settings;
}

}  // namespace trevalon::test
