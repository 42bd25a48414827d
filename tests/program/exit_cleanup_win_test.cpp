// The exit clean-up on real folders: what it removes, what it keeps, the age
// limit of recent programs, and the guard against damaged folder names.
#include "program/exit_cleanup_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "commands/app_win.h"
#include "platform/file_ops_win.h"
#include "settings/settings.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

constexpr std::int64_t kDay = 86'400;

void set_modified(const std::string& path, std::int64_t unix_seconds) {
    const std::int64_t ticks = (unix_seconds + 11'644'473'600LL) * 10'000'000LL;
    FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    UniqueFile file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &time));
}

class ExitCleanup : public testing::Test {
  protected:
    void SetUp() override {
        if (!texts().contains("Program_Name"))
            load_builtin_texts(texts());
        SystemFolders system;
        system.app_data = dir_.make_dir("AppData");
        system.temp = dir_.make_dir("Temp");
        system.program_file = dir_.str() + "Program\\trevalon.exe";
        app_.folders = derive_program_folders(system, texts());
        app_.settings = default_settings(app_.folders.own_menu);
        app_.clock = &clock_;
        for (const std::string* folder :
             {&app_.folders.data, &app_.folders.own_temp, &app_.folders.windows_menu,
              &app_.folders.recent_documents, &app_.folders.recent_search,
              &app_.folders.recent_programs, &app_.folders.bookmarks, &app_.folders.own_menu}) {
            create_folders(*folder);
            write_file(*folder + "entry.lnk", "x");
        }
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quorvane"); }

    test::TempDir dir_;
    test::FakeClock clock_;
    App app_;
};

TEST_F(ExitCleanup, RemovesTheWorkingFoldersKeepsTheUsersAndSavesTheSettings) {
    const std::string locked = app_.folders.windows_menu + "Accessories\\locked.lnk";
    create_folders(app_.folders.windows_menu + "Accessories");
    write_file(locked, "x");
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    app_.settings.icon_format = 1;

    exit_cleanup_steps(app_);
    for (const std::string* gone : {&app_.folders.own_temp, &app_.folders.windows_menu,
                                    &app_.folders.recent_documents, &app_.folders.recent_search}) {
        EXPECT_FALSE(is_directory(*gone)) << *gone;
    }
    for (const std::string* kept :
         {&app_.folders.own_menu, &app_.folders.bookmarks, &app_.folders.recent_programs}) {
        EXPECT_TRUE(is_file(*kept + "entry.lnk")) << *kept;
    }
    EXPECT_EQ(read_file(app_.folders.settings_file), format_settings(app_.settings));
    EXPECT_EQ(app_.ui.cursors.arrow, nullptr);
}

TEST_F(ExitCleanup, RecentProgramsOlderThanTheLimitGo) {
    const std::int64_t now = clock_.now_seconds();
    const std::string old_entry = app_.folders.recent_programs + "Old.lnk";
    const std::string old_locked = app_.folders.recent_programs + "Old locked.lnk";
    const std::string young_entry = app_.folders.recent_programs + "Young.lnk";
    const std::string folder = app_.folders.recent_programs + "Folder";
    for (const std::string* path : {&old_entry, &old_locked, &young_entry})
        write_file(*path, "x");
    create_folder(folder);
    set_modified(old_entry, now - 15 * kDay);
    set_modified(old_locked, now - 15 * kDay);
    SetFileAttributesA(old_locked.c_str(), FILE_ATTRIBUTE_READONLY);
    set_modified(young_entry, now - 13 * kDay);
    set_modified(app_.folders.recent_programs + "entry.lnk", now);

    exit_cleanup_steps(app_);
    EXPECT_FALSE(is_file(old_entry));
    EXPECT_FALSE(is_file(old_locked));
    EXPECT_TRUE(is_file(young_entry));
    EXPECT_TRUE(is_directory(folder));

    // A shorter limit takes the younger entry too.
    EXPECT_EQ(expire_recent_programs(app_.folders, now, 10), 1);
    EXPECT_FALSE(is_file(young_entry));
}

TEST_F(ExitCleanup, DamagedFolderNamesNeverDeleteTheDataOrTemporaryFolder) {
    // Empty subfolder names leave the working folders equal to their parents.
    app_.folders.windows_menu = app_.folders.data;
    app_.folders.recent_documents = app_.folders.data;
    app_.folders.recent_search = "";
    app_.folders.own_temp = app_.folders.temp;
    const std::string outside = dir_.write_file("Elsewhere\\keep.txt", "x");
    app_.folders.recent_search = dir_.str() + "Elsewhere\\";

    exit_cleanup_steps(app_);
    EXPECT_TRUE(is_file(app_.folders.own_menu + "entry.lnk"));
    EXPECT_TRUE(is_file(app_.folders.data + "entry.lnk"));
    EXPECT_TRUE(is_directory(app_.folders.temp));
    EXPECT_TRUE(is_file(outside));
}

}  // namespace
}  // namespace trevalon
