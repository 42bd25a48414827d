#include "commands/context_menus.h"

namespace trevalon {

MenuItemStates tree_menu_states(const TreeMenuInput& input) {
    MenuItemStates states;
    states.set(52, true);
    states.set(53, true);
    // Undo takes back the newest edit wherever it was made, whatever is shown.
    states.set(kUndoCommand, input.can_undo);
    if (!input.item_hit) {
        states.set(46, input.own_menu && input.editable);
        return states;
    }
    for (int command : {50, 51})
        states.set(command, true);
    if (input.own_menu) {
        const bool below_root = input.item != 0;
        states.set(46, true);
        states.set(47, true);
        states.set(48, below_root);
        states.set(49, below_root);
    }
    return states;
}

MenuItemStates list_menu_states(const ListMenuInput& input) {
    MenuItemStates states;
    states.set(68, true);
    states.set(69, true);
    states.set(kUndoCommand, input.can_undo);
    if (!input.has_entry) {
        states.set(55, input.editable);
        states.set(61, input.editable && input.clipboard_files >= 1);
        return states;
    }
    for (int command : {59, 64, 66, 67})
        states.set(command, true);
    for (int command : {60, 62, 63})
        states.set(command, input.editable);
    states.set(65, input.program);
    states.set(kShowInFolderCommand, input.live_result);
    return states;
}

}  // namespace trevalon
