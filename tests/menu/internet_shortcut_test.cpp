// Reading internet shortcuts and converting them into bookmark links.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "menu/internet_shortcut.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

TEST(InternetShortcutFile, ReadsAddressAndIconInAnyLetterCase) {
    const auto shortcut = parse_internet_shortcut(
        "[InternetShortcut]\r\nurl=https://example.org/\r\nICONFILE=C:\\i.ico\r\niconIndex=3\r\n");
    EXPECT_EQ(shortcut.address, "https://example.org/");
    EXPECT_EQ(shortcut.icon_file, "C:\\i.ico");
    EXPECT_EQ(shortcut.icon_index, 3);
}

TEST(InternetShortcutFile, LaterLinesWinAndSectionsAreNotLookedAt) {
    const auto shortcut = parse_internet_shortcut(
        "[InternetShortcut]\nURL=https://first.example\n[Other]\nURL=https://second.example\n");
    EXPECT_EQ(shortcut.address, "https://second.example");
}

TEST(InternetShortcutFile, EmptyOrForeignContentLeavesTheStartingValues) {
    const auto shortcut = parse_internet_shortcut("no keys here\rIconIndex=x\r");
    EXPECT_EQ(shortcut.address, "");
    EXPECT_EQ(shortcut.icon_file, "");
    EXPECT_EQ(shortcut.icon_index, 0);
}

TEST(InternetShortcutFile, IconIndexTakesTheLeadingNumberOnly) {
    EXPECT_EQ(leading_integer("12abc"), 12);
    EXPECT_EQ(leading_integer("  -3"), -3);
    EXPECT_EQ(leading_integer("abc"), 0);
    EXPECT_EQ(leading_integer(""), 0);
    EXPECT_EQ(leading_integer("99999999999999999999"), 2147483647);
    EXPECT_EQ(leading_integer("-99999999999999999999"), -2147483647 - 1);
}

// Records every link it is asked for and writes the link file, unless told
// to fail.
struct FakeCreator {
    std::vector<ShortcutContents> made;
    bool succeed = true;
    ShortcutCreator creator() {
        return [this](const ShortcutContents& contents) {
            if (!succeed)
                return false;
            made.push_back(contents);
            std::ofstream(utf8_to_path(contents.link_file)) << contents.arguments;
            return true;
        };
    }
};

std::set<std::string> names_in(const test::TempDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        names.insert(path_to_utf8(entry.path().filename()));
    return names;
}

const char kNews[] = "[InternetShortcut]\r\nURL=https://news.example/\r\n";

TEST(ConvertInternetShortcuts, MakesABookmarkLinkAndRemovesTheSource) {
    test::TempDir dir;
    dir.write_file("Новости.url", kNews);
    FakeCreator fake;
    EXPECT_EQ(convert_internet_shortcuts(dir.str(), fake.creator()), 1);
    EXPECT_EQ(names_in(dir), (std::set<std::string>{"Новости.lnk"}));
    ASSERT_EQ(fake.made.size(), 1u);
    EXPECT_EQ(fake.made[0].link_file, dir.str() + "Новости.lnk");
    EXPECT_EQ(fake.made[0].target, "%WinDir%\\Explorer.exe");
    EXPECT_EQ(fake.made[0].arguments, "\"https://news.example/\"");
    EXPECT_EQ(fake.made[0].description, "https://news.example/");
    EXPECT_EQ(fake.made[0].icon_file, "%WinDir%\\System32\\url.dll");
}

TEST(ConvertInternetShortcuts, TakesTheNextFreeNameBesideExistingLinks) {
    test::TempDir dir;
    dir.write_file("News.url", kNews);
    dir.write_file("News.lnk", "old");
    FakeCreator fake;
    convert_internet_shortcuts(dir.str(), fake.creator());
    EXPECT_EQ(names_in(dir), (std::set<std::string>{"News.lnk", "News (1).lnk"}));

    dir.write_file("News.url", kNews);
    convert_internet_shortcuts(dir.str(), fake.creator());
    EXPECT_EQ(names_in(dir), (std::set<std::string>{"News.lnk", "News (1).lnk", "News (2).lnk"}));
}

TEST(ConvertInternetShortcuts, LeavesTheSourceWhenAllFreeNamesAreTaken) {
    test::TempDir dir;
    dir.write_file("News.url", kNews);
    dir.write_file("News.lnk", "old");
    for (int n = 1; n <= 99; ++n)
        dir.write_file("News (" + std::to_string(n) + ").lnk", "old");
    FakeCreator fake;
    EXPECT_EQ(convert_internet_shortcuts(dir.str(), fake.creator()), 0);
    EXPECT_TRUE(fake.made.empty());
    EXPECT_TRUE(fs::exists(dir.path() / "News.url"));
    std::ifstream in(dir.path() / "News.lnk");
    std::string content;
    in >> content;
    EXPECT_EQ(content, "old");
}

TEST(ConvertInternetShortcuts, LeavesEmptyFilesFoldersAndSubfoldersAlone) {
    test::TempDir dir;
    dir.write_file("Empty.url", "");
    dir.make_dir("Folder.url");
    dir.write_file("Sub/Inner.url", kNews);
    FakeCreator fake;
    EXPECT_EQ(convert_internet_shortcuts(dir.str(), fake.creator()), 0);
    EXPECT_EQ(names_in(dir), (std::set<std::string>{"Empty.url", "Folder.url", "Sub"}));
}

