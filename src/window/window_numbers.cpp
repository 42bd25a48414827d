#include "window/window_numbers.h"

namespace trevalon {

std::string_view toolbar_tooltip_key(int command) {
    if (command <= 0)
        return {};
    for (const auto buttons : {std::span<const ToolbarButton>(kUpperToolbarButtons),
                               std::span<const ToolbarButton>(kLowerToolbarButtons)}) {
        for (const ToolbarButton& button : buttons) {
            if (button.command == command)
                return button.tooltip_key;
        }
    }
    return {};
}

const PopupMenu* find_popup_menu(int number) {
    for (const PopupMenu& menu : kPopupMenus) {
        if (menu.number == number)
            return &menu;
    }
    return nullptr;
}

}  // namespace trevalon
