// The scan and the clean-up against real tree-view and list-view controls.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "menu/file_list_cleanup.h"
#include "menu/folder_scan.h"
#include "menu/memory_folder_views.h"
#include "menu/menu_search.h"
#include "platform/wide_win.h"
#include "support/temp_dir.h"
#include "window/file_list_view_win.h"
#include "window/folder_tree_view_win.h"

namespace trevalon {
namespace {

// A test window holding one tree-view and one list-view control.
class ControlsWindow : public testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&init));
        window_ = CreateWindowExW(0, L"STATIC", L"menu views", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                                  nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(window_);
        tree_ = CreateWindowExW(0, WC_TREEVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, 0, 0, 300,
                                600, window_, nullptr, nullptr, nullptr);
        list_ = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 300, 0,
                                500, 600, window_, nullptr, nullptr, nullptr);
        ASSERT_TRUE(tree_ && list_);
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        column.cx = 400;
        SendMessageW(list_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    }
    void TearDown() override {
        if (window_)
            DestroyWindow(window_);
    }

    // The control's own view of the tree: "text@depth#data" in display order.
    std::vector<std::string> tree_outline() const {
        std::vector<std::string> lines;
        std::vector<std::pair<HTREEITEM, int>> stack;
        auto first =
            reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        // Siblings are pushed last-first so the first is visited first.
        auto push_siblings = [&](HTREEITEM item, int depth) {
            std::vector<HTREEITEM> siblings;
            for (; item; item = reinterpret_cast<HTREEITEM>(SendMessageW(
                             tree_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
                siblings.push_back(item);
            for (auto it = siblings.rbegin(); it != siblings.rend(); ++it)
                stack.push_back({*it, depth});
        };
        push_siblings(first, 0);
        while (!stack.empty()) {
            const auto [item, depth] = stack.back();
            stack.pop_back();
            wchar_t text[512] = {};
            TVITEMW data{};
            data.mask = TVIF_TEXT | TVIF_PARAM | TVIF_HANDLE;
            data.hItem = item;
            data.pszText = text;
            data.cchTextMax = 512;
            SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
            lines.push_back(wide_to_utf8(text) + "@" + std::to_string(depth) + "#" +
                            std::to_string(data.lParam));
            push_siblings(reinterpret_cast<HTREEITEM>(SendMessageW(
                              tree_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item))),
                          depth + 1);
        }
        return lines;
    }

    void add_rows(const std::vector<std::string>& names) {
        SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list_, LVM_SETITEMCOUNT, names.size(), 0);
        for (const std::string& name : names) {
            std::wstring text = utf8_to_wide(name);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
            item.pszText = text.data();
            SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    }

    std::vector<std::string> list_rows() const {
        std::vector<std::string> rows;
        const int count = static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) {
            wchar_t text[512] = {};
            LVITEMW item{};
            item.pszText = text;
            item.cchTextMax = 512;
            SendMessageW(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&item));
            rows.push_back(wide_to_utf8(text));
        }
        return rows;
    }

    HWND window_ = nullptr;
    HWND tree_ = nullptr;
    HWND list_ = nullptr;
};

using Lines = std::vector<std::string>;

TEST_F(ControlsWindow, ScanFillsTheTreeControlInPreOrderWithNonLatinNames) {
    test::TempDir dir;
    dir.make_dir("Игры/Шахматы");
    dir.make_dir("ツール");
    dir.make_dir("Office");
    TreeViewFolderTree tree(tree_);
    FolderTable table;
    scan_folder_tree(dir.str(), 0, tree, table);
    EXPECT_EQ(tree_outline(),
              (Lines{"TOP@0#0", "Office@0#1", "Игры@0#2", "Шахматы@1#3", "ツール@0#4"}));
    ASSERT_EQ(table.count(), 5);
    EXPECT_EQ(table.paths[3], dir.str() + "Игры\\Шахматы");
    EXPECT_EQ(tree.item_text(3), "Шахматы");
    EXPECT_EQ(tree.item_depth(3), 1);
    EXPECT_EQ(tree.position_of(tree.item_handle(3)), 3);

    tree.set_item_text(0, "Меню - TOP");
    EXPECT_EQ(tree_outline()[0], "Меню - TOP@0#0");

    tree.clear();
    table.clear();
    EXPECT_EQ(SendMessageW(tree_, TVM_GETCOUNT, 0, 0), 0);
    scan_folder_tree(dir.str(), 0, tree, table);
    EXPECT_EQ(tree_outline().size(), 5u);
}

