// Folder preparation against fixture trees in a temporary folder: seeding the
// own menu from start-menu folders, the one-time migration, the template.
#include "program/first_run_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "platform/registry_win.h"
#include "support/process_win.h"
#include "support/scripted_dialogs_win.h"
#include "support/temp_dir.h"
#include "support/test_links_win.h"
#include "support/wait_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

constexpr std::string_view kPredecessorKey = "Software\\Quorvane\\Osmeric";

void clear_registry() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quorvane");
    if (UniqueKey run = open_registry_key(HKEY_CURRENT_USER, kRunKey, KEY_ALL_ACCESS)) {
        delete_registry_value(run.get(), "Osmeric");
    }
}

class FirstRun : public testing::Test {
  protected:
    void SetUp() override {
        if (!texts().contains("Program_Name"))
            load_builtin_texts(texts());
        clear_registry();
        SystemFolders system;
        system.app_data = dir_.make_dir("AppData");
        system.temp = dir_.make_dir("Temp");
        system.user_programs = dir_.str() + "User\\";
        system.common_programs = dir_.str() + "Common\\";
        system.favorites = dir_.str() + "Favorites\\";
        system.program_file = dir_.str() + "Program\\trevalon.exe";
        folders_ = derive_program_folders(system, texts());
    }
    void TearDown() override { clear_registry(); }

    // A link in a fixture tree; its target names it, so copies can be told apart.
    void link(const std::string& folder, const std::string& relative) {
        ASSERT_TRUE(test::make_test_link(folder + relative, "C:\\Targets\\" + relative + ".exe"));
    }
    std::string menu(const std::string& relative) const { return folders_.own_menu + relative; }

    test::TempDir dir_;
    ProgramFolders folders_;
    test::ScriptedDialogs dialogs_;
    ComInit com_;
};

TEST_F(FirstRun, SeedsWhatExistsAndSkipsWhatDoesNot) {
    link(folders_.user_programs, "Internet Explorer.lnk");
    link(folders_.user_programs, "Accessories\\Internet Explorer.lnk");
    link(folders_.user_programs, "Accessories\\Notepad.lnk");
    link(folders_.common_programs, "Accessories\\Calculator.lnk");
    link(folders_.common_programs, "Accessories\\Paint.lnk");
    link(folders_.common_programs, "Accessories\\System Tools\\Character Map.lnk");
    link(folders_.common_programs, "Microsoft Office\\Word.lnk");
    link(folders_.common_programs, "Microsoft Office\\Tools\\Excel.lnk");
    dir_.write_file("Common\\Microsoft Office\\readme.txt", "not a link");
    dir_.write_file("Favorites\\Site.url", "[InternetShortcut]\r\nURL=https://example.org/\r\n");
    dir_.write_file("Favorites\\notes.txt", "not a bookmark");
    dir_.write_file("Favorites\\Deeper\\Other.url",
                    "[InternetShortcut]\r\nURL=https://example.net/\r\n");

    const FolderPreparation result = prepare_program_folders(folders_, dialogs_);
    EXPECT_TRUE(result.data_folder_created);
    EXPECT_FALSE(result.migrated);
    EXPECT_TRUE(result.own_menu_seeded);
    EXPECT_TRUE(dialogs_.calls().empty());

    // The later row wins the same target.
    EXPECT_EQ(read_file(menu("Internet Explorer.lnk")),
              read_file(folders_.user_programs + "Accessories\\Internet Explorer.lnk"));
    EXPECT_NE(read_file(menu("Internet Explorer.lnk")),
              read_file(folders_.user_programs + "Internet Explorer.lnk"));
    EXPECT_EQ(read_file(menu("Editor.lnk")),
              read_file(folders_.user_programs + "Accessories\\Notepad.lnk"));
    for (const char* present :
         {"Calculator.lnk", "Graphics\\Paint.lnk", "Office\\Calculator.lnk",
          "Office\\Character Map.lnk", "Office\\Microsoft Office\\Word.lnk",
          "Office\\Microsoft Office\\Tools\\Excel.lnk", "Windows Tools\\Calculator.lnk",
          "Windows Tools\\Paint.lnk", "Windows Tools\\System Tools\\Character Map.lnk",
          "_Links_\\Site.url"}) {
        EXPECT_TRUE(is_file(menu(present))) << present;
    }
    for (const char* absent :
         {"Sticky Notes.lnk", "Mozilla Firefox.lnk", "Graphics\\XnView.lnk",
          "Audio Video\\Sound Recorder.lnk", "Office\\Microsoft Office\\readme.txt",
          "_Links_\\notes.txt", "_Links_\\Deeper", "Adobe"}) {
        EXPECT_FALSE(is_file(menu(absent)) || is_directory(menu(absent))) << absent;
    }
    for (const char* folder : {"Audio Video", "Graphics", "Office"}) {
        EXPECT_TRUE(is_directory(menu(folder))) << folder;
    }
    for (const std::string* folder :
         {&folders_.recent_programs, &folders_.recent_search, &folders_.bookmarks,
          &folders_.icon_cache, &folders_.own_temp}) {
        EXPECT_TRUE(is_directory(*folder)) << *folder;
    }
    // Built when shown, not here.
    EXPECT_FALSE(is_directory(folders_.windows_menu));
    EXPECT_FALSE(is_directory(folders_.recent_documents));
}

