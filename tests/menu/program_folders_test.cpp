#include "menu/program_folders.h"

#include <gtest/gtest.h>

#include "program/url_template.h"
#include "settings/settings.h"
#include "texts/text_table.h"
#include "window/view_state.h"

namespace trevalon {
namespace {

SystemFolders sample_system_folders() {
    SystemFolders system;
    system.app_data = "C:\\Users\\u\\AppData\\Roaming";  // without a backslash
    system.temp = "C:\\Users\\u\\AppData\\Local\\Temp\\";
    system.common_programs = "C:\\ProgramData\\Start Menu\\Programs";
    system.user_programs = "C:\\Users\\u\\Start Menu\\Programs\\";
    system.program_file = "C:\\Program Files\\Trevalon\\trevalon.exe";
    return system;
}

TEST(ProgramFolders, DerivesEveryOwnFolderFromTheSystemFoldersAndTheTextTable) {
    TextTable texts;
    load_builtin_texts(texts);
    const ProgramFolders folders = derive_program_folders(sample_system_folders(), texts);

    const std::string data = "C:\\Users\\u\\AppData\\Roaming\\Trevalon\\";
    EXPECT_EQ(folders.app_data, "C:\\Users\\u\\AppData\\Roaming\\");
    EXPECT_EQ(folders.common_programs, "C:\\ProgramData\\Start Menu\\Programs\\");
    EXPECT_EQ(folders.data, data);
    EXPECT_EQ(folders.own_temp, "C:\\Users\\u\\AppData\\Local\\Temp\\Trevalon\\");
    EXPECT_EQ(folders.windows_menu, data + "Windows Menu\\");
    EXPECT_EQ(folders.recent_documents, data + "Recent Documents\\");
    EXPECT_EQ(folders.recent_programs, data + "Recent Programs\\");
    EXPECT_EQ(folders.recent_search, data + "Search Results\\");
    EXPECT_EQ(folders.bookmarks, data + "Bookmarks\\");
    EXPECT_EQ(folders.icon_cache, data + "Icon Cache\\");
    EXPECT_EQ(folders.own_menu, data + "My Menu\\");
    EXPECT_EQ(folders.cut_entries, data + "Clipboard\\");
    EXPECT_EQ(folders.undo, data + "Undo\\");
    EXPECT_EQ(folders.settings_file, data + "Trevalon.prefs");
    EXPECT_EQ(folders.url_template, "C:\\Users\\u\\AppData\\Local\\Temp\\Trevalon\\URLdummy\\");
    EXPECT_EQ(folders.predecessor_data, "C:\\Users\\u\\AppData\\Roaming\\Osmeric\\");
    EXPECT_EQ(folders.program_folder, "C:\\Program Files\\Trevalon\\");
    EXPECT_EQ(folders.program_file, "C:\\Program Files\\Trevalon\\trevalon.exe");
    // Folders the look-up did not answer stay empty instead of becoming "\".
    EXPECT_EQ(folders.desktop, "");
}

TEST(ProgramFolders, NothingIsDerivedFromAnUnknownApplicationDataFolder) {
    TextTable texts;
    load_builtin_texts(texts);
    SystemFolders system = sample_system_folders();
    system.app_data.clear();
    const ProgramFolders folders = derive_program_folders(system, texts);
    EXPECT_EQ(folders.data, "");
    EXPECT_EQ(folders.own_menu, "");
    // Nothing is ever copied into, or removed from, a folder made from nothing.
    EXPECT_EQ(folders.undo, "");
    EXPECT_EQ(folders.settings_file, "");
    EXPECT_EQ(folders.predecessor_data, "");
    EXPECT_EQ(folders.own_temp, "C:\\Users\\u\\AppData\\Local\\Temp\\Trevalon\\");
}

TEST(ProgramFolders, PathHelpers) {
    EXPECT_EQ(with_backslash("C:\\a"), "C:\\a\\");
    EXPECT_EQ(with_backslash("C:\\a\\"), "C:\\a\\");
    EXPECT_EQ(with_backslash(""), "");
    EXPECT_EQ(folder_of("C:\\a\\b.exe"), "C:\\a\\");
    EXPECT_EQ(folder_of("b.exe"), "");
}

TEST(FirstMenu, WindowsMenuOnlyWhenTheSettingsAskForIt) {
    TextTable texts;
    texts.set("TXT00205", "Windows menu");
    texts.set("TXT00206", "My menu");
    Settings settings = default_settings("C:\\Own\\");
    struct Case {
        int on_start;
        const char* last_mode;
        bool windows;
    };
    for (const Case c :
         {Case{0, "m", false}, Case{0, "w", false}, Case{1, "m", true}, Case{1, "w", true},
          Case{2, "m", false}, Case{2, "w", true}, Case{3, "w", false}, Case{2, "W", false}}) {
        settings.menu_on_program_start = c.on_start;
        settings.menu_type_active = c.last_mode;
        const ViewState view = choose_first_menu(settings, "C:\\Data\\Windows Menu\\", texts);
        SCOPED_TRACE(testing::Message() << c.on_start << " " << c.last_mode);
        EXPECT_EQ(view.record_launch, 1);
        if (c.windows) {
            EXPECT_EQ(view.menu_mode, "w");
            EXPECT_EQ(view.menu_root, "C:\\Data\\Windows Menu\\");
            EXPECT_EQ(view.caption_key, "TXT00205");
            EXPECT_EQ(view.caption, "Windows menu");
            EXPECT_EQ(view.editable, 1);
        } else {
            EXPECT_EQ(view.menu_mode, "m");
            EXPECT_EQ(view.menu_root, "C:\\Own\\");
            EXPECT_EQ(view.caption_key, "TXT00206");
            EXPECT_EQ(view.caption, "My menu");
            EXPECT_EQ(view.editable, 2);
        }
    }
}

TEST(UrlTemplate, SixLinesEndedByCrLf) {
    EXPECT_EQ(compose_url_template("https://www.quorvane.example/trevalon/",
                                   "C:\\Temp\\Trevalon\\URLdummy\\"),
              "[InternetShortcut]\r\n"
              "URL=https://www.quorvane.example/trevalon/\r\n"
              "IDList=\r\n"
              "HotKey=0\r\n"
              "IconFile=C:\\Temp\\Trevalon\\URLdummy\\URL.ico\r\n"
              "IconIndex=0\r\n");
}

}  // namespace
}  // namespace trevalon
