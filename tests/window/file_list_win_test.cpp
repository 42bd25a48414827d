// The file list control on its own: what it reads for a folder and a
// pattern, its columns, its selection state.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/wide_win.h"
#include "window/window_fixture_win.h"

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

TEST_F(FileListControl, RowsFromAnywhereComeByStepsWithTheirIconsAsTheyAreDrawn) {
    list().set_text(folder_);
    const std::uint64_t before = list().serial();
    std::vector<ListRow> rows;
    for (int i = 0; i < 1000; ++i)
        rows.push_back({folder_ + "Notes.txt", "Row " + std::to_string(i), "Somewhere"});
    list().show_rows(rows);
    EXPECT_NE(list().serial(), before);
    EXPECT_EQ(list().text(), "") << "no folder behind rows from anywhere";
    EXPECT_EQ(list().pattern(), "*.*");
    // The first screens at once, the rest when the window has time.
    EXPECT_GT(list().row_count(), 0);
    EXPECT_LT(list().row_count(), 1000);
    EXPECT_TRUE(list().filling());
    EXPECT_EQ(list().item_text(0, 0), "Row 0");
    ASSERT_TRUE(test::wait_until([&] { return !list().filling(); }));
    ASSERT_EQ(list().row_count(), 1000);
    EXPECT_EQ(list().item_text(999, 0), "Row 999");

    // The shell's icon of the file, asked when a row is drawn.
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = 0;
    SendMessageW(list().window(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SHFILEINFOW file{};
    SHGetFileInfoW(utf8_to_wide(folder_ + "Notes.txt").c_str(), 0, &file, sizeof(file),
                   SHGFI_SYSICONINDEX);
    EXPECT_EQ(item.iImage, file.iIcon);

    // A folder shown while rows are still coming stops them.
    list().show_rows(rows);
    list().set_text(folder_);
    test::pump_messages();
    Sleep(50);
    test::pump_messages();
    EXPECT_EQ(list().row_count(), 5);
    EXPECT_TRUE(list().rows().empty());
    EXPECT_FALSE(list().filling());

    // A note is a row without a file.
    list().show_rows({});
    list().add_note("Nothing here");
    EXPECT_EQ(list_rows(), std::vector<std::string>{"Nothing here"});
}

}  // namespace
}  // namespace trevalon
