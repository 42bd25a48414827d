#include "settings/settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "settings/periodic_save.h"

namespace trevalon {
namespace {

constexpr std::string_view kOwnMenu = "C:\\Users\\u\\AppData\\Roaming\\Trevalon\\My Menu\\";

// A legacy Western code page: every byte is the character of its number.
std::string latin1_to_utf8(std::string_view bytes) {
    std::string utf8;
    for (char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x80) {
            utf8.push_back(c);
        } else {
            utf8.push_back(static_cast<char>(0xC0 | (code >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return utf8;
}

TEST(SettingsFile, MissingOrEmptyFileGivesTheDefaults) {
    const Settings settings = parse_settings("", kOwnMenu);
    EXPECT_EQ(settings.load_on_windows_start, 0);
    EXPECT_EQ(settings.allow_internet_access, 1);
    EXPECT_EQ(settings.search_recent_documents, 1);
    EXPECT_EQ(settings.keep_recent_objects_days, 14);
    EXPECT_EQ(settings.my_own_menu, kOwnMenu);
    EXPECT_EQ(settings.menu_type_active, "m");
    EXPECT_EQ(settings.menu_on_program_start, 0);
    EXPECT_EQ(settings.icon_format, 0);
    EXPECT_EQ(settings.window_smaller, 1);
    EXPECT_EQ(settings.window_close_to_tab_bar, 1);
    EXPECT_EQ(settings.mouse_cursor_vertical, 1);
    EXPECT_EQ(settings.mouse_cursor_horizontal, 0);
    EXPECT_EQ(settings.explorer_list_click_event, 0);
    EXPECT_EQ(settings.hotkey, "Ctrl+Alt+Space");
    EXPECT_EQ(settings.windows_key_alone, 0);
    EXPECT_EQ(settings, default_settings(kOwnMenu));
}

TEST(SettingsFile, WritesEveryKeyInTableOrderWithCrLf) {
    Settings settings = default_settings("D:\\Menu\\");
    settings.keep_recent_objects_days = -3;
    settings.menu_type_active = "w";
    EXPECT_EQ(format_settings(settings),
              "LoadOnWindowsStart = 0\r\n"
              "AllowInternetAccess = 1\r\n"
              "SearchRecentDocuments = 1\r\n"
              "KeepRecentObjectsDays = -3\r\n"
              "MyOwnMenu = D:\\Menu\\\r\n"
              "MenuTypeActive = w\r\n"
              "MenuOnProgramStart = 0\r\n"
              "IconFormat = 0\r\n"
              "WindowSmaller = 1\r\n"
              "WindowCloseToTabBar = 1\r\n"
              "MouseCursorVertical = 1\r\n"
              "MouseCursorHorizontal = 0\r\n"
              "ExplorerListClickEvent = 0\r\n"
              "Hotkey = Ctrl+Alt+Space\r\n"
              "WindowsKeyAlone = 0\r\n"
              "SearchEnterStartsFirst = 1\r\n"
              "Theme = 0\r\n");
}

TEST(SettingsFile, AFileWithoutTheKeyboardKeysReadsTheirDefaultsAndKeepsAnEmptyHotkey) {
    // Written before the keys existed: everything else as it was.
    const Settings older = parse_settings("KeepRecentObjectsDays = 3\r\n", kOwnMenu);
    EXPECT_EQ(older.keep_recent_objects_days, 3);
    EXPECT_EQ(older.hotkey, "Ctrl+Alt+Space");
    EXPECT_EQ(older.windows_key_alone, 0);
    // An empty value is no hotkey, not a missing key.
    const Settings none = parse_settings("Hotkey =\r\nwindowskeyalone = 1\r\n", kOwnMenu);
    EXPECT_EQ(none.hotkey, "");
    EXPECT_EQ(none.windows_key_alone, 1);
    EXPECT_EQ(parse_settings(format_settings(none), kOwnMenu), none);
}

TEST(SettingsFile, EnterStartsTheTopResultUnlessTheFileSaysOtherwise) {
    EXPECT_EQ(parse_settings("KeepRecentObjectsDays = 3\r\n", kOwnMenu).search_enter_starts_first,
              1);
    const Settings command = parse_settings("SearchEnterStartsFirst = 0\r\n", kOwnMenu);
    EXPECT_EQ(command.search_enter_starts_first, 0);
    EXPECT_EQ(parse_settings(format_settings(command), kOwnMenu), command);
}

TEST(SettingsFile, ThemeFollowsTheSystemUnlessTheFileChoosesAndOutOfRangeReadsTheDefault) {
    EXPECT_EQ(parse_settings("KeepRecentObjectsDays = 3\r\n", kOwnMenu).theme, 0);
    EXPECT_EQ(parse_settings("Theme = 1\r\n", kOwnMenu).theme, 1);
    EXPECT_EQ(parse_settings("theme=2\r\n", kOwnMenu).theme, 2);
    EXPECT_EQ(parse_settings("Theme = 3\r\n", kOwnMenu).theme, 0);
    EXPECT_EQ(parse_settings("Theme = -1\r\n", kOwnMenu).theme, 0);
    EXPECT_EQ(parse_settings("Theme = dark\r\n", kOwnMenu).theme, 0);
}

TEST(SettingsFile, EveryValueSurvivesAWriteAndReadRoundTrip) {
    Settings settings;
    settings.load_on_windows_start = 1;
    settings.allow_internet_access = 0;
    settings.search_recent_documents = 0;
    settings.keep_recent_objects_days = 365;
    settings.my_own_menu = "E:\\Menüs\\Mein Menü\\";
    settings.menu_type_active = "w";
    settings.menu_on_program_start = 2;
    settings.icon_format = 1;
    settings.window_smaller = 0;
    settings.window_close_to_tab_bar = 0;
    settings.mouse_cursor_vertical = 0;
    settings.mouse_cursor_horizontal = 1;
    settings.explorer_list_click_event = 2;
    settings.hotkey = "Win+Shift+F12";
    settings.windows_key_alone = 1;
    settings.search_enter_starts_first = 0;
    settings.theme = 2;
    EXPECT_EQ(parse_settings(format_settings(settings), kOwnMenu), settings);
}

TEST(SettingsFile, ReadsKeysInAnyLetterCase) {
    const Settings settings = parse_settings(
        "keeprecentobjectsdays = 3\r\nMYOWNMENU = X:\\M\\\r\nmenuTypeACTIVE = w\r\n", kOwnMenu);
    EXPECT_EQ(settings.keep_recent_objects_days, 3);
    EXPECT_EQ(settings.my_own_menu, "X:\\M\\");
    EXPECT_EQ(settings.menu_type_active, "w");
}

TEST(SettingsFile, TextThatIsNotANumberReadsAsZero) {
    EXPECT_EQ(parse_settings("KeepRecentObjectsDays = abc\r\n", kOwnMenu).keep_recent_objects_days,
              0);
    EXPECT_EQ(parse_setting_number("abc"), 0);
    EXPECT_EQ(parse_setting_number(""), 0);
    EXPECT_EQ(parse_setting_number("-"), 0);
    EXPECT_EQ(parse_setting_number("12abc"), 12);
    EXPECT_EQ(parse_setting_number(" -7 "), -7);
    EXPECT_EQ(parse_setting_number("+5"), 5);
    EXPECT_EQ(parse_setting_number("99999999999999999999"), INT_MAX);
    EXPECT_EQ(parse_setting_number("-99999999999999999999"), INT_MIN);
    EXPECT_EQ(parse_setting_number("-2147483648"), INT_MIN);
}

TEST(SettingsFile, StringsLoseSpacesAtBothEndsWhenReadAndWritten) {
    Settings settings =
        parse_settings("MyOwnMenu =    C:\\My Menu\\   \r\nMenuTypeActive =  w \r\n", kOwnMenu);
    EXPECT_EQ(settings.my_own_menu, "C:\\My Menu\\");
    EXPECT_EQ(settings.menu_type_active, "w");

    settings.my_own_menu = "  D:\\Spaced Menu\\  ";
    EXPECT_NE(format_settings(settings).find("MyOwnMenu = D:\\Spaced Menu\\\r\n"),
              std::string::npos);
}

TEST(SettingsFile, HandEditedFileReadsTheSameAsTheWrittenOne) {
    Settings expected = default_settings(kOwnMenu);
    expected.keep_recent_objects_days = 30;
    expected.window_close_to_tab_bar = 0;
    expected.my_own_menu = "C:\\Menu\\";
    const std::string edited =
        "\xEF\xBB\xBF"
        "; my settings\n"
        "# another comment\n"
        "\n"
        "[Global]\n"
        "   KeepRecentObjectsDays=30\n"
        "\tWindowCloseToTabBar   =   0   \r\n"
        "   \r\n"
        "MyOwnMenu=C:\\Menu\\\n"
        "NotASetting = 5\n"
        "a line without equals sign\n"
        "WindowCloseToTabBar = 1\n";  // the first occurrence counts
    EXPECT_EQ(parse_settings(edited, kOwnMenu), expected);
}

TEST(SettingsFile, EmptyOwnMenuValueFallsBackToTheOwnMenuFolder) {
    EXPECT_EQ(parse_settings("MyOwnMenu =   \r\n", kOwnMenu).my_own_menu, kOwnMenu);
}

TEST(SettingsFile, ALineBreakInAStringCannotSplitTheFile) {
    Settings settings = default_settings(kOwnMenu);
    settings.my_own_menu = "C:\\a\r\nIconFormat = 1";
    const Settings read_back = parse_settings(format_settings(settings), kOwnMenu);
    EXPECT_EQ(read_back.icon_format, 0);
    EXPECT_EQ(read_back.my_own_menu, "C:\\aIconFormat = 1");
}

TEST(SettingsFile, ALoneCarriageReturnEndsALineSoWhatIsReadIsSavedUnchanged) {
    const Settings read = parse_settings("MenuTypeActive = w\rIconFormat = 1\r", kOwnMenu);
    EXPECT_EQ(read.menu_type_active, "w");
    EXPECT_EQ(read.icon_format, 1);
    EXPECT_EQ(parse_settings(format_settings(read), kOwnMenu), read);
}

TEST(SettingsFile, LegacyBytesAreConvertedOnlyWhenTheFileIsNotUtf8) {
    int conversions = 0;
    const LegacyToUtf8 latin1 = [&](std::string_view bytes) {
        ++conversions;
        return latin1_to_utf8(bytes);
    };
    // "Menü" in a legacy Western code page: ü is the single byte 0xFC.
    const Settings legacy =
        parse_settings_file("MyOwnMenu = C:\\Men\xFC\\\r\nIconFormat = 1\r\n", kOwnMenu, latin1);
    EXPECT_EQ(conversions, 1);
    EXPECT_EQ(legacy.my_own_menu, "C:\\Men\xC3\xBC\\");
    EXPECT_EQ(legacy.icon_format, 1);

    const Settings utf8 =
        parse_settings_file("MyOwnMenu = C:\\Men\xC3\xBC\\\r\n", kOwnMenu, latin1);
    EXPECT_EQ(conversions, 1);
    EXPECT_EQ(utf8.my_own_menu, "C:\\Men\xC3\xBC\\");

    // Overlong forms and surrogates are not UTF-8 either.
    parse_settings_file("MyOwnMenu = \xC0\xAF\r\n", kOwnMenu, latin1);
    parse_settings_file("MyOwnMenu = \xED\xA0\x80\r\n", kOwnMenu, latin1);
    parse_settings_file("MyOwnMenu = \xE2\x82\r\n", kOwnMenu, latin1);  // cut short
    EXPECT_EQ(conversions, 4);
}

TEST(SettingsFile, OneStrayByteIsReadInTheLegacyCodePageOnlyOnItsOwnLine) {
    const Settings read = parse_settings_file(
        "MyOwnMenu = C:\\Men\xC3\xBC\\\r\nHotkey = Ctrl+Alt+\xFF\r\nIconFormat = 1\r\n", kOwnMenu,
        latin1_to_utf8);
    EXPECT_EQ(read.my_own_menu, "C:\\Men\xC3\xBC\\");
    EXPECT_EQ(read.icon_format, 1);
}

TEST(SettingsFile, AGuessedPathIsWrittenBackAsItsOwnBytesUntilItIsChanged) {
    // A code page guessed wrong: the bytes must come back as they were.
    const LegacyToUtf8 wrong_guess = [](std::string_view bytes) {
        std::string guessed(bytes);
        for (char& c : guessed) {
            if (static_cast<unsigned char>(c) >= 0x80)
                c = '?';
        }
        return guessed;
    };
    const std::string file = "MyOwnMenu = D:\\Men\xFC\\\r\nMenuTypeActive = w\r\n";
    Settings read = parse_settings_file(file, kOwnMenu, wrong_guess);
    EXPECT_EQ(read.my_own_menu, "D:\\Men?\\");
    const std::string written = format_settings(read);
    EXPECT_NE(written.find("MyOwnMenu = D:\\Men\xFC\\\r\n"), std::string::npos);
    EXPECT_EQ(parse_settings_file(written, kOwnMenu, wrong_guess), read);

    read.my_own_menu = "E:\\Men\xC3\xBC\\";  // chosen anew in the settings window
    EXPECT_NE(format_settings(read).find("MyOwnMenu = E:\\Men\xC3\xBC\\\r\n"), std::string::npos);
}

TEST(SettingsFile, NumbersOutOfRangeReadAsTheirDefaults) {
    EXPECT_EQ(parse_settings("WindowsKeyAlone = 7\r\n", kOwnMenu).windows_key_alone, 0);
    EXPECT_EQ(parse_settings("WindowsKeyAlone = -1\r\n", kOwnMenu).windows_key_alone, 0);
    EXPECT_EQ(parse_settings("WindowsKeyAlone = 1\r\n", kOwnMenu).windows_key_alone, 1);
    EXPECT_EQ(parse_settings("WindowsKeyAlone = 99999999999\r\n", kOwnMenu).windows_key_alone, 0);
}

TEST(PeriodicSave, DueOnlyMoreThanSixtySecondsAfterTheLastSave) {
    SaveSchedule schedule{.last_save = 1000};
    EXPECT_FALSE(take_due_save(schedule, 1000));
    EXPECT_FALSE(take_due_save(schedule, 1060));
    EXPECT_EQ(schedule.last_save, 1000);
    EXPECT_TRUE(take_due_save(schedule, 1061));
    EXPECT_EQ(schedule.last_save, 1061);
    EXPECT_FALSE(take_due_save(schedule, 1121));
    EXPECT_TRUE(take_due_save(schedule, 1122));
}

TEST(PeriodicSave, AClockSetBackDoesNotStopTheSaves) {
    SaveSchedule schedule{.last_save = 5000};
    EXPECT_TRUE(take_due_save(schedule, 1000));
    EXPECT_EQ(schedule.last_save, 1000);
    EXPECT_FALSE(take_due_save(schedule, 1030));
}

}  // namespace
}  // namespace trevalon
