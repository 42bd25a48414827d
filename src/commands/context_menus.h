// The two context menus of the window, the folder tree's (45) and the file
// list's (54): their items in order and which of them may be chosen, decided
// from what the view shows when the menu opens.
#pragma once

#include <array>
#include <bitset>

#include "window/window_numbers.h"

namespace trevalon {

inline constexpr int kTreeMenu = 45;
inline constexpr int kListMenu = 54;

// Command numbers in menu order; 0 stands for a separator. Undo
// (kUndoCommand) ends both; its caption names what it takes back.
inline constexpr std::array kTreeMenuItems{46, 47, 0, 48, 49, 0, 50, 51, 0, 52, 0, 53, 0, 70};
inline constexpr std::array kListMenuItems{55, 0,  59, 60, 61, 0,  62, 63, 0, 64, 65,
                                           0,  66, 67, 91, 0,  68, 0,  69, 0, 70};

// Enabled flags by command number.
class MenuItemStates {
  public:
    bool enabled(int command) const { return in_range(command) && enabled_[command]; }
    void set(int command, bool enabled) {
        if (in_range(command))
            enabled_[command] = enabled;
    }

  private:
    static constexpr int kCommands = 128;
    static bool in_range(int command) { return command >= 0 && command < kCommands; }
    std::bitset<kCommands> enabled_;
};

struct TreeMenuInput {
    bool item_hit = false;  // the right click hit a tree item
    int item = -1;          // its number; 0 is the menu folder itself
    // Whether the tree shows the own menu. Taken from the menu mode, not from
    // the editable flag: a list shown after the Windows menu makes the view
    // editable, but the tree still shows the Windows menu's rebuilt copy.
    bool own_menu = false;
    // Whether the view may be changed. Without an item hit the list shown
    // decides: recent documents and search results may not be.
    bool editable = false;
    bool can_undo = false;  // an edit of this run can be taken back
};

struct ListMenuInput {
    bool has_entry = false;  // the right click hit an entry of the list
    bool editable = false;   // the list's view may be changed
    int clipboard_files = 0;
    bool program = false;      // the entry starts a program (.exe target)
    bool can_undo = false;     // an edit of this run can be taken back
    bool live_result = false;  // the entry is a search result shown as the user types
};

MenuItemStates tree_menu_states(const TreeMenuInput& input);
MenuItemStates list_menu_states(const ListMenuInput& input);

}  // namespace trevalon