TEST_F(ControlsWindow, TreeTakesTwentyThousandFolders) {
    TreeViewFolderTree tree(tree_);
    FolderTable table;
    const auto listing = [](std::string_view folder) -> std::optional<std::vector<DirectoryEntry>> {
        std::vector<DirectoryEntry> entries;
        if (folder == "M\\") {
            for (int group = 0; group < 100; ++group)
                entries.push_back({std::string("g").append(std::to_string(100 + group)), true});
        } else if (folder.size() == 7) {  // "M\\gNNN\\"
            for (int i = 0; i < 200; ++i)
                entries.push_back({std::to_string(1000 + i), true});
        }
        return entries;
    };
    scan_folder_tree("M", 0, tree, table, listing);
    ASSERT_EQ(SendMessageW(tree_, TVM_GETCOUNT, 0, 0), 20101);
    ASSERT_EQ(table.count(), 20101);
    EXPECT_EQ(tree.item_data(20100), 20100);
    EXPECT_EQ(tree.item_text(20100), "1199");
}

TEST_F(ControlsWindow, CleanUpWorksOnTheListControl) {
    add_rows({"Thumbs.db", "desktop.ini", "Блокнот.lnk", "Desktop.lnk", "setup.INI", "メモ帳.txt",
              "Editor.lnk"});
    ListViewFileList list(list_);
    EntryNameTable table;
    clean_up_file_list(list, table);
    EXPECT_EQ(list_rows(), (Lines{"Блокнот", "メモ帳", "Editor"}));
    EXPECT_EQ(table.names, (Lines{"Блокнот.lnk", "メモ帳.txt", "Editor.lnk"}));
    EXPECT_EQ(table.last_kept, 2);
}

TEST_F(ControlsWindow, ListAdapterReadsLongRowTexts) {
    const std::string long_name = std::string(700, 'x') + ".lnk";
    add_rows({long_name});
    ListViewFileList list(list_);
    EXPECT_EQ(list.row_text(0), long_name);
    EXPECT_EQ(list.row_text(1), "");
}

TEST_F(ControlsWindow, ListOfTwentyThousandFilesIsCleanedUp) {
    std::vector<std::string> names;
    for (int i = 0; i < 20000; ++i)
        names.push_back(std::string("e").append(std::to_string(i)).append(".lnk"));
    names.push_back("desktop.ini");
    add_rows(names);
    ListViewFileList list(list_);
    EntryNameTable table;
    clean_up_file_list(list, table);
    EXPECT_EQ(list.row_count(), 20000);
    EXPECT_EQ(table.names.size(), 20000u);
    EXPECT_EQ(list.row_text(19999), "e19999");
}

TEST_F(ControlsWindow, SearchResultsOfNonLatinNamesShowInTheList) {
    test::TempDir menu, results;
    menu.write_file("Игры/Шахматы.lnk", "x");
    menu.write_file("ツール/シャッフル.lnk", "x");
    search_menu_folder(menu.str(), "шах", results.str());
    search_menu_folder(menu.str(), "シャ", results.str());
    MemoryFileList files;
    ASSERT_TRUE(files.show_folder(results.str()));
    add_rows(files.rows());
    ListViewFileList list(list_);
    EntryNameTable table;
    clean_up_file_list(list, table);
    EXPECT_EQ(list_rows(), (Lines{"Шахматы", "シャッフル"}));
}

}  // namespace
}  // namespace trevalon
