// The index of a menu folder: it holds what the menu search's walk finds, in
// the walk's order, and after each change it is told about it holds what a
// fresh walk finds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "menu/menu_search.h"
#include "menu/search_index.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> indexed_files(const RootIndex& index) {
    std::vector<std::string> files;
    index.for_each_file([&](const std::string& folder, const IndexedEntry& entry) {
        files.push_back(folder + entry.name);
    });
    return files;
}

// What the menu search walks, in its order: every file matches "".
std::vector<std::string> walked_files(const test::TempDir& root) {
    std::vector<std::string> files;
    find_menu_matches(root.str(), "", [&](const std::string& folder, const std::string& name) {
        files.push_back(folder + name);
    });
    return files;
}

std::string sep() {
    return std::string(1, static_cast<char>(fs::path::preferred_separator));
}

TEST(SearchIndex, HoldsWhatTheSearchWalksInItsOrder) {
    test::TempDir root;
    root.write_file("Zeta.lnk", "x");
    root.write_file("alpha/Tool.lnk", "x");
    root.write_file("Alpha2/Deep/Deeper/Note.txt", "x");
    root.write_file("Мой/Файл.lnk", "x");
    root.write_file("b.lnk", "");
    root.make_dir("Empty");
    RootIndex index(root.str());
    index.rebuild();
    EXPECT_EQ(indexed_files(index), walked_files(root));
    EXPECT_EQ(index.file_count(), 5u);
    EXPECT_EQ(index.folder_count(), 6u);
    EXPECT_GT(index.approximate_bytes(), 5 * sizeof(IndexedEntry));

    // Sizes tell empty files apart; keys are the upper-cased names.
    index.for_each_file([](const std::string&, const IndexedEntry& entry) {
        EXPECT_EQ(entry.has_content, entry.name != "b.lnk") << entry.name;
    });
    std::vector<std::string> found;
    index.find(u"ФАЙЛ", [&](const std::string& folder, const IndexedEntry& entry) {
        found.push_back(folder + entry.name);
    });
    EXPECT_EQ(found, std::vector<std::string>{root.str() + "Мой" + sep() + "Файл.lnk"});
}

TEST(SearchIndex, FollowsFilesCreatedRenamedAndDeletedAndFoldersComingAndGoing) {
    test::TempDir root;
    root.write_file("Office/Word.lnk", "x");
    root.write_file("Office/Tools/Calc.lnk", "x");
    root.write_file("Games/Chess.lnk", "x");
    RootIndex index(root.str());
    index.rebuild();

    const auto expect_current = [&](const std::string& step) {
        EXPECT_EQ(indexed_files(index), walked_files(root)) << step;
    };
    root.write_file("Office/Tools/Notes.txt", "x");
    index.refresh("Office" + sep() + "Tools" + sep() + "Notes.txt");
    expect_current("created deep down");

    fs::rename(root.path() / "Office" / "Tools" / "Notes.txt",
               root.path() / "Office" / "Tools" / "Memo.txt");
    index.refresh("Office" + sep() + "Tools" + sep() + "Notes.txt");
    index.refresh("Office" + sep() + "Tools" + sep() + "Memo.txt");
    expect_current("renamed");

    fs::remove(root.path() / "Games" / "Chess.lnk");
    index.refresh("Games" + sep() + "Chess.lnk");
    expect_current("deleted");

    // A folder of a thousand links arrives at once: one change names it.
    for (int i = 0; i < 1000; ++i)
        root.write_file("Staging/Pack/Link " + std::to_string(i) + ".lnk", "x");
    fs::rename(root.path() / "Staging" / "Pack", root.path() / "Office" / "Pack");
    index.refresh("Office" + sep() + "Pack");
    index.refresh("Staging" + sep() + "Pack");
    expect_current("a folder moved in");
    EXPECT_EQ(index.file_count(), 1003u);

    // A change inside a folder the index does not know yet lists the
    // nearest folder it knows, which walks the new one.
    root.write_file("New/Inner/Deep.lnk", "x");
    index.refresh("New" + sep() + "Inner" + sep() + "Deep.lnk");
    expect_current("inside an unknown folder");

    // Letter case in the change's path does not matter.
    root.write_file("Office/Tools/Second.lnk", "x");
    index.refresh("OFFICE" + sep() + "tools" + sep() + "Second.lnk");
    expect_current("another letter case");

    fs::remove_all(root.path() / "Office");
    index.refresh("Office");
    expect_current("folder removed");
    EXPECT_EQ(index.file_count(), 1u);

    // A file becomes a folder of the same name.
    root.write_file("Thing", "x");
    index.refresh("Thing");
    fs::remove(root.path() / "Thing");
    root.write_file("Thing/Inside.lnk", "x");
    index.refresh("Thing");
    expect_current("a file replaced by a folder");

    // An empty file that gets content.
    root.write_file("Later.url", "");
    index.refresh("Later.url");
    root.write_file("Later.url", "URL=x");
    index.refresh("Later.url");
    bool seen = false;
    index.for_each_file([&](const std::string&, const IndexedEntry& entry) {
        if (entry.name == "Later.url") {
            seen = true;
            EXPECT_TRUE(entry.has_content);
        }
    });
    EXPECT_TRUE(seen);
}

