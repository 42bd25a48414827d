// The numbers the rest of the program addresses the main window by: its
// controls, its toolbar buttons with their images and tooltips, and the items
// of its five popup menus. Data only; the window is built from these tables.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "window/key_map.h"

namespace trevalon {

// Control numbers of the main window.
inline constexpr int kTreeContainer = 0;
inline constexpr int kFolderTreeControl = 1;
inline constexpr int kListContainer = 2;
inline constexpr int kFileListControl = 3;
inline constexpr int kTreeCaptionControl = 4;
inline constexpr int kListCaptionControl = 5;
inline constexpr int kBookmarksButton = 8;
inline constexpr int kBackButton = 9;
inline constexpr int kSearchField = 11;
inline constexpr int kSearchButton = 12;
inline constexpr int kSizeButton = 13;

// Toolbar numbers.
inline constexpr int kUpperToolbar = 0;
inline constexpr int kLowerToolbar = 14;

// Popup menu numbers.
inline constexpr int kToolsMenu = 21;
inline constexpr int kHelpMenu = 29;
inline constexpr int kPowerMenu = 37;
inline constexpr int kFolderTreeMenu = 45;
inline constexpr int kFileListMenu = 54;

// The command of the Return key; no button or menu item carries it.
inline constexpr int kReturnKeyCommand = 44;
// Undo: Ctrl+Z, and the last item of the tree's and the list's menus.
inline constexpr int kUndoCommand = 70;

// Queued by the window when a companion could not pin a program to the
// taskbar; no button or menu item carries it.
inline constexpr int kPinningRefusedCommand = 100;

// Search results as the user types. Enter in the search field: the top
// result starts (or, with SearchEnterStartsFirst 0, the search command
// runs). Show in folder: the tree shows the folder of a result, the list the
// result in it; an item of the list's menu, and Ctrl+Enter.
inline constexpr int kSearchEnterCommand = 90;
inline constexpr int kShowInFolderCommand = 91;

// Image numbers of the size button: while the window is full, and small.
inline constexpr int kSmallerImage = 30;
inline constexpr int kLargerImage = 31;

// A toolbar button or a separator (command 0).
struct ToolbarButton {
    int command = 0;
    int image = -1;
    std::string_view tooltip_key;

    bool separator() const { return command == 0; }
};

// A popup menu item or a separator (command 0).
struct MenuItem {
    int command = 0;
    std::string_view caption_key;

