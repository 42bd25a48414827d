// Internet shortcuts converted into real bookmark links.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "base/utf8_path.h"
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

}  // namespace
}  // namespace trevalon
