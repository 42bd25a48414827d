// A MenuView without a window: it keeps the folder table and the list's
// folder the way the window would, scanning the real folders, and records
// what it was asked to show.
#pragma once

#include <string>
#include <vector>

#include "commands/menu_view.h"

namespace trevalon {
struct App;
}

namespace trevalon::test {

class ModelMenuView final : public MenuView {
  public:
    explicit ModelMenuView(App& app) : app_(app) {}

    std::string list_folder() const override { return list_folder_; }
    // Rebuilds the folder table from the menu root, selects item 0 and lists it.
    void show_menu_again() override;
    void select_tree_item(int item) override;
    void open_folder(std::string_view folder) override;
    void refresh_list() override;
    void clear_list() override;
    void focus_list() override { calls.push_back("focus"); }
    void select_entry(std::string_view path) override {
        calls.push_back("select entry " + std::string(path));
    }
    void show_recent_programs() override;
    void show_recent_documents() override;
    void show_bookmarks() override;

    // Sets the list's folder directly, as if the user had opened it.
    void set_list_folder(std::string folder) { list_folder_ = std::move(folder); }

    int selected_item = -1;
    // One line per call: "menu", "select 3", "open <folder>", "refresh",
    // "clear", "focus", "select entry <path>", "recent programs",
    // "recent documents", "bookmarks".
    std::vector<std::string> calls;

  private:
    App& app_;
    std::string list_folder_;
};

}  // namespace trevalon::test
