#include "window/key_map.h"

#include <array>

#include "window/window_numbers.h"

namespace trevalon {
namespace {

constexpr unsigned kPanes = kInTree | kInList;
constexpr auto kMenu = KeyGate::context_menu;

constexpr std::array kBindings{
    // Moving between the panes.
    KeyBinding{key::kTab, kNoModifier, kAnywhere, kNextPaneCommand},
    KeyBinding{key::kTab, kShift, kAnywhere, kPreviousPaneCommand},
    KeyBinding{key::kF6, kNoModifier, kAnywhere, kNextPaneCommand},
    KeyBinding{key::kF6, kShift, kAnywhere, kPreviousPaneCommand},
    KeyBinding{'F', kCtrl, kAnywhere, kSearchFieldCommand},
    KeyBinding{key::kF3, kNoModifier, kAnywhere, kSearchFieldCommand},
    KeyBinding{key::kDown, kNoModifier, kInSearchField, kIntoListCommand},
    // The views of the upper strip's first buttons, and the bookmarks button.
    KeyBinding{'1', kCtrl, kAnywhere, 1},
    KeyBinding{'2', kCtrl, kAnywhere, 2},
    KeyBinding{'3', kCtrl, kAnywhere, 3},
    KeyBinding{'4', kCtrl, kAnywhere, 4},
    KeyBinding{'5', kCtrl, kAnywhere, kBookmarksKeyCommand},
    // Return starts the list's entry; in the search field the top result
    // (Shift+Return: the search command), elsewhere it searches.
    KeyBinding{key::kReturn, kNoModifier, kInTree | kElsewhere, kReturnKeyCommand},
    KeyBinding{key::kReturn, kNoModifier, kInList, kLaunchFocusedCommand},
    KeyBinding{key::kReturn, kNoModifier, kInSearchField, kSearchEnterCommand},
    KeyBinding{key::kReturn, kShift, kInSearchField, kReturnKeyCommand},
    // Ctrl+Return: where a search result lives (the top one from the field).
    KeyBinding{key::kReturn, kCtrl, kInList, kShowInFolderCommand, kMenu},
    KeyBinding{key::kReturn, kCtrl, kInSearchField, kShowInFolderCommand},
    KeyBinding{key::kEscape, kNoModifier, kAnywhere, kEscapeCommand},
    // The bottom row: the arrows move between its buttons, Enter and Space
    // press the focused one. The strips, toolbars, do the same themselves.
    KeyBinding{key::kRight, kNoModifier, kInBottomRow, kNextButtonCommand},
    KeyBinding{key::kDown, kNoModifier, kInBottomRow, kNextButtonCommand},
    KeyBinding{key::kLeft, kNoModifier, kInBottomRow, kPreviousButtonCommand},
    KeyBinding{key::kUp, kNoModifier, kInBottomRow, kPreviousButtonCommand},
    KeyBinding{key::kReturn, kNoModifier, kInBottomRow, kPressButtonCommand},
    KeyBinding{key::kSpace, kNoModifier, kInBottomRow, kPressButtonCommand},
    KeyBinding{key::kBackspace, kNoModifier, kPanes, kBackCommand},
    KeyBinding{key::kLeft, kAlt, kPanes, kBackCommand},
    KeyBinding{key::kF10, kShift, kPanes, kContextMenuCommand},
    KeyBinding{key::kApps, kNoModifier, kPanes, kContextMenuCommand},
    // The context menus' commands, as far as the menus would offer them.
    KeyBinding{key::kDelete, kNoModifier, kInList, 62, kMenu},
    KeyBinding{key::kF2, kNoModifier, kInList, 63, kMenu},
    KeyBinding{'C', kCtrl, kInList, 59, kMenu},
    KeyBinding{'X', kCtrl, kInList, 60, kMenu},
    KeyBinding{'V', kCtrl, kInList, 61, kMenu},
    KeyBinding{key::kDelete, kNoModifier, kInTree, 48, kMenu},
    KeyBinding{key::kF2, kNoModifier, kInTree, 49, kMenu},
    // Undo, but in the search field, where Ctrl+Z takes back typing. It says
    // itself when there is nothing to undo.
    KeyBinding{'Z', kCtrl, kAnywhere & ~kInSearchField, kUndoCommand},
};

}  // namespace

std::span<const KeyBinding> key_bindings() {
    return kBindings;
}

const KeyBinding* find_key_binding(int key, unsigned modifiers, unsigned place) {
    for (const KeyBinding& binding : kBindings) {
        if (binding.key == key && binding.modifiers == modifiers && (binding.places & place) != 0)
            return &binding;
    }
    return nullptr;
}

const KeyBinding* binding_for_command(int command, unsigned places) {
    for (const KeyBinding& binding : kBindings) {
        if (binding.command == command && (binding.places & places) != 0)
            return &binding;
    }
    return nullptr;
}

std::string key_name(const KeyBinding& binding) {
    std::string name;
    if (binding.modifiers & kCtrl)
        name += "Ctrl+";
    if (binding.modifiers & kShift)
        name += "Shift+";
    if (binding.modifiers & kAlt)
        name += "Alt+";
    if (binding.modifiers & kWin)
        name += "Win+";
    const int code = binding.key;
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) {
        name += static_cast<char>(code);
    } else if (code >= key::kF1 && code <= key::kF1 + 11) {
        name += "F" + std::to_string(code - key::kF1 + 1);
    } else {
        switch (code) {
            case key::kBackspace:
                name += "Backspace";
                break;
            case key::kTab:
                name += "Tab";
                break;
            case key::kReturn:
                name += "Enter";
                break;
            case key::kEscape:
                name += "Esc";
                break;
            case key::kSpace:
                name += "Space";
                break;
            case key::kLeft:
                name += "Left";
                break;
            case key::kUp:
                name += "Up";
                break;
            case key::kRight:
                name += "Right";
                break;
            case key::kDown:
                name += "Down";
                break;
            case key::kDelete:
                name += "Del";
                break;
            case key::kApps:
                name += "Menu";
                break;
            default:
                name += "?";
                break;
        }
    }
    return name;
}

std::string with_key_name(std::string words, int command, unsigned places) {
    if (const KeyBinding* binding = binding_for_command(command, places))
        words += " (" + key_name(*binding) + ")";
    return words;
}

std::string menu_key_hint(int command, unsigned places) {
    const KeyBinding* binding = binding_for_command(command, places);
    return binding ? "\t" + key_name(*binding) : std::string();
}

bool starts_type_to_search(char32_t typed) {
    return typed > U' ' && typed != 0x7F && !(typed >= 0x80 && typed < 0xA0);
}

unsigned next_pane(unsigned place, bool backward) {
    constexpr std::array kRing{kInSearchField, kInTree,       kInList,
                               kInUpperStrip,  kInLowerStrip, kInBottomRow};
    for (std::size_t i = 0; i < kRing.size(); ++i) {
        if (kRing[i] == place)
            return kRing[(i + (backward ? kRing.size() - 1 : 1)) % kRing.size()];
    }
    return backward ? kInSearchField : kInTree;
}

}  // namespace trevalon
