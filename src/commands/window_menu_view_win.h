// The operations' view of the window: the real folder tree and file list
// behind MenuView, with the view state's tree selection kept in step.
#pragma once

#include "commands/menu_view.h"

namespace trevalon {

struct App;

class WindowMenuView final : public MenuView {
  public:
    explicit WindowMenuView(App& app) : app_(app) {}

    std::string list_folder() const override;
    void show_menu_again() override;
    void select_tree_item(int item) override;
    void open_folder(std::string_view folder) override;
    void refresh_list() override;
    void clear_list() override;
    void focus_list() override;
    void select_entry(std::string_view path) override;
    void show_recent_programs() override;
    void show_recent_documents() override;
    void show_bookmarks() override;

  private:
    App& app_;
};

}  // namespace trevalon