    bool separator() const { return command == 0; }
};

struct PopupMenu {
    int number = 0;
    std::span<const MenuItem> items;
};

// An image button of the bottom row with its picture and tooltip, and the
// command of the key that does what a click does (0: none).
struct ImageButton {
    int control = 0;
    int image = 0;
    std::string_view tooltip_key;
    int key_command = 0;
};

inline constexpr ToolbarButton kSeparator{};

inline constexpr std::array kUpperToolbarButtons{
    ToolbarButton{1, 0, "TXT00050"},
    ToolbarButton{2, 1, "TXT00051"},
    kSeparator,
    ToolbarButton{3, 2, "TXT00053"},
    ToolbarButton{4, 3, "TXT00054"},
    kSeparator,
    ToolbarButton{6, 5, "TXT00055"},
    ToolbarButton{7, 6, "TXT00056"},
    ToolbarButton{8, 7, "TXT00057"},
    ToolbarButton{9, 8, "TXT00058"},
    kSeparator,
    ToolbarButton{11, 10, "TXT00060"},
    ToolbarButton{12, 11, "TXT00061"},
    ToolbarButton{13, 12, "TXT00062"},
};

inline constexpr std::array kLowerToolbarButtons{
    ToolbarButton{15, 20, "TXT00080"}, ToolbarButton{16, 21, "TXT00081"},
    ToolbarButton{17, 22, "TXT00082"}, ToolbarButton{18, 23, "TXT00083"},
    ToolbarButton{19, 24, "TXT00084"}, ToolbarButton{20, 25, "TXT00085"},
};

inline constexpr MenuItem kMenuSeparator{};

inline constexpr std::array kToolsMenuItems{
    MenuItem{25, "TXT00090"}, MenuItem{23, "TXT00091"}, MenuItem{24, "TXT00092"},
    kMenuSeparator,           MenuItem{22, "TXT00093"}, kMenuSeparator,
    MenuItem{26, "TXT00094"}, MenuItem{27, "TXT00095"}, MenuItem{28, "TXT00096"},
};

inline constexpr std::array kHelpMenuItems{
    MenuItem{30, "TXT00070"}, MenuItem{31, "TXT00071"}, MenuItem{32, "TXT00072"},
    MenuItem{33, "TXT00073"}, kMenuSeparator,           MenuItem{35, "TXT00075"},
    kMenuSeparator,           MenuItem{36, "TXT00076"},
};

inline constexpr std::array kPowerMenuItems{
    MenuItem{38, "TXT00030"}, MenuItem{39, "TXT00031"}, MenuItem{40, "TXT00032"}, kMenuSeparator,
    MenuItem{41, "TXT00033"}, MenuItem{42, "TXT00034"}, MenuItem{43, "TXT00035"},
};

inline constexpr std::array kFolderTreeMenuItems{
    MenuItem{46, "TXT00100"}, MenuItem{47, "TXT00101"}, kMenuSeparator,
    MenuItem{48, "TXT00102"}, MenuItem{49, "TXT00103"}, kMenuSeparator,
    MenuItem{50, "TXT00104"}, MenuItem{51, "TXT00105"}, kMenuSeparator,
    MenuItem{52, "TXT00106"}, kMenuSeparator,           MenuItem{53, "TXT00107"},
    kMenuSeparator,           MenuItem{70, "TXT00300"},
};

inline constexpr std::array kFileListMenuItems{
    MenuItem{55, "TXT00110"}, kMenuSeparator,           MenuItem{59, "TXT00111"},
    MenuItem{60, "TXT00112"}, MenuItem{61, "TXT00113"}, kMenuSeparator,
    MenuItem{62, "TXT00114"}, MenuItem{63, "TXT00115"}, kMenuSeparator,
    MenuItem{64, "TXT00116"}, MenuItem{65, "TXT00117"}, kMenuSeparator,
    MenuItem{66, "TXT00118"}, MenuItem{67, "TXT00119"}, MenuItem{kShowInFolderCommand, "TXT00364"},
    kMenuSeparator,           MenuItem{68, "TXT00120"}, kMenuSeparator,
    MenuItem{69, "TXT00121"}, kMenuSeparator,           MenuItem{70, "TXT00300"},
};

inline constexpr std::array kPopupMenus{
    PopupMenu{kToolsMenu, kToolsMenuItems},       PopupMenu{kHelpMenu, kHelpMenuItems},
    PopupMenu{kPowerMenu, kPowerMenuItems},       PopupMenu{kFolderTreeMenu, kFolderTreeMenuItems},
    PopupMenu{kFileListMenu, kFileListMenuItems},
};

// The bottom row's image buttons, in the order they are created.
inline constexpr std::array kImageButtons{
    ImageButton{kSizeButton, kSmallerImage, "TXT00130"},
    ImageButton{kBackButton, 32, "TXT00136", kBackCommand},
    ImageButton{kBookmarksButton, 14, "TXT00131", kBookmarksKeyCommand},
    ImageButton{kSearchButton, 13, "TXT00133"},
};
inline constexpr std::string_view kSearchFieldTooltipKey = "TXT00134";
// The search field's name for assistive technology, and its grey hint.
inline constexpr std::string_view kSearchFieldNameKey = "TXT00368";
inline constexpr std::string_view kSearchFieldHintKey = "TXT00369";

// The text key of a toolbar button's tooltip; empty for other commands.
std::string_view toolbar_tooltip_key(int command);

// The popup menu with the number; null when there is none.
const PopupMenu* find_popup_menu(int number);

}  // namespace trevalon
