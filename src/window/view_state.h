// What the window shows and what the user may do there: shared by the commands
// of the event loop, set first at start-up.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "window/selection.h"

namespace trevalon {

struct Settings;
class TextTable;

inline constexpr std::string_view kWindowsMenuMode = "w";
inline constexpr std::string_view kOwnMenuMode = "m";

// Values of the editable flag.
inline constexpr int kReadOnlyView = 1;
inline constexpr int kEditableView = 2;

struct ViewState {
    std::string menu_mode{kOwnMenuMode};  // mirrored in the setting MenuTypeActive
    std::string menu_root;                // folder whose tree is shown
    std::string caption_key;              // TXT00205 (Windows menu) or TXT00206 (own menu)
    std::string caption;                  // the caption key's text
    int editable = kEditableView;
    int record_launch = 1;
    int tree_selection = -1;
    std::array<int, 2> tree_history{0, 0};  // [0] current item, [1] the one before
    SelectedFolder selected_folder;         // set by a right click on the tree
    SelectedEntry selected_entry;           // set by a right click on the list
};

// The menu shown first: the Windows menu when MenuOnProgramStart is 1, or 2
// with MenuTypeActive "w"; the own menu (MyOwnMenu) in every other case.
ViewState choose_first_menu(const Settings& settings, std::string_view windows_menu_folder,
                            const TextTable& texts);

}  // namespace trevalon