TEST(SearchIndex, TheRootGoingAndComingBack) {
    test::TempDir parent;
    const std::string root = parent.str() + "Menu";
    RootIndex index(root);
    index.rebuild();
    EXPECT_EQ(index.file_count(), 0u);
    parent.write_file("Menu/A.lnk", "x");
    index.refresh("A.lnk");
    EXPECT_EQ(index.file_count(), 1u);
    fs::remove_all(parent.path() / "Menu");
    index.refresh("A.lnk");
    EXPECT_EQ(index.file_count(), 0u);
}

TEST(SearchIndex, LinksBackUpAreTreatedAsTheWalkTreatsThem) {
    test::TempDir root;
    root.write_file("Menu/Inner/Tool.lnk", "x");
    std::error_code ec;
    fs::create_directory_symlink(root.path() / "Menu", root.path() / "Menu" / "Inner" / "Loop", ec);
    if (ec)
        GTEST_SKIP() << "no symbolic links here: " << ec.message();
    const std::string menu = root.str() + "Menu";
    RootIndex index(menu);
    index.rebuild();
    std::vector<std::string> walked;
    find_menu_matches(menu, "", [&](const std::string& folder, const std::string& name) {
        walked.push_back(folder + name);
    });
    EXPECT_EQ(indexed_files(index), walked);

    // A new link to a folder higher up: the index walks as the search does.
    fs::create_directory_symlink(root.path() / "Menu", root.path() / "Menu" / "Back", ec);
    ASSERT_FALSE(ec);
    index.refresh("Back");
    walked.clear();
    find_menu_matches(menu, "", [&](const std::string& folder, const std::string& name) {
        walked.push_back(folder + name);
    });
    EXPECT_EQ(indexed_files(index), walked);
}

TEST(SearchIndex, ATreeFiveHundredLevelsDeepIsBuiltSearchedAndFreed) {
    test::TempDir root;
    fs::path deepest = root.path();
    for (int level = 0; level < 500; ++level)
        deepest /= "d";
    fs::create_directories(deepest);
    std::ofstream(deepest / "Bottom.lnk") << "x";
    {
        RootIndex index(root.str());
        index.rebuild();
        EXPECT_EQ(indexed_files(index), walked_files(root));
        std::ofstream(deepest / "Second.lnk") << "x";
        std::string relative;
        for (int level = 0; level < 500; ++level)
            relative += "d" + sep();
        index.refresh(relative + "Second.lnk");
        EXPECT_EQ(index.file_count(), 2u);
    }
}

}  // namespace
}  // namespace trevalon
