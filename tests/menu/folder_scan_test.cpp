// The folder scan: pre-order, depths, the "TOP" item and the folder table.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "menu/folder_scan.h"
#include "menu/memory_folder_views.h"
#include "menu/path_text.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

struct Scan {
    MemoryFolderTree tree;
    FolderTable table;
};

Scan scan(const std::string& path, int depth = 0) {
    Scan result;
    scan_folder_tree(path, depth, result.tree, result.table);
    return result;
}

// "text@depth" for each item, in display order.
std::vector<std::string> outline(const MemoryFolderTree& tree) {
    std::vector<std::string> lines;
    for (const auto& item : tree.items())
        lines.push_back(item.text + "@" + std::to_string(item.depth));
    return lines;
}

void expect_positions_data_and_slots_agree(const Scan& s) {
    ASSERT_EQ(s.tree.item_count(), s.table.count());
    for (int i = 0; i < s.tree.item_count(); ++i)
        EXPECT_EQ(s.tree.item_data(i), i);
}

TEST(FolderScan, FolderWithoutSubfoldersGivesOnlyItsOwnItem) {
    test::TempDir dir;
    dir.write_file("Editor.lnk", "x");
    const Scan s = scan(dir.str());
    EXPECT_EQ(outline(s.tree), (std::vector<std::string>{"TOP@0"}));
    ASSERT_EQ(s.table.count(), 1);
    EXPECT_EQ(s.table.paths[0], without_trailing_separator(dir.str()));
}

TEST(FolderScan, ListsFoldersInPreOrderWithChildrenOneLevelDeeper) {
    test::TempDir dir;
    dir.make_dir("B");
    dir.make_dir("A/A1");
    dir.write_file("A/file.lnk", "x");
    const Scan s = scan(dir.str());
    EXPECT_EQ(outline(s.tree), (std::vector<std::string>{"TOP@0", "A@0", "A1@1", "B@0"}));
    const std::string root = dir.str();
    EXPECT_EQ(s.table.paths,
              (std::vector<std::string>{without_trailing_separator(root), root + "A",
                                        root + "A" + kPathSeparator + "A1", root + "B"}));
    expect_positions_data_and_slots_agree(s);
}

TEST(FolderScan, StartDepthShiftsEveryItem) {
    test::TempDir dir;
    dir.make_dir("A/A1/A2");
    const Scan s = scan(dir.str(), 2);
    EXPECT_EQ(outline(s.tree), (std::vector<std::string>{"TOP@2", "A@2", "A1@3", "A2@4"}));
}

TEST(FolderScan, PathWithoutTrailingSeparatorWorksAlike) {
    test::TempDir dir;
    dir.make_dir("A");
    const Scan s = scan(without_trailing_separator(dir.str()));
    EXPECT_EQ(outline(s.tree), (std::vector<std::string>{"TOP@0", "A@0"}));
    EXPECT_EQ(s.table.paths[1], dir.str() + "A");
}

TEST(FolderScan, FilledTableMeansNoTopItemIsAdded) {
    test::TempDir dir;
    dir.make_dir("A");
    Scan s;
    s.table.paths.push_back("elsewhere");
    s.tree.add_item("first", 0);
    scan_folder_tree(dir.str(), 1, s.tree, s.table);
    EXPECT_EQ(outline(s.tree), (std::vector<std::string>{"first@0", "A@1"}));
    EXPECT_EQ(s.tree.item_data(1), 1);
}

TEST(FolderScan, MissingFolderGivesOnlyTheTopItem) {
    test::TempDir dir;
    const Scan s = scan(dir.str() + "missing");
    EXPECT_EQ(outline(s.tree), (std::vector<std::string>{"TOP@0"}));
}

TEST(FolderScan, OrdersNamesByTheirUpperCaseFormWhateverTheCreationOrder) {
    test::TempDir dir;
    for (const char* name : {"c", "aB", "b", "a_", "A1"})
        dir.make_dir(name);
    // "_" sorts after the letters once they are upper case, as on NTFS.
    EXPECT_EQ(outline(scan(dir.str()).tree),
              (std::vector<std::string>{"TOP@0", "A1@0", "aB@0", "a_@0", "b@0", "c@0"}));
}

TEST(FolderScan, KeepsCyrillicAndJapaneseNamesInUpperCaseOrder) {
    test::TempDir dir;
    dir.make_dir("Вега");
    dir.make_dir("бета/フォルダ");
    dir.make_dir("Альфа");
    const Scan s = scan(dir.str());
    EXPECT_EQ(outline(s.tree),
              (std::vector<std::string>{"TOP@0", "Альфа@0", "бета@0", "フォルダ@1", "Вега@0"}));
    EXPECT_TRUE(fs::is_directory(utf8_to_path(s.table.paths[3])));
}

