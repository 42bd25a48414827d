// Plain in-memory folder tree and file list, for native tests and benchmarks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "menu/folder_views.h"

namespace trevalon {

class MemoryFolderTree final : public FolderTreeSink {
  public:
    struct Item {
        std::string text;
        int depth = 0;
        std::intptr_t data = 0;
    };

    void clear() override { items_.clear(); }
    int add_item(std::string_view text, int depth) override;
    int item_count() const override { return static_cast<int>(items_.size()); }
    void set_item_data(int position, std::intptr_t data) override;
    std::intptr_t item_data(int position) const override;
    void set_item_text(int position, std::string_view text) override;
    std::string item_text(int position) const override;
    int item_depth(int position) const override;

    const std::vector<Item>& items() const { return items_; }

  private:
    bool valid(int position) const { return position >= 0 && position < item_count(); }
    std::vector<Item> items_;
};

class MemoryFileList final : public FileListModel {
  public:
    MemoryFileList() = default;
    explicit MemoryFileList(std::vector<std::string> rows) : rows_(std::move(rows)) {}

    // What the real file list does when given a folder: one row per file (not
    // folder), in listing order, with the file's name. Returns false and shows
    // nothing when the folder cannot be listed.
    bool show_folder(std::string_view folder);

    int row_count() const override { return static_cast<int>(rows_.size()); }
    std::string row_text(int row) const override;
    void remove_row(int row) override;
    void set_row_text(int row, std::string_view text) override;

    const std::vector<std::string>& rows() const { return rows_; }

  private:
    bool valid(int row) const { return row >= 0 && row < row_count(); }
    std::vector<std::string> rows_;
};

}  // namespace trevalon
