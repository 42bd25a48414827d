// The settings file, the registry values and the autostart value as a save
// leaves them in the test's own Wine prefix.
#include "platform/settings_store_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/file_ops_win.h"
#include "platform/legacy_text_win.h"
#include "platform/registry_win.h"
#include "support/temp_dir.h"
#include "support/wait_win.h"

namespace trevalon {
namespace {

constexpr std::string_view kSubkey = "Software\\Quorvane\\TrevalonSettingsTest";
constexpr std::string_view kAutostartName = "TrevalonSettingsTest";

class SettingsStore : public testing::Test {
  protected:
    void SetUp() override { clear_registry(); }
    void TearDown() override { clear_registry(); }

    static void clear_registry() {
        RegDeleteTreeA(HKEY_CURRENT_USER, std::string(kSubkey).c_str());
        if (UniqueKey run = open_registry_key(HKEY_CURRENT_USER, kRunKey, KEY_ALL_ACCESS)) {
            delete_registry_value(run.get(), kAutostartName);
        }
    }

    SettingsTargets targets() const {
        return SettingsTargets{
            .settings_file = dir_.str() + "Trevalon.prefs",
            .registry_subkey = std::string(kSubkey),
            .autostart_name = std::string(kAutostartName),
            .program_file = "C:\\Program Files\\Trevalon\\trevalon.exe",
            .program_folder = "C:\\Program Files\\Trevalon\\",
        };
    }

    static std::optional<std::string> autostart_value() {
        UniqueKey run = open_registry_key(HKEY_CURRENT_USER, kRunKey, KEY_READ);
        return run ? read_registry_string(run.get(), kAutostartName) : std::nullopt;
    }