// A modelled tree (creating 20,000 real folders takes most of a minute on a
// busy disk): the root holds 100 groups of 200 folders each.
std::optional<std::vector<DirectoryEntry>> list_model_tree(std::string_view folder) {
    const std::string root = std::string("M") + kPathSeparator;
    std::vector<DirectoryEntry> entries;
    if (folder == root) {
        for (int group = 0; group < 100; ++group)
            entries.push_back({std::string("g").append(std::to_string(1000 + group)), true});
    } else if (folder.size() == root.size() + 6) {
        for (int i = 0; i < 200; ++i)
            entries.push_back({std::to_string(1000 + i), true});
        entries.push_back({"entry.lnk", false});
    }
    return entries;
}

TEST(FolderScan, HandlesTwentyThousandFolders) {
    Scan s;
    scan_folder_tree("M", 0, s.tree, s.table, list_model_tree);
    ASSERT_EQ(s.table.count(), 1 + 100 + 100 * 200);
    expect_positions_data_and_slots_agree(s);
    EXPECT_EQ(s.tree.item_text(202), "g1001");
    EXPECT_EQ(s.tree.item_depth(202), 0);
    // The last group's last folder is the very last slot.
    EXPECT_EQ(s.tree.items().back().text, "1199");
    EXPECT_EQ(s.tree.items().back().depth, 1);
    const std::string sep(1, kPathSeparator);
    EXPECT_EQ(s.table.paths.back(), "M" + sep + "g1099" + sep + "1199");
}

TEST(FolderScan, ScansATreeFiveHundredLevelsDeep) {
    test::TempDir dir;
    fs::path deepest = dir.path();
    for (int level = 0; level < 500; ++level)
        deepest /= "d";
    fs::create_directories(deepest);
    fs::create_directory(dir.path() / "e");
    const Scan s = scan(dir.str());
    ASSERT_EQ(s.tree.item_count(), 1 + 500 + 1);
    for (int level = 0; level < 500; ++level)
        EXPECT_EQ(s.tree.item_depth(1 + level), level);
    EXPECT_EQ(s.tree.items().back().text, "e");
    EXPECT_EQ(s.tree.items().back().depth, 0);
    EXPECT_EQ(utf8_to_path(s.table.paths[500]), deepest);
}

// A tree control that refuses to add some items (out of memory, say).
class RefusingTree final : public FolderTreeSink {
  public:
    explicit RefusingTree(std::vector<std::string> refused) : refused_(std::move(refused)) {}
    void clear() override { tree_.clear(); }
    int add_item(std::string_view text, int depth) override {
        if (std::find(refused_.begin(), refused_.end(), text) != refused_.end())
            return -1;
        return tree_.add_item(text, depth);
    }
    int item_count() const override { return tree_.item_count(); }
    void set_item_data(int position, std::intptr_t data) override {
        tree_.set_item_data(position, data);
    }
    std::intptr_t item_data(int position) const override { return tree_.item_data(position); }
    void set_item_text(int position, std::string_view text) override {
        tree_.set_item_text(position, text);
    }
    std::string item_text(int position) const override { return tree_.item_text(position); }
    int item_depth(int position) const override { return tree_.item_depth(position); }

    MemoryFolderTree tree_;

  private:
    std::vector<std::string> refused_;
};

TEST(FolderScan, AFolderTheTreeRefusesTakesNoSlotSoEveryLaterItemOpensItsOwnFolder) {
    test::TempDir dir;
    dir.make_dir("A");
    dir.make_dir("B/B1");
    dir.make_dir("C");
    RefusingTree tree({"B"});
    FolderTable table;
    scan_folder_tree(dir.str(), 0, tree, table);
    // B is missing, and so is what lies below it: B1 would stand under A.
    EXPECT_EQ(outline(tree.tree_), (std::vector<std::string>{"TOP@0", "A@0", "C@0"}));
    const std::string root = dir.str();
    EXPECT_EQ(table.paths,
              (std::vector<std::string>{without_trailing_separator(root), root + "A", root + "C"}));
    for (int i = 0; i < tree.item_count(); ++i)
        EXPECT_EQ(tree.item_data(i), i);
}

TEST(FolderScan, WithoutTheMenuFoldersOwnItemNothingIsAdded) {
    test::TempDir dir;
    dir.make_dir("A");
    RefusingTree tree({std::string(kTopItemText)});
    FolderTable table;
    scan_folder_tree(dir.str(), 0, tree, table);
    EXPECT_EQ(tree.item_count(), 0);
    EXPECT_EQ(table.count(), 0);
}

#ifndef _WIN32
TEST(FolderScan, ListsALinkBackToAnOuterFolderWithoutEnteringIt) {
    test::TempDir dir;
    dir.make_dir("A/B");
    fs::create_directory_symlink(dir.path() / "A", dir.path() / "A" / "B" / "up");
    fs::create_directory_symlink(dir.path() / "A" / "B", dir.path() / "side");
    const Scan s = scan(dir.str());
    // "side" points into the tree but not above itself, so it is entered once.
    EXPECT_EQ(outline(s.tree),
              (std::vector<std::string>{"TOP@0", "A@0", "B@1", "up@2", "side@0", "up@1"}));
}
#endif

}  // namespace
}  // namespace trevalon