// Every file below a folder, by its path relative to it; folders end in "\".
std::map<std::string, std::string> tree_contents(const std::string& root) {
    std::map<std::string, std::string> found;
    std::vector<std::string> pending{""};
    while (!pending.empty()) {
        const std::string relative = pending.back();
        pending.pop_back();
        WIN32_FIND_DATAA entry;
        UniqueFindHandle find(FindFirstFileA((root + relative + "*").c_str(), &entry));
        if (!find)
            continue;
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                found[relative + name + "\\"] = "";
                pending.push_back(relative + name + "\\");
            } else {
                found[relative + name] = read_file(root + relative + name).value_or("?");
            }
        } while (FindNextFileA(find.get(), &entry));
    }
    return found;
}

// All twenty-five rows with every source present: each target holds exactly
// the file its row names, and nothing else is copied.
TEST_F(FirstRun, EveryRowCopiesItsOwnSourceToItsOwnTarget) {
    // Each source says where it came from, so copies can be told apart.
    const auto source = [&](const std::string& folder, const std::string& relative) {
        dir_.write_file(folder + "\\" + relative, folder + ": " + relative);
        return folder + ": " + relative;
    };
    const std::string user = "User";
    const std::string common = "Common";
    source(user, "Internet Explorer.lnk");
    const std::string explorer = source(user, "Accessories\\Internet Explorer.lnk");
    const std::string notepad = source(user, "Accessories\\Notepad.lnk");
    source(user, "Mozilla Firefox.lnk");  // only the common one is taken
    const std::string calculator = source(common, "Accessories\\Calculator.lnk");
    const std::string sticky = source(common, "Accessories\\Sticky Notes.lnk");
    const std::string firefox = source(common, "Mozilla Firefox.lnk");
    const std::string thunderbird = source(common, "Mozilla Thunderbird.lnk");
    const std::string recorder = source(common, "Accessories\\Sound Recorder.lnk");
    const std::string player = source(common, "Accessories\\Windows Media Player.lnk");
    const std::string movie = source(common, "Movie Maker.lnk");
    const std::string paint = source(common, "Accessories\\Paint.lnk");
    const std::string snipping = source(common, "Accessories\\Snipping Tool.lnk");
    const std::string xnview = source(common, "XnView\\XnView.lnk");
    source(common, "XnView\\Uninstall.lnk");
    const std::string office365 = source(common, "Microsoft Office 365.lnk");
    const std::string wordpad = source(common, "Accessories\\WordPad.lnk");
    const std::string charmap = source(common, "Accessories\\System Tools\\Character Map.lnk");
    const std::string word = source(common, "Microsoft Office\\Word.lnk");
    const std::string excel = source(common, "Microsoft Office\\Tools\\Excel.lnk");
    source(common, "Microsoft Office\\readme.txt");
    const std::string reader = source(common, "Adobe\\Reader.lnk");
    const std::string distiller = source(common, "Adobe\\Acrobat\\Distiller.lnk");
    source(common, "Accessories\\notes.txt");
    const std::string site = source("Favorites", "Site.url");
    source("Favorites", "Deeper\\Other.url");
    source("Favorites", "notes.txt");

    ASSERT_TRUE(prepare_program_folders(folders_, dialogs_).own_menu_seeded);

    const std::map<std::string, std::string> expected{
        {"Internet Explorer.lnk", explorer},  // row 2 over row 1
        {"Editor.lnk", notepad},
        {"Calculator.lnk", calculator},
        {"Sticky Notes.lnk", sticky},
        {"Mozilla Firefox.lnk", firefox},
        {"Mozilla Thunderbird.lnk", thunderbird},
        {"Audio Video\\", ""},
        {"Audio Video\\Sound Recorder.lnk", recorder},
        {"Audio Video\\Windows Media Player.lnk", player},
        {"Audio Video\\Movie Maker.lnk", movie},
        {"Graphics\\", ""},
        {"Graphics\\Paint.lnk", paint},
        {"Graphics\\Snipping Tool.lnk", snipping},
        {"Graphics\\XnView.lnk", xnview},
        {"Office\\", ""},
        {"Office\\Microsoft Office 365.lnk", office365},
        {"Office\\WordPad.lnk", wordpad},
        {"Office\\Calculator.lnk", calculator},
        {"Office\\Character Map.lnk", charmap},
        {"Office\\Sticky Notes.lnk", sticky},
        {"Office\\Microsoft Office\\", ""},
        {"Office\\Microsoft Office\\Word.lnk", word},
        {"Office\\Microsoft Office\\Tools\\", ""},
        {"Office\\Microsoft Office\\Tools\\Excel.lnk", excel},
        {"Adobe\\", ""},
        {"Adobe\\Reader.lnk", reader},
        {"Adobe\\Acrobat\\", ""},
        {"Adobe\\Acrobat\\Distiller.lnk", distiller},
        {"Windows Tools\\", ""},
        {"Windows Tools\\Calculator.lnk", calculator},
        {"Windows Tools\\Sticky Notes.lnk", sticky},
        {"Windows Tools\\Sound Recorder.lnk", recorder},
        {"Windows Tools\\Windows Media Player.lnk", player},
        {"Windows Tools\\Paint.lnk", paint},
        {"Windows Tools\\Snipping Tool.lnk", snipping},
        {"Windows Tools\\WordPad.lnk", wordpad},
        {"Windows Tools\\System Tools\\", ""},
        {"Windows Tools\\System Tools\\Character Map.lnk", charmap},
        {"_Links_\\", ""},
        {"_Links_\\Site.url", site},
    };
    EXPECT_EQ(tree_contents(folders_.own_menu), expected);
}

