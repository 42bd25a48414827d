// The menu search: matching, flat copies, the last copy winning, deep trees.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "menu/menu_search.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

std::set<std::string> names_in(const test::TempDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        names.insert(path_to_utf8(entry.path().filename()));
    return names;
}

std::string content_of(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(MenuSearch, CopiesMatchesFlatAndTheLastOfOneNameWins) {
    test::TempDir menu, results;
    menu.write_file("Office/Notes.txt", "first");
    menu.write_file("Tools/Deep/Notes.txt", "second");
    menu.write_file("Tools/Editor.lnk", "editor");
    search_menu_folder(menu.str(), "note", results.str());
    EXPECT_EQ(names_in(results), (std::set<std::string>{"Notes.txt"}));
    EXPECT_EQ(content_of(results.path() / "Notes.txt"), "second");
}

TEST(MenuSearch, IgnoresLetterCaseAlsoInCyrillicAndMatchesExtensions) {
    test::TempDir menu, results;
    menu.write_file("ФАЙЛЫ/Мой Файл.lnk", "x");
    menu.write_file("日本/メモ帳.lnk", "x");
    menu.write_file("readme.txt", "x");
    search_menu_folder(menu.str(), "файл", results.str());
    EXPECT_EQ(names_in(results), (std::set<std::string>{"Мой Файл.lnk"}));
    search_menu_folder(menu.str(), "LNK", results.str());
    EXPECT_EQ(names_in(results), (std::set<std::string>{"Мой Файл.lnk", "メモ帳.lnk"}));
}

TEST(MenuSearch, SearchesInsideMatchingFoldersWithoutCopyingThem) {
    test::TempDir menu, results;
    menu.write_file("Games/Chess.lnk", "x");
    search_menu_folder(menu.str(), "games", results.str());
    EXPECT_TRUE(names_in(results).empty());
    search_menu_folder(menu.str(), "chess", results.str());
    EXPECT_EQ(names_in(results), (std::set<std::string>{"Chess.lnk"}));
}

TEST(MenuSearch, ALaterMatchReplacesAReadOnlyEarlierCopy) {
    test::TempDir menu, results;
    const std::string first = menu.write_file("A/Tool.lnk", "first");
    menu.write_file("B/Tool.lnk", "second");
    fs::permissions(utf8_to_path(first), fs::perms::owner_write, fs::perm_options::remove);
    search_menu_folder(menu.str(), "tool", results.str());
    EXPECT_EQ(content_of(results.path() / "Tool.lnk"), "second");
    fs::permissions(results.path() / "Tool.lnk", fs::perms::owner_write, fs::perm_options::add);
    fs::permissions(utf8_to_path(first), fs::perms::owner_write, fs::perm_options::add);
}

TEST(MenuSearch, FindsAFileFiveHundredLevelsDown) {
    test::TempDir menu, results;
    fs::path deepest = menu.path();
    for (int level = 0; level < 500; ++level)
        deepest /= "d";
    fs::create_directories(deepest);
    std::ofstream(deepest / "Bottom.lnk") << "x";
    search_menu_folder(menu.str(), "bottom", results.str());
    EXPECT_EQ(names_in(results), (std::set<std::string>{"Bottom.lnk"}));
}

TEST(MenuSearch, FindingReportsEachMatchWithItsFolderInWalkOrderAndCopiesNothing) {
    test::TempDir menu;
    menu.write_file("B/Tool.lnk", "x");
    menu.write_file("A/Deep/tool box.txt", "x");
    menu.write_file("A/Other.lnk", "x");
    std::vector<std::string> found;
    find_menu_matches(menu.str(), "TOOL", [&](const std::string& folder, const std::string& name) {
        found.push_back(folder + name);
    });
    const std::string sep(1, fs::path::preferred_separator);
    EXPECT_EQ(found,
              (std::vector<std::string>{menu.str() + "A" + sep + "Deep" + sep + "tool box.txt",
                                        menu.str() + "B" + sep + "Tool.lnk"}));
}

TEST(MenuSearch, MissingFolderFindsNothing) {
    test::TempDir menu, results;
    search_menu_folder(menu.str() + "missing", "a", results.str());
    EXPECT_TRUE(names_in(results).empty());
}

}  // namespace
}  // namespace trevalon
