// The file-list clean-up: hidden menu files, display names, entry-name slots.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu/file_list_cleanup.h"
#include "menu/memory_folder_views.h"
#include "support/temp_dir.h"

namespace trevalon {
namespace {

using Names = std::vector<std::string>;

TEST(FileListCleanup, DropsMenuFilesAndTiesRowsToTheirFileNames) {
    MemoryFileList list(
        {"Thumbs.db", "desktop.ini", "Desktop.lnk", "setup.INI", "Notes.txt", "Editor.lnk"});
    EntryNameTable table;
    clean_up_file_list(list, table);
    EXPECT_EQ(list.rows(), (Names{"Notes", "Editor"}));
    EXPECT_EQ(table.names, (Names{"Notes.txt", "Editor.lnk"}));
    EXPECT_EQ(table.last_kept, 1);
}

TEST(FileListCleanup, SlotsFollowRowIndicesWhenDroppedRowsSitBetween) {
    MemoryFileList list({"A.lnk", "DESKTOP.LNK", "B.url", "x.Ini", "thumbs.DB", "C"});
    EntryNameTable table;
    table.names = {"stale", "stale", "stale", "stale", "stale", "stale", "stale"};
    clean_up_file_list(list, table);
    EXPECT_EQ(list.rows(), (Names{"A", "B", "C"}));
    EXPECT_EQ(table.names, (Names{"A.lnk", "B.url", "C"}));
    EXPECT_EQ(table.last_kept, 2);
}

TEST(FileListCleanup, KeepsNamesThatOnlyResembleMenuFiles) {
    MemoryFileList list({"ini", "setup.ini.lnk", "my desktop.lnk", "thumbs.db.bak", "a.inix"});
    EntryNameTable table;
    clean_up_file_list(list, table);
    EXPECT_EQ(list.rows(), (Names{"ini", "setup.ini", "my desktop", "thumbs.db", "a"}));
}

TEST(FileListCleanup, ListOfOnlyMenuFilesEndsEmpty) {
    MemoryFileList list({"desktop.ini", "Thumbs.db"});
    EntryNameTable table;
    clean_up_file_list(list, table);
    EXPECT_EQ(list.row_count(), 0);
    EXPECT_TRUE(table.names.empty());
    EXPECT_EQ(table.last_kept, 0);
}

TEST(FileListCleanup, DisplayNameCutsAtTheLastDot) {
    EXPECT_EQ(display_name("a.b.lnk"), "a.b");
    EXPECT_EQ(display_name("NoDot"), "NoDot");
    EXPECT_EQ(display_name("ends."), "ends");
    EXPECT_EQ(display_name(".lnk"), "");
    EXPECT_EQ(display_name("Блокнот.lnk"), "Блокнот");
}

TEST(FileListCleanup, HandlesTwentyThousandRows) {
    std::vector<std::string> rows;
    for (int i = 0; i < 20000; ++i) {
        rows.push_back("entry" + std::to_string(i) + ".lnk");
        if (i % 1000 == 0)
            rows.push_back("desktop.ini");
    }
    MemoryFileList list(rows);
    EntryNameTable table;
    clean_up_file_list(list, table);
    ASSERT_EQ(list.row_count(), 20000);
    ASSERT_EQ(table.names.size(), 20000u);
    EXPECT_EQ(table.last_kept, 19999);
    EXPECT_EQ(table.names[15000], "entry15000.lnk");
    EXPECT_EQ(list.row_text(19999), "entry19999");
}

// A list that refuses to remove rows, as a failing control would.
class StubbornList final : public FileListModel {
  public:
    int row_count() const override { return static_cast<int>(rows_.size()); }
    std::string row_text(int row) const override { return rows_[static_cast<std::size_t>(row)]; }
    void remove_row(int) override {}
    void set_row_text(int row, std::string_view text) override {
        rows_[static_cast<std::size_t>(row)] = text;
    }

  private:
    std::vector<std::string> rows_{"desktop.ini", "Editor.lnk"};
};

TEST(FileListCleanup, EndsEvenWhenTheListRefusesToRemoveARow) {
    StubbornList list;
    EntryNameTable table;
    clean_up_file_list(list, table);
    EXPECT_EQ(table.names, (Names{"desktop.ini", "Editor.lnk"}));
    EXPECT_EQ(list.row_text(1), "Editor");
}

TEST(FileListCleanup, NonLatinEntriesOfARealFolderSurvive) {
    test::TempDir dir;
    dir.write_file("Блокнот.lnk", "x");
    dir.write_file("メモ帳.lnk", "x");
    dir.write_file("desktop.ini", "x");
    dir.make_dir("Папка");
    MemoryFileList list;
    ASSERT_TRUE(list.show_folder(dir.str()));
    EntryNameTable table;
    clean_up_file_list(list, table);
    EXPECT_EQ(list.rows(), (Names{"Блокнот", "メモ帳"}));
    EXPECT_EQ(table.names, (Names{"Блокнот.lnk", "メモ帳.lnk"}));
}

}  // namespace
}  // namespace trevalon