TEST_F(FirstRun, RowsFourAndNineteenGiveTwoIndependentCopies) {
    link(folders_.common_programs, "Accessories\\Calculator.lnk");
    prepare_program_folders(folders_, dialogs_);
    const auto source = read_file(folders_.common_programs + "Accessories\\Calculator.lnk");
    ASSERT_TRUE(source);
    EXPECT_EQ(read_file(menu("Calculator.lnk")), source);
    EXPECT_EQ(read_file(menu("Office\\Calculator.lnk")), source);
    ASSERT_TRUE(write_file(menu("Calculator.lnk"), "changed"));
    EXPECT_EQ(read_file(menu("Office\\Calculator.lnk")), source);
    ASSERT_TRUE(delete_file(menu("Office\\Calculator.lnk")));
    EXPECT_EQ(read_file(menu("Calculator.lnk")), "changed");
}

TEST_F(FirstRun, MissingSourceFoldersLeaveOnlyTheThreeCreatedFolders) {
    // No user, common or favourites folder exists at all.
    const FolderPreparation result = prepare_program_folders(folders_, dialogs_);
    EXPECT_TRUE(result.own_menu_seeded);
    std::vector<std::string> entries;
    WIN32_FIND_DATAA entry;
    UniqueFindHandle find(FindFirstFileA((folders_.own_menu + "*").c_str(), &entry));
    ASSERT_TRUE(find);
    do {
        if (entry.cFileName[0] != '.')
            entries.push_back(entry.cFileName);
    } while (FindNextFileA(find.get(), &entry));
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"Audio Video", "Graphics", "Office"}));
}

