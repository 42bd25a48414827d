// The two views a menu is shown in, as the menu code sees them: the folder
// tree (items in display order, each with a text, a depth and a data number)
// and the file list (rows whose text starts as a file name). The window puts
// real controls behind these; tests and benchmarks use the in-memory models.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace trevalon {

class FolderTreeSink {
  public:
    virtual ~FolderTreeSink() = default;

    virtual void clear() = 0;
    // Adds an item after the last one; depth 0 is outermost, and an item of
    // depth d > 0 goes below the last item added with depth d - 1. Returns the
    // new item's position (its number in display order), or -1 on failure.
    virtual int add_item(std::string_view text, int depth) = 0;
    virtual int item_count() const = 0;
    virtual void set_item_data(int position, std::intptr_t data) = 0;
    virtual std::intptr_t item_data(int position) const = 0;
    virtual void set_item_text(int position, std::string_view text) = 0;
    virtual std::string item_text(int position) const = 0;
    virtual int item_depth(int position) const = 0;
};

class FileListModel {
  public:
    virtual ~FileListModel() = default;

    virtual int row_count() const = 0;
    virtual std::string row_text(int row) const = 0;
    virtual void remove_row(int row) = 0;
    virtual void set_row_text(int row, std::string_view text) = 0;
};

}  // namespace trevalon
