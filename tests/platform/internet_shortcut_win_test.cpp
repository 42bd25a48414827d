// Internet shortcuts converted into real bookmark links.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "base/utf8_path.h"
#include "platform/legacy_text_win.h"
#include "platform/shortcut_win.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

std::set<std::string> names_in(const test::TempDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        names.insert(path_to_utf8(entry.path().filename()));
    }
    return names;
}

const char kNews[] = "[InternetShortcut]\r\nURL=https://news.example/today\r\n";

TEST(ConvertInternetShortcutsWin, NewsBesideNewsLinksBecomesTheNextFreeLink) {
    test::TempDir dir;
    dir.write_file("News.url", kNews);
    dir.write_file("News.lnk", "existing");
    dir.write_file("News (1).lnk", "existing");
    EXPECT_EQ(convert_internet_shortcuts(dir.str()), 1);
    EXPECT_EQ(names_in(dir), (std::set<std::string>{"News.lnk", "News (1).lnk", "News (2).lnk"}));
    const LinkFields fields = read_shortcut_fields(dir.str() + "News (2).lnk");
    EXPECT_TRUE(is_bookmark_link(fields)) << fields.target;
    EXPECT_EQ(fields.arguments, "\"https://news.example/today\"");
}

TEST(ConvertInternetShortcutsWin, EmptyFileStays) {
    test::TempDir dir;
    dir.write_file("Empty.url", "");
    EXPECT_EQ(convert_internet_shortcuts(dir.str()), 0);
    EXPECT_EQ(names_in(dir), (std::set<std::string>{"Empty.url"}));
}

TEST(ConvertInternetShortcutsWin, LowerCaseAddressLineIsRead) {
    test::TempDir dir;
    dir.write_file("Site.url", "[InternetShortcut]\r\nurl=https://lower.example/\r\n");
    EXPECT_EQ(convert_internet_shortcuts(dir.str()), 1);
    EXPECT_EQ(bookmark_address(read_shortcut_fields(dir.str() + "Site.lnk")),
              "https://lower.example/");
}

TEST(ConvertInternetShortcutsWin, MissingIconFileGivesTheIconOfUrlDll) {
    test::TempDir dir;
    dir.write_file("Site.url", "[InternetShortcut]\r\nURL=https://a.example/\r\nIconFile=" +
                                   dir.str() + "gone.ico\r\nIconIndex=5\r\n");
    ASSERT_EQ(convert_internet_shortcuts(dir.str()), 1);
    const auto stored = read_shortcut_contents(dir.str() + "Site.lnk");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->icon_file, "%WinDir%\\System32\\url.dll");
    EXPECT_EQ(stored->icon_index, 0);
    EXPECT_EQ(stored->description, "https://a.example/");
    EXPECT_EQ(stored->working_directory, "");
}

TEST(ConvertInternetShortcutsWin, ExistingIconFileIsKeptWithItsIndex) {
    test::TempDir dir;
    const std::string icon = dir.write_file("site.ico", "icon bytes");
    dir.write_file("Site.url", "[InternetShortcut]\r\nURL=https://a.example/\r\nIconFile=" + icon +
                                   "\r\nIconIndex=5\r\n");
    ASSERT_EQ(convert_internet_shortcuts(dir.str()), 1);
    const auto stored = read_shortcut_contents(dir.str() + "Site.lnk");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->icon_file, icon);
    EXPECT_EQ(stored->icon_index, 5);
}

TEST(ConvertInternetShortcutsWin, ReadOnlyAndNonLatinShortcutsAreConverted) {
    test::TempDir dir;
    const std::string source = dir.write_file("Новости ニュース.url", kNews);
    SetFileAttributesW(utf8_to_path(source).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(convert_internet_shortcuts(dir.str()), 1);
    EXPECT_EQ(names_in(dir), (std::set<std::string>{"Новости ニュース.lnk"}));
}

// Older programs wrote internet shortcuts in the system's legacy code page:
// their non-ASCII addresses and icon paths are read in it, not as UTF-8.
TEST(ConvertInternetShortcutsWin, ALegacyCodePageShortcutKeepsItsAccentedAddressAndIcon) {
    test::TempDir dir;
    const std::string icon_folder = dir.make_dir("Ic\xC3\xB4nes");  // "Icônes" in UTF-8
    const std::string icon = dir.write_file("Ic\xC3\xB4nes\\caf\xC3\xA9.ico", "icon bytes");
    ASSERT_EQ(icon, icon_folder + "caf\xC3\xA9.ico");
    // The same paths and an address in the legacy code page's bytes.
    const std::string legacy_folder = dir.str() + "Ic\xF4nes\\";
    ASSERT_EQ(legacy_to_utf8(legacy_folder), icon_folder) << "the test needs code page 1252";
    dir.write_file("Caf\xC3\xA9.url",
                   "[InternetShortcut]\r\nURL=https://caf\xE9.example/men\xFC\r\n"
                   "IconFile=" +
                       legacy_folder + "caf\xE9.ico\r\nIconIndex=2\r\n");
    ASSERT_EQ(convert_internet_shortcuts(dir.str()), 1);
    const auto stored = read_shortcut_contents(dir.str() + "Caf\xC3\xA9.lnk");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->description, "https://caf\xC3\xA9.example/men\xC3\xBC");
    EXPECT_EQ(stored->arguments, "\"https://caf\xC3\xA9.example/men\xC3\xBC\"");
    EXPECT_EQ(stored->icon_file, icon);
    EXPECT_EQ(stored->icon_index, 2);
}

TEST(ConvertInternetShortcutsWin, AUtf8ShortcutIsReadAsItStands) {
    test::TempDir dir;
    dir.write_file("Site.url",
                   "[InternetShortcut]\r\nURL=https://\xD0\xBD\xD0\xBE\xD0\xB2.example/\r\n");
    ASSERT_EQ(convert_internet_shortcuts(dir.str()), 1);
    EXPECT_EQ(bookmark_address(read_shortcut_fields(dir.str() + "Site.lnk")),
              "https://\xD0\xBD\xD0\xBE\xD0\xB2.example/");
}

}  // namespace
}  // namespace trevalon
