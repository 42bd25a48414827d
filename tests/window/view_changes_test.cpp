// The view state through menu and list switches, tree clicks and the back
// button.
#include "window/view_changes.h"

#include <gtest/gtest.h>

#include "settings/settings.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

class ViewChanges : public testing::Test {
  protected:
    void SetUp() override {
        load_builtin_texts(texts_);
        settings_ = default_settings("C:\\Data\\My Menu\\");
        enter_own_menu(view_, settings_, texts_);
    }
    TextTable texts_;
    Settings settings_;
    ViewState view_;
};

TEST_F(ViewChanges, TheTwoMenusSetRootCaptionModeAndFlags) {
    view_.tree_history = {4, 2};
    enter_windows_menu(view_, settings_, "C:\\Data\\Windows Menu\\", texts_);
    EXPECT_EQ(view_.menu_mode, kWindowsMenuMode);
    EXPECT_EQ(view_.menu_root, "C:\\Data\\Windows Menu\\");
    EXPECT_EQ(view_.caption, texts_.find("TXT00205"));
    EXPECT_EQ(view_.editable, kReadOnlyView);
    EXPECT_EQ(view_.record_launch, 1);
    EXPECT_EQ(view_.tree_selection, 0);
    EXPECT_EQ(view_.tree_history, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(settings_.menu_type_active, "w");

    view_.record_launch = 0;
    enter_own_menu(view_, settings_, texts_);
    EXPECT_EQ(view_.menu_mode, kOwnMenuMode);
    EXPECT_EQ(view_.menu_root, "C:\\Data\\My Menu\\");
    EXPECT_EQ(view_.caption_key, "TXT00206");
    EXPECT_EQ(view_.editable, kEditableView);
    EXPECT_EQ(view_.record_launch, 1);
    EXPECT_EQ(settings_.menu_type_active, "m");
}

TEST_F(ViewChanges, ListsClearTheTreeSelectionAndSetTheirFlags) {
    enter_list(view_, ListView::recent_programs);
    EXPECT_EQ(view_.tree_selection, -1);
    EXPECT_EQ(view_.editable, kEditableView);
    EXPECT_EQ(view_.record_launch, 0);

    enter_list(view_, ListView::search_results);  // the record flag stays
    EXPECT_EQ(view_.editable, kReadOnlyView);
    EXPECT_EQ(view_.record_launch, 0);

    enter_list(view_, ListView::bookmarks);
    EXPECT_EQ(view_.editable, kEditableView);
    EXPECT_EQ(view_.record_launch, 1);

    enter_list(view_, ListView::recent_documents);
    EXPECT_EQ(view_.editable, kReadOnlyView);
    EXPECT_EQ(view_.record_launch, 0);
    EXPECT_EQ(view_.menu_mode, kOwnMenuMode);  // the menu stays what it was
}

TEST_F(ViewChanges, ATreeFolderIsEditableOnlyInTheOwnMenu) {
    enter_list(view_, ListView::recent_documents);
    open_tree_item(view_, 3);
    EXPECT_EQ(view_.tree_selection, 3);
    EXPECT_EQ(view_.editable, kEditableView);
    EXPECT_EQ(view_.record_launch, 1);

    enter_windows_menu(view_, settings_, "C:\\W\\", texts_);
    enter_list(view_, ListView::bookmarks);
    open_tree_item(view_, 2);
    EXPECT_EQ(view_.editable, kReadOnlyView);
}

TEST_F(ViewChanges, BackTwiceReturnsToTheFolderItStartedFrom) {
    open_tree_item(view_, 2);
    open_tree_item(view_, 5);
    EXPECT_EQ(view_.tree_history, (std::array<int, 2>{5, 2}));
    EXPECT_EQ(go_back(view_), 2);
    EXPECT_EQ(go_back(view_), 5);
    EXPECT_EQ(go_back(view_), 2);
}

TEST_F(ViewChanges, BackAfterAListReturnsToTheLastFolderWithoutSwapping) {
    open_tree_item(view_, 2);
    open_tree_item(view_, 5);
    enter_list(view_, ListView::recent_programs);
    EXPECT_EQ(go_back(view_), 5);
    EXPECT_EQ(view_.tree_selection, 5);
    EXPECT_EQ(go_back(view_), 2);

    // A folder opened after the list keeps the one shown before it as "back".
    enter_list(view_, ListView::bookmarks);
    open_tree_item(view_, 7);
    EXPECT_EQ(go_back(view_), 2);
}

}  // namespace
}  // namespace trevalon
