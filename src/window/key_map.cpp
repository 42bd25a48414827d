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
    // Return starts the list's entry; in the search field the top result
    // (Shift+Return: the search command), elsewhere it searches.
    KeyBinding{key::kReturn, kNoModifier, kAnywhere & ~kInList & ~kInSearchField,
               kReturnKeyCommand},
    KeyBinding{key::kReturn, kNoModifier, kInList, kLaunchFocusedCommand},
    KeyBinding{key::kReturn, kNoModifier, kInSearchField, kSearchEnterCommand},
    KeyBinding{key::kReturn, kShift, kInSearchField, kReturnKeyCommand},
    // Ctrl+Return: where a search result lives (the top one from the field).
    KeyBinding{key::kReturn, kCtrl, kInList, kShowInFolderCommand, kMenu},
    KeyBinding{key::kReturn, kCtrl, kInSearchField, kShowInFolderCommand},
    KeyBinding{key::kEscape, kNoModifier, kAnywhere, kEscapeCommand},
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

bool starts_type_to_search(char32_t typed) {
    return typed > U' ' && typed != 0x7F && !(typed >= 0x80 && typed < 0xA0);
}

unsigned next_pane(unsigned place, bool backward) {
    switch (place) {
        case kInTree:
            return backward ? kInSearchField : kInList;
        case kInList:
            return backward ? kInTree : kInSearchField;
        case kInSearchField:
            return backward ? kInList : kInTree;
        default:
            return backward ? kInSearchField : kInTree;
    }
}

}  // namespace trevalon