TEST(ConvertInternetShortcuts, KeepsTheSourceWhenNoLinkWasMade) {
    test::TempDir dir;
    dir.write_file("News.url", kNews);
    FakeCreator fake;
    fake.succeed = false;
    EXPECT_EQ(convert_internet_shortcuts(dir.str(), fake.creator()), 0);
    EXPECT_EQ(names_in(dir), (std::set<std::string>{"News.url"}));
}

TEST(ConvertInternetShortcuts, UsesTheOwnIconOnlyWhenItsFileHasContent) {
    test::TempDir dir;
    const std::string icon = dir.write_file("icons/site.ico", "ICO");
    const std::string empty_icon = dir.write_file("icons/empty.ico", "");
    dir.write_file("A.URL", "url=https://a.example\nIconFile=" + icon + "\nIconIndex=4\n");
    dir.write_file("B.url", "URL=https://b.example\nIconFile=" + empty_icon + "\nIconIndex=4\n");
    dir.write_file("C.url",
                   "URL=https://c.example\nIconFile=" + dir.str() + "missing.ico\nIconIndex=4\n");
    FakeCreator fake;
    EXPECT_EQ(convert_internet_shortcuts(dir.str(), fake.creator()), 3);
    ASSERT_EQ(fake.made.size(), 3u);
    EXPECT_EQ(fake.made[0].arguments, "\"https://a.example\"");
    EXPECT_EQ(fake.made[0].icon_file, icon);
    EXPECT_EQ(fake.made[0].icon_index, 4);
    for (int i : {1, 2}) {
        EXPECT_EQ(fake.made[static_cast<std::size_t>(i)].icon_file, "%WinDir%\\System32\\url.dll");
        EXPECT_EQ(fake.made[static_cast<std::size_t>(i)].icon_index, 0);
    }
}

// Latin-1 to UTF-8: the legacy code page of these tests.
std::string latin1_to_utf8(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text.push_back(c);
        } else {
            text.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            text.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return text;
}

TEST(ConvertInternetShortcuts, AFileThatIsNotUtf8IsReadInTheLegacyCodePage) {
    test::TempDir dir;
    const std::string icon = dir.write_file("caf\xC3\xA9.ico", "ICO");
    dir.write_file("Caf\xC3\xA9.url", "URL=https://caf\xE9.example/\r\nIconFile=" + dir.str() +
                                          "caf\xE9.ico\r\nIconIndex=1\r\n");
    // A UTF-8 file is taken as it stands, even where the converter would
    // change it.
    dir.write_file("Utf8.url", "URL=https://caf\xC3\xA9.example/\r\n");
    FakeCreator fake;
    EXPECT_EQ(convert_internet_shortcuts(dir.str(), fake.creator(), latin1_to_utf8), 2);
    ASSERT_EQ(fake.made.size(), 2u);
    for (const ShortcutContents& made : fake.made)
        EXPECT_EQ(made.description, "https://caf\xC3\xA9.example/") << made.link_file;
    const auto legacy = std::find_if(fake.made.begin(), fake.made.end(), [&](const auto& made) {
        return made.link_file == dir.str() + "Caf\xC3\xA9.lnk";
    });
    ASSERT_NE(legacy, fake.made.end());
    EXPECT_EQ(legacy->icon_file, icon);
    EXPECT_EQ(legacy->icon_index, 1);
}

TEST(ConvertInternetShortcuts, AnIconPathThatIsNotUtf8IsNoIconAndNoFault) {
    test::TempDir dir;
    dir.write_file("Site.url", "URL=https://a.example/\r\nIconFile=C:\\Ic\xF4nes\\a.ico\r\n");
    FakeCreator fake;
    EXPECT_EQ(convert_internet_shortcuts(dir.str(), fake.creator()), 1);
    ASSERT_EQ(fake.made.size(), 1u);
    EXPECT_EQ(fake.made[0].icon_file, "%WinDir%\\System32\\url.dll");
}

TEST(ConvertInternetShortcuts, RemovesAReadOnlySourceOnceConverted) {
    test::TempDir dir;
    const std::string source = dir.write_file("News.url", kNews);
    fs::permissions(utf8_to_path(source), fs::perms::owner_write, fs::perm_options::remove);
    FakeCreator fake;
    EXPECT_EQ(convert_internet_shortcuts(dir.str(), fake.creator()), 1);
    EXPECT_FALSE(fs::exists(utf8_to_path(source)));
}

}  // namespace
}  // namespace trevalon

namespace trevalon {
namespace {

TEST(InternetShortcutFile, AnyBytesAreReadWithoutHarm) {
    std::mt19937 rng(11);
    const std::string pieces[] = {"URL=", "url=", "IconFile=", "ICONINDEX=",        "\r", "\n", "-",
                                  "7",    "x",    "\xFF",      std::string(1, '\0')};
    for (int round = 0; round < 20000; ++round) {
        std::string content;
        for (int i = static_cast<int>(rng() % 30); i > 0; --i)
            content += pieces[rng() % 11];
        const InternetShortcut shortcut = parse_internet_shortcut(content);
        ASSERT_EQ(shortcut.address.find_first_of("\r\n"), std::string::npos);
        ASSERT_LE(shortcut.address.size(), content.size());
    }
}

}  // namespace
}  // namespace trevalon