TEST_F(FirstRun, ASecondStartNeitherMigratesNorSeeds) {
    link(folders_.common_programs, "Accessories\\Calculator.lnk");
    ASSERT_TRUE(prepare_program_folders(folders_, dialogs_).own_menu_seeded);
    ASSERT_TRUE(delete_file(menu("Calculator.lnk")));
    dir_.write_file("AppData\\Osmeric\\Osmeric.prefs", "IconFormat = 1\r\n");

    const FolderPreparation again = prepare_program_folders(folders_, dialogs_);
    EXPECT_FALSE(again.data_folder_created);
    EXPECT_FALSE(again.migrated);
    EXPECT_FALSE(again.own_menu_seeded);
    EXPECT_FALSE(is_file(menu("Calculator.lnk")));
    EXPECT_FALSE(is_file(folders_.settings_file));
    EXPECT_TRUE(dialogs_.calls().empty());

    // Deleting the own menu makes the next start seed it again.
    ASSERT_TRUE(remove_tree(folders_.own_menu, std::vector<std::string>{folders_.data}));
    EXPECT_TRUE(prepare_program_folders(folders_, dialogs_).own_menu_seeded);
    EXPECT_TRUE(is_file(menu("Calculator.lnk")));
}

TEST_F(FirstRun, APredecessorFolderWithoutItsSettingsIsCopiedAndTheMigrationStopsSilently) {
    dir_.write_file("AppData\\Osmeric\\Bookmarks\\Site.url", "[InternetShortcut]\r\n");
    dir_.write_file("AppData\\Osmeric\\notes.txt", "kept");
    {
        UniqueKey old_key = create_registry_key(HKEY_CURRENT_USER, kPredecessorKey);
        write_registry_dword(old_key.get(), "PosX", 11);
        UniqueKey run = create_registry_key(HKEY_CURRENT_USER, kRunKey);
        write_registry_string(run.get(), "Osmeric", "C:\\Osmeric\\osmeric.exe");
    }
    const FolderPreparation result = prepare_program_folders(folders_, dialogs_);
    EXPECT_TRUE(result.data_folder_created);
    EXPECT_FALSE(result.migrated);
    EXPECT_EQ(read_file(folders_.data + "notes.txt"), "kept");
    EXPECT_TRUE(is_file(folders_.bookmarks + "Site.url"));
    EXPECT_TRUE(dialogs_.calls().empty());
    EXPECT_FALSE(open_registry_key(HKEY_CURRENT_USER, find_text("Registry_Subkey"), KEY_READ));
    UniqueKey run = open_registry_key(HKEY_CURRENT_USER, kRunKey, KEY_READ);
    EXPECT_EQ(read_registry_string(run.get(), "Osmeric"), "C:\\Osmeric\\osmeric.exe");
}

