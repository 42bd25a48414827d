// The file list control on its own: what it reads for a folder and a
// pattern, its columns, its selection state.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/wide_win.h"
#include "window/window_fixture_win.h"
#include "window/window_numbers.h"

namespace trevalon {
namespace {

class FileListControl : public test::WindowTest {
  protected:
    void SetUp() override {
        test::WindowTest::SetUp();
        folder_ = app_.folders.own_menu;
        for (const char* name : {"Zeta.lnk", "alpha.lnk", "News.url", "Readme", "Notes.txt"})
            write_file(folder_ + name, "12345");
        create_folders(folder_ + "Sub folder");
        write_file(folder_ + "Sub folder\\Inside.lnk", "x");
    }

    FileList& list() { return app_.window.list; }

    std::string folder_;
};

TEST_F(FileListControl, ListsTheFilesOfTheFolderInNameOrderWithoutFolders) {
    list().set_text(folder_);
    EXPECT_EQ(list_rows(), (std::vector<std::string>{"alpha.lnk", "News.url", "Notes.txt", "Readme",
                                                     "Zeta.lnk"}));
    EXPECT_EQ(list().text(), folder_);
    EXPECT_EQ(list().pattern(), "*.*");
    EXPECT_EQ(list().state(), -1);
    // Size, type and modification time come with every row.
    for (int column = 1; column < 4; ++column)
        EXPECT_FALSE(list().item_text(0, column).empty()) << column;
    EXPECT_EQ(list().item_text(0, 7), "");
    EXPECT_EQ(list().item_text(9, 0), "");
}

TEST_F(FileListControl, PatternsAndFoldersChangeIndependently) {
    list().set_text(folder_);
    list().set_text("*.url");
    EXPECT_EQ(list_rows(), (std::vector<std::string>{"News.url"}));
    EXPECT_EQ(list().text(), folder_);

    // A new folder keeps the pattern.
    const std::string other = app_.folders.bookmarks;
    write_file(other + "Site.url", "x");
    write_file(other + "Site.lnk", "x");
    list().set_text(other);
    EXPECT_EQ(list_rows(), (std::vector<std::string>{"Site.url"}));

    // Several patterns list in their order: links first, then the rest.
    list().set_text(folder_ + "*.lnk;*.url");
    EXPECT_EQ(list_rows(), (std::vector<std::string>{"alpha.lnk", "Zeta.lnk", "News.url"}));
    list().set_text("\\*.txt");
    EXPECT_EQ(list_rows(), (std::vector<std::string>{"Notes.txt"}));
    EXPECT_EQ(list().text(), folder_);
}

TEST_F(FileListControl, AMissingFolderIsEmptyAndTheEmptyTextClearsTheFolder) {
    const std::string missing = folder_ + "Not there\\";
    list().set_text(missing);
    EXPECT_EQ(list().row_count(), 0);
    EXPECT_EQ(list().text(), missing);

    list().set_text(folder_);
    ASSERT_GT(list().row_count(), 0);
    list().set_text("");
    EXPECT_EQ(list().row_count(), 0);
    EXPECT_EQ(list().text(), "");
}

TEST_F(FileListControl, TheDriveLetterComesBackUpperCase) {
    ASSERT_EQ(folder_[1], ':');
    std::string lower = folder_;
    lower[0] = static_cast<char>(tolower(lower[0]));
    list().set_text(lower);
    EXPECT_EQ(list().text()[0], static_cast<char>(toupper(folder_[0])));
    EXPECT_EQ(list().row_count(), 5);
}

TEST_F(FileListControl, UsesTheSystemImageListsAndSwitchesDisplayModes) {
    HWND control = list().window();
    EXPECT_TRUE(SendMessageW(control, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    EXPECT_TRUE(SendMessageW(control, LVM_GETIMAGELIST, LVSIL_NORMAL, 0));
    for (const int mode : {kLargeIconMode, kSmallIconMode, kListMode, kDetailsMode}) {
        list().set_display_mode(mode);
        EXPECT_EQ(list().display_mode(), mode);
    }
    list().set_display_mode(7);
    EXPECT_EQ(list().display_mode(), kDetailsMode);

    // Each row's icon and type name are the shell's, looked up when the
    // list asks for them.
    list().set_text(folder_);
    for (int row = 0; row < list().row_count(); ++row) {
        const std::string name = list().item_text(row, kNameColumn);
        SHFILEINFOW shell{};
        SHGetFileInfoW(utf8_to_wide(folder_ + name).c_str(), 0, &shell, sizeof(shell),
                       SHGFI_SYSICONINDEX | SHGFI_TYPENAME);
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        ASSERT_TRUE(SendMessageW(control, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        EXPECT_EQ(item.iImage, shell.iIcon) << name;
        EXPECT_EQ(list().item_text(row, kTypeColumn), wide_to_utf8(shell.szTypeName)) << name;
    }
}

// Rows that count how often the list asks for them.
class CountedRows final : public ListRows {
  public:
    CountedRows(std::string path, std::size_t count) : path_(std::move(path)), count_(count) {}
    std::size_t count() const override { return count_; }
    ListRow row(std::size_t index) override {
        ++asked;
        return {path_, "Row " + std::to_string(index), "Somewhere"};
    }
    int asked = 0;

  private:
    std::string path_;
    std::size_t count_;
};

TEST_F(FileListControl, RowsFromAnywhereAreAskedForOnlyAsTheyAreDrawn) {
    list().set_text(folder_);
    HWND folder_list = list().window();
    SetFocus(folder_list);
    const std::uint64_t before = list().serial();
    auto rows = std::make_shared<CountedRows>(folder_ + "Notes.txt", 100000);
    list().show_rows(rows);
    UpdateWindow(list().window());
    EXPECT_NE(list().serial(), before);
    EXPECT_EQ(list().text(), "") << "no folder behind rows from anywhere";
    EXPECT_EQ(list().pattern(), "*.*");
    // A list of its own takes the place, the number and the focus.
    HWND rows_list = list().window();
    ASSERT_NE(rows_list, folder_list);
    EXPECT_TRUE(IsWindowVisible(rows_list));
    EXPECT_FALSE(IsWindowVisible(folder_list));
    EXPECT_EQ(GetDlgCtrlID(rows_list), kFileListControl);
    EXPECT_NE(GetDlgCtrlID(folder_list), kFileListControl);
    EXPECT_EQ(GetFocus(), rows_list);
    EXPECT_EQ(test::rect_in_parent(rows_list), test::rect_in_parent(folder_list));
    // The list holds the first thousand rows; only those drawn were asked for.
    EXPECT_EQ(list().row_total(), 100000u);
    EXPECT_EQ(list().row_count(), 1000);
    EXPECT_GT(rows->asked, 0);
    EXPECT_LT(rows->asked, 200);
    EXPECT_EQ(list().shown_row(99999)->text, "Row 99999");
    EXPECT_EQ(list().shown_row(5)->text, "Row 5");
    EXPECT_FALSE(list().shown_row(100000));

    // A row drawn shows its kind of file's icon at once; the shell's icon of
    // the file itself comes when no input waits.
    EXPECT_GT(list().icons_waiting(), 0u);
    ASSERT_TRUE(test::wait_until([&] { return list().icons_waiting() == 0; }));
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = 0;
    SendMessageW(rows_list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SHFILEINFOW file{};
    SHGetFileInfoW(utf8_to_wide(folder_ + "Notes.txt").c_str(), 0, &file, sizeof(file),
                   SHGFI_SYSICONINDEX);
    EXPECT_EQ(item.iImage, file.iIcon);

    // Drawn near the end of what it holds, it takes more, until it holds all.
    list().show_rows(std::make_shared<CountedRows>(folder_ + "Notes.txt", 3500));
    for (int step = 0; step < 10 && list().row_count() < 3500; ++step) {
        SendMessageW(rows_list, LVM_ENSUREVISIBLE, list().row_count() - 1, FALSE);
        UpdateWindow(rows_list);
        test::pump_messages();
    }
    EXPECT_EQ(list().row_count(), 3500);
    EXPECT_EQ(list().item_text(3499, 0), "Row 3499");

    // A mode set while the rows show holds for both lists.
    list().set_display_mode(kListMode);
    EXPECT_EQ(SendMessageW(folder_list, LVM_GETVIEW, 0, 0), LV_VIEW_LIST);

    // A folder takes its own list back.
    list().set_text(folder_);
    EXPECT_EQ(list().window(), folder_list);
    EXPECT_EQ(GetDlgCtrlID(folder_list), kFileListControl);
    EXPECT_EQ(GetFocus(), folder_list);
    EXPECT_EQ(list().row_count(), 5);
    EXPECT_EQ(list().row_total(), 0u);
    EXPECT_FALSE(list().shown_row(0));

    // A note is a row without a file.
    list().show_rows(std::vector<ListRow>{});
    list().add_note("Nothing here");
    EXPECT_EQ(list_rows(), std::vector<std::string>{"Nothing here"});
    EXPECT_FALSE(list().shown_row(0));
    list().show_rows(std::vector<ListRow>{{folder_ + "Notes.txt", "Notes", ""}});
    list().add_note("and a line");
    EXPECT_EQ(list_rows(), (std::vector<std::string>{"Notes", "and a line"}));
}

}  // namespace
}  // namespace trevalon