    test::TempDir dir_;
};

TEST_F(SettingsStore, SaveWritesTheFileTheProgramValuesAndTheAutostartWhileAskedFor) {
    Settings settings = default_settings("C:\\Own\\");
    settings.load_on_windows_start = 1;
    ASSERT_TRUE(save_settings_to(settings, targets(), WindowPosition{-120, 40}));

    EXPECT_EQ(read_file(targets().settings_file), format_settings(settings));
    EXPECT_EQ(read_saved_position(kSubkey).x, std::optional<int>(-120));
    EXPECT_EQ(read_saved_position(kSubkey).y, std::optional<int>(40));
    UniqueKey key = open_registry_key(HKEY_CURRENT_USER, kSubkey, KEY_READ);
    ASSERT_TRUE(key);
    EXPECT_EQ(read_registry_string(key.get(), "InstallDir"), "C:\\Program Files\\Trevalon\\");
    EXPECT_EQ(autostart_value(), "C:\\Program Files\\Trevalon\\trevalon.exe");

    settings.load_on_windows_start = 0;
    ASSERT_TRUE(save_settings_to(settings, targets(), WindowPosition{5, 6}));
    EXPECT_EQ(autostart_value(), std::nullopt);
    EXPECT_EQ(read_saved_position(kSubkey).x, std::optional<int>(5));
    // Saving again without an autostart value is no error.
    EXPECT_TRUE(save_settings_to(settings, targets(), WindowPosition{5, 6}));
    EXPECT_EQ(load_settings_file(targets().settings_file, "C:\\Own\\"), settings);
}

TEST_F(SettingsStore, AFailedWriteKeepsTheOldFileWholeAndStillWritesTheRegistry) {
    const std::string old_content = "KeepRecentObjectsDays = 30\r\n";
    dir_.write_file("Trevalon.prefs", old_content);
    // The new file cannot be made: a folder stands where it would go.
    dir_.make_dir("Trevalon.prefs.new");
    const Settings settings = default_settings("C:\\Own\\");
    EXPECT_FALSE(save_settings_to(settings, targets(), WindowPosition{7, 8}));
    EXPECT_EQ(read_file(targets().settings_file), old_content);
    EXPECT_EQ(read_saved_position(kSubkey).x, std::optional<int>(7));
}

TEST_F(SettingsStore, ANewFileLeftByAnInterruptedSaveIsReplacedByTheNextSave) {
    dir_.write_file("Trevalon.prefs", "IconFormat = 1\r\n");
    dir_.write_file("Trevalon.prefs.new", "IconFormat = 1\r\nWindowSm");
    const Settings settings = default_settings("C:\\Own\\");
    EXPECT_TRUE(save_settings_to(settings, targets(), WindowPosition{}));
    EXPECT_EQ(read_file(targets().settings_file), format_settings(settings));
    EXPECT_FALSE(is_file(targets().settings_file + ".new"));
}

TEST_F(SettingsStore, AReplaceThatFailsRemovesTheNewFileAndKeepsTheOldOne) {
    // A folder in place of the settings file cannot be replaced by a file.
    dir_.make_dir("Trevalon.prefs");
    EXPECT_FALSE(write_file_atomically(targets().settings_file, "x"));
    EXPECT_TRUE(is_directory(targets().settings_file));
    EXPECT_FALSE(is_file(targets().settings_file + ".new"));
}

TEST_F(SettingsStore, LoadGivesDefaultsForAMissingFileAndReadsThePredecessorsLegacyBytes) {
    EXPECT_EQ(load_settings_file(dir_.str() + "missing.prefs", "C:\\Own\\"),
              default_settings("C:\\Own\\"));

    const unsigned code_page = system_legacy_code_page();
    EXPECT_NE(code_page, static_cast<unsigned>(CP_UTF8));
    const std::string path = dir_.write_file(
        "Osmeric.prefs", "mYoWNmENU =  C:\\Men\xFC\\  \r\nkeeprecentobjectsdays = abc\r\n");
    const Settings settings = load_settings_file(path, "C:\\Own\\");
    EXPECT_EQ(settings.keep_recent_objects_days, 0);
    if (code_page == 1252) {
        EXPECT_EQ(settings.my_own_menu, "C:\\Men\xC3\xBC\\");
    } else {
        EXPECT_EQ(settings.my_own_menu, legacy_to_utf8("C:\\Men\xFC\\"));
    }
}

TEST_F(SettingsStore, OneStrayByteChangesOnlyItsOwnLineAndTheFileIsSavedBackAsItWas) {
    // A UTF-8 file whose Hotkey line took one damaged byte.
    const std::string bytes =
        "MyOwnMenu = C:\\Men\xC3\xBC\\\r\nHotkey = Ctrl+\xFF\r\nWindowsKeyAlone = 7\r\n";
    const std::string path = dir_.write_file("Trevalon.prefs", bytes);
    Settings settings = load_settings_file(path, "C:\\Own\\");
    EXPECT_EQ(settings.my_own_menu, "C:\\Men\xC3\xBC\\");
    EXPECT_EQ(settings.windows_key_alone, 0);
    ASSERT_TRUE(save_settings_to(settings, targets(), WindowPosition{}));
    const std::optional<std::string> saved = read_file(targets().settings_file);
    ASSERT_TRUE(saved);
    EXPECT_NE(saved->find("MyOwnMenu = C:\\Men\xC3\xBC\\\r\n"), std::string::npos);
    // The damaged line goes back byte for byte: a guess never alters it.
    EXPECT_NE(saved->find("Hotkey = Ctrl+\xFF\r\n"), std::string::npos);
}

TEST_F(SettingsStore, APositionNeverSavedReadsAsAbsentNotAsTheScreenCorner) {
    EXPECT_EQ(read_saved_position(kSubkey).x, std::nullopt);
    EXPECT_EQ(read_saved_position(kSubkey).y, std::nullopt);
    UniqueKey key = create_registry_key(HKEY_CURRENT_USER, kSubkey);
    ASSERT_TRUE(key);
    write_registry_dword(key.get(), "PosY", 0);
    EXPECT_EQ(read_saved_position(kSubkey).x, std::nullopt);
    EXPECT_EQ(read_saved_position(kSubkey).y, std::optional<int>(0));
}

TEST_F(SettingsStore, AMinimisedWindowSavesTheDesktopPositionItReturnsTo) {
    HWND window = CreateWindowExW(0, L"STATIC", L"position", WS_OVERLAPPEDWINDOW, 150, 120, 300,
                                  200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    ShowWindow(window, SW_SHOWNORMAL);
    test::pump_messages();
    EXPECT_EQ(window_frame_position(window).x, 150);
    EXPECT_EQ(window_frame_position(window).y, 120);
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(test::wait_until([&] { return IsIconic(window) != FALSE; }));
    EXPECT_EQ(window_frame_position(window).x, 150);
    EXPECT_EQ(window_frame_position(window).y, 120);
    DestroyWindow(window);
}

}  // namespace
}  // namespace trevalon