TEST_F(FirstRun, MigrationTakesOverSettingsRegistryAndAutostartAndEndsOnlyThePredecessor) {
    dir_.write_file("AppData\\Osmeric\\Osmeric.prefs", "IconFormat = 1\r\n");
    dir_.write_file("AppData\\Osmeric\\My Menu\\Editor.lnk", "link");
    {
        UniqueKey old_key = create_registry_key(HKEY_CURRENT_USER, kPredecessorKey);
        write_registry_dword(old_key.get(), "PosX", 11);
        write_registry_dword(old_key.get(), "PosY", static_cast<std::uint32_t>(-22));
        UniqueKey run = create_registry_key(HKEY_CURRENT_USER, kRunKey);
        write_registry_string(run.get(), "Osmeric", "C:\\Osmeric\\osmeric.exe");
    }
    // The predecessor runs as "Osmeric.exe"; another program merely shows the
    // name in its title and must survive.
    const std::string predecessor_exe = dir_.str() + "Osmeric.exe";
    ASSERT_TRUE(CopyFileA(test::build_tree_path(TREVALON_TEST_HELPER_PATH).c_str(),
                          predecessor_exe.c_str(), FALSE));
    const test::ChildProcess predecessor =
        test::start_process(predecessor_exe, "window OsmericWindow \"Osmeric - My Menu\"");
    ASSERT_TRUE(test::wait_until([&] { return test::visible_window_of(predecessor.id); }));
    // Opened later, the bystander's window comes first in the walk.
    const test::ChildProcess bystander = test::start_process(
        TREVALON_TEST_HELPER_PATH, "window Notepad \"Osmeric - notes.txt - Notepad\"");
    ASSERT_TRUE(test::wait_until([&] { return test::visible_window_of(bystander.id); }));

    const FolderPreparation result = prepare_program_folders(folders_, dialogs_);
    EXPECT_TRUE(result.migrated);
    EXPECT_EQ(predecessor.wait(std::chrono::seconds(10)), 1u);
    EXPECT_EQ(bystander.wait(std::chrono::milliseconds(200)), static_cast<DWORD>(STILL_ACTIVE));
    bystander.kill();
    predecessor.kill();

    EXPECT_EQ(read_file(folders_.settings_file), "IconFormat = 1\r\n");
    EXPECT_FALSE(is_file(folders_.data + "Osmeric.prefs"));
    EXPECT_TRUE(is_file(folders_.own_menu + "Editor.lnk"));
    // The copied own menu exists, so it is not seeded over.
    EXPECT_FALSE(result.own_menu_seeded);

    UniqueKey key = open_registry_key(HKEY_CURRENT_USER, find_text("Registry_Subkey"), KEY_READ);
    ASSERT_TRUE(key);
    EXPECT_EQ(read_registry_dword(key.get(), "PosX"), 11u);
    EXPECT_EQ(read_registry_dword(key.get(), "PosY"), static_cast<std::uint32_t>(-22));
    EXPECT_EQ(read_registry_string(key.get(), "InstallDir"), dir_.str() + "Program\\");
    UniqueKey run = open_registry_key(HKEY_CURRENT_USER, kRunKey, KEY_READ);
    EXPECT_EQ(read_registry_string(run.get(), "Osmeric"), std::nullopt);

    ASSERT_EQ(dialogs_.calls().size(), 1u);
    EXPECT_EQ(dialogs_.calls()[0].text, text("TXT00042"));
    EXPECT_EQ(dialogs_.calls()[0].caption, text("TXT00013"));
    EXPECT_EQ(dialogs_.calls()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
}

// The predecessor renamed on disk (or started under another file name) is
// still known by the install folder its registry key names; a program of a
// folder that merely starts with that name is a bystander.
TEST_F(FirstRun, ThePredecessorIsAlsoKnownByTheInstallFolderItsKeyNames) {
    const std::string install = dir_.str() + "Quorvane Tools\\";
    const std::string predecessor_exe = install + "bin\\qtray.exe";
    const std::string neighbour_exe = dir_.str() + "Quorvane Tools 2\\qtray.exe";
    for (const std::string* exe : {&predecessor_exe, &neighbour_exe}) {
        ASSERT_TRUE(create_folders(exe->substr(0, exe->rfind('\\') + 1)));
        ASSERT_TRUE(CopyFileA(test::build_tree_path(TREVALON_TEST_HELPER_PATH).c_str(),
                              exe->c_str(), FALSE));
    }
    const test::ChildProcess neighbour =
        test::start_process(neighbour_exe, "window Neighbour \"Osmeric - My Menu\"");
    ASSERT_TRUE(test::wait_until([&] { return test::visible_window_of(neighbour.id); }));
    const test::ChildProcess predecessor =
        test::start_process(predecessor_exe, "window OsmericWindow \"Osmeric - My Menu\"");
    ASSERT_TRUE(test::wait_until([&] { return test::visible_window_of(predecessor.id); }));

    // Without the key's folder neither is taken for the predecessor.
    EXPECT_FALSE(end_predecessor_process());
    {
        UniqueKey old_key = create_registry_key(HKEY_CURRENT_USER, kPredecessorKey);
        // In a different letter case and without the final backslash.
        std::string named = install.substr(0, install.size() - 1);
        CharUpperBuffA(named.data(), static_cast<DWORD>(named.size()));
        write_registry_string(old_key.get(), "InstallDir", named);
    }
    EXPECT_TRUE(end_predecessor_process());
    EXPECT_EQ(predecessor.wait(std::chrono::seconds(10)), 1u);
    EXPECT_EQ(neighbour.wait(std::chrono::milliseconds(200)), static_cast<DWORD>(STILL_ACTIVE));
    neighbour.kill();
    predecessor.kill();
}

TEST_F(FirstRun, UrlTemplateHoldsTheAddressAndTheIcon) {
    const std::vector<std::uint8_t> icon{0, 0, 1, 0, 1, 0, 42};
    write_url_template(folders_, "https://www.quorvane.example/trevalon/", icon);
    EXPECT_EQ(read_file(folders_.url_template + "URL.url"),
              "[InternetShortcut]\r\nURL=https://www.quorvane.example/trevalon/\r\nIDList=\r\n"
              "HotKey=0\r\nIconFile=" +
                  folders_.url_template + "URL.ico\r\nIconIndex=0\r\n");
    EXPECT_EQ(read_file(folders_.url_template + "URL.ico"), std::string("\0\0\1\0\1\0*", 7));
}

}  // namespace
}  // namespace trevalon
