// The file list behind a standard list-view control: column 0 of each row
// holds the text the menu code reads and rewrites.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "menu/folder_views.h"

namespace trevalon {

class ListViewFileList final : public FileListModel {
  public:
    explicit ListViewFileList(HWND list) : list_(list) {}

    int row_count() const override;
    std::string row_text(int row) const override;
    void remove_row(int row) override;
    void set_row_text(int row, std::string_view text) override;

    HWND window() const { return list_; }

  private:
    HWND list_;
};

}  // namespace trevalon
